// The files of the edid core on Windows: regular-file reads, whole-or-nothing writes and
// what a path names. Paths arrive as UTF-8 and reach the system as UTF-16, so any name
// the file system holds can be read and written, whatever the system's code page.
#include "EdidFile.h"
#include "FilePath.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>

namespace {

constexpr int TempNameTries = 100;
// A name on NTFS and FAT holds at most 255 UTF-16 units; a UTF-8 byte count within it
// is always within that.
constexpr std::size_t NameMax = 255;

// The errno a POSIX system gives for the same failure, so that messages read the same.
int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    default:
        return EIO;
    }
}

// errno for the system's last failure; false, for the caller to return.
bool failed() {
    errno = errnoOf(::GetLastError());
    return false;
}

// A path the system takes whatever its length: past MAX_PATH only a full path after
// "\\?\" reaches the file (a temporary name is 7 characters longer than its target's).
std::wstring withoutLengthLimit(const std::wstring& path) {
    if (path.size() + 8 < MAX_PATH || path.rfind(L"\\\\", 0) == 0)
        return path;
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size || length < 3 || full[1] != L':')
        return path;
    full.resize(length);
    return L"\\\\?\\" + full;
}

// The UTF-16 form of a UTF-8 path; nothing (EILSEQ) for text that is not UTF-8, which
// names no file here.
std::optional<std::wstring> widePath(const std::string& path) {
    if (path.empty())
        return std::wstring();
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                           static_cast<int>(path.size()), nullptr, 0);
    if (size <= 0) {
        errno = EILSEQ;
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                          wide.data(), size);
    return withoutLengthLimit(wide);
}

// The attributes of what `path` names; nothing (and errno) when it does not exist. A
// device name (NUL, COM1, a "\\.\" path) is no file: it is never opened, as opening a
// serial port acts on its lines.
std::optional<DWORD> attributesOf(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    if (length > 0 && length < MAX_PATH && std::wstring(full).rfind(L"\\\\.\\", 0) == 0)
        return FILE_ATTRIBUTE_DEVICE;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        failed();
        return std::nullopt;
    }
    return attributes;
}

bool isRegular(DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// Sets errno when it refuses, as on POSIX systems: EISDIR, EINVAL for anything else that
// is no regular file, EACCES for a read-only file, ENOTDIR for a folder that is a file.
bool canCreateTarget(const std::string& path) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::optional<std::wstring> wide = widePath(path);
    if (!wide)
        return false;
    if (const std::optional<DWORD> attributes = attributesOf(*wide)) {
        if (!isRegular(*attributes)) {
            errno = (*attributes & FILE_ATTRIBUTE_DIRECTORY) ? EISDIR : EINVAL;
            return false;
        }
        if (*attributes & FILE_ATTRIBUTE_READONLY) {
            errno = EACCES;
            return false;
        }
        return true;
    }
    if (NameOf(path).empty()) {
        errno = EISDIR;
        return false;
    }
    const std::optional<std::wstring> folder = widePath(FolderOf(path));
    if (!folder)
        return false;
    const std::optional<DWORD> folderAttributes = attributesOf(*folder);
    if (!folderAttributes)
        return false;
    if ((*folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (*folderAttributes & FILE_ATTRIBUTE_DEVICE) != 0) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}

bool writeAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            return failed();
        if (written == 0) {
            errno = EIO;
            return false;
        }
        done += written;
    }
    return true;
}

} // namespace

std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& path, std::size_t limit,
                                                         std::size_t* fileSize) {
    // Checked before opening, so that nothing is opened that could act on open (a serial
    // port); checked again on the handle in case the name changed.
    const std::optional<std::wstring> wide = widePath(path);
    if (!wide)
        return std::nullopt;
    const std::optional<DWORD> attributes = attributesOf(*wide);
    if (!attributes || !isRegular(*attributes))
        return std::nullopt;
    const HANDLE file =
        ::CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(limit);
    std::size_t got = 0;
    LARGE_INTEGER size{};
    bool ok = ::GetFileType(file) == FILE_TYPE_DISK && ::GetFileSizeEx(file, &size);
    while (ok && got < limit) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(limit - got, 1u << 30));
        ok = ::ReadFile(file, bytes.data() + got, chunk, &n, nullptr) != 0;
        if (!ok || n == 0)
            break;
        got += n;
    }
    ::CloseHandle(file);
    if (!ok)
        return std::nullopt;
    bytes.resize(got);
    if (fileSize)
        *fileSize = std::max(got, static_cast<std::size_t>(size.QuadPart));
    return bytes;
}

bool CanCreateFile(const std::string& path) {
    return canCreateTarget(path);
}

// The temporary file is written beside the target, flushed to the disk and moved over
// the target in one step; on any failure it is deleted and the target is untouched.
bool WriteFileWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (!canCreateTarget(path))
        return false;
    const std::optional<std::wstring> target = widePath(path);
    const std::string folder = FolderOf(path);
    const std::string name = NameOf(path);
    std::optional<std::wstring> temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int i = 0; i < TempNameTries && file == INVALID_HANDLE_VALUE; ++i) {
        temp = widePath(PathInFolder(folder, TempNameFor(name, NameMax)));
        if (!temp)
            return false;
        file = ::CreateFileW(temp->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
            return failed();
    }
    if (file == INVALID_HANDLE_VALUE) {
        errno = EEXIST;
        return false;
    }
    bool ok = writeAll(file, bytes) && (::FlushFileBuffers(file) != 0 || failed());
    ok = (::CloseHandle(file) != 0 || failed()) && ok;
    if (ok)
        ok = ::MoveFileExW(temp->c_str(), target->c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ||
             failed();
    if (!ok) {
        const int error = errno; // the reason, whatever the clean-up meets
        ::DeleteFileW(temp->c_str());
        errno = error;
    }
    return ok;
}

PathKind KindOfPath(const std::string& path) {
    const std::optional<std::wstring> wide = widePath(path);
    const std::optional<DWORD> attributes = wide ? attributesOf(*wide) : std::nullopt;
    if (!attributes)
        return PathKind::Missing;
    if (*attributes & FILE_ATTRIBUTE_DEVICE)
        return PathKind::Device;
    if (*attributes & FILE_ATTRIBUTE_DIRECTORY)
        return PathKind::Directory;
    return PathKind::Regular;
}

bool SameFileName(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    const std::optional<std::wstring> wideA = widePath(a);
    const std::optional<std::wstring> wideB = widePath(b);
    // The file system's own rule: each character's upper case, as NTFS compares names.
    return wideA && wideB &&
           ::CompareStringOrdinal(wideA->c_str(), static_cast<int>(wideA->size()), wideB->c_str(),
                                  static_cast<int>(wideB->size()), TRUE) == CSTR_EQUAL;
}

std::optional<FileIdentity> IdentityOfFile(const std::string& path) {
    const std::optional<std::wstring> wide = widePath(path);
    const std::optional<DWORD> attributes = wide ? attributesOf(*wide) : std::nullopt;
    if (!attributes || (*attributes & FILE_ATTRIBUTE_DEVICE))
        return std::nullopt;
    // No access asked for: the file's identity is read even while another program holds
    // it open. A folder opens only with backup semantics.
    const HANDLE file =
        ::CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool ok = ::GetFileInformationByHandle(file, &information) != 0;
    ::CloseHandle(file);
    if (!ok)
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        (std::uint64_t{information.nFileIndexHigh} << 32) |
                            information.nFileIndexLow};
}

bool MakeFolder(const std::string& path) {
    const std::optional<std::wstring> wide = widePath(path);
    return wide && (::CreateDirectoryW(wide->c_str(), nullptr) != 0 || failed());
}

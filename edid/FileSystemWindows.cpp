// The files of the edid core on Windows: regular-file reads, whole-or-nothing writes and
// what a path names. Paths arrive as UTF-8 and reach the system as UTF-16, so any name
// the file system holds can be read and written, whatever the system's code page.
#include "EdidFile.h"
#include "FilePath.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr int TempNameTries = 100;
// A name on NTFS and FAT holds at most 255 UTF-16 units; a UTF-8 byte count within it
// is always within that.
constexpr std::size_t NameMax = 255;

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

// The UTF-16 form of a UTF-8 path; nothing for text that is not UTF-8.
std::optional<std::wstring> widePath(const std::string& path) {
    if (path.empty())
        return std::wstring();
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                           static_cast<int>(path.size()), nullptr, 0);
    if (size <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                          wide.data(), size);
    return withoutLengthLimit(wide);
}

// The attributes of what `path` names; nothing when it does not exist. A device name
// (NUL, COM1, a "\\.\" path) is no file: it is never opened, as opening a serial port
// acts on its lines.
std::optional<DWORD> attributesOf(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    if (length > 0 && length < MAX_PATH && std::wstring(full).rfind(L"\\\\.\\", 0) == 0)
        return FILE_ATTRIBUTE_DEVICE;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return attributes;
}

bool isRegular(DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool canCreateTarget(const std::string& path) {
    const std::optional<std::wstring> wide = widePath(path);
    if (path.empty() || !wide)
        return false;
    if (const std::optional<DWORD> attributes = attributesOf(*wide))
        return isRegular(*attributes) && (*attributes & FILE_ATTRIBUTE_READONLY) == 0;
    const std::optional<std::wstring> folder = widePath(FolderOf(path));
    if (NameOf(path).empty() || !folder)
        return false;
    const std::optional<DWORD> folderAttributes = attributesOf(*folder);
    return folderAttributes && (*folderAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (*folderAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
}

bool writeAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& path,
                                                         std::size_t limit) {
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
    bool ok = ::GetFileType(file) == FILE_TYPE_DISK;
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
        // "C:" alone is the drive's current folder: the name follows it directly.
        const std::string separator =
            folder.back() == '/' || folder.back() == '\\' || folder.back() == ':' ? "" : "\\";
        temp = widePath(folder + separator + TempNameFor(name, NameMax));
        if (!temp)
            return false;
        file = ::CreateFileW(temp->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = writeAll(file, bytes) && ::FlushFileBuffers(file) != 0;
    ok = ::CloseHandle(file) != 0 && ok;
    if (ok)
        ok = ::MoveFileExW(temp->c_str(), target->c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok)
        ::DeleteFileW(temp->c_str());
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

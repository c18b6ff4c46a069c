// The files of the edid core on POSIX systems: regular-file reads, whole-or-nothing
// writes and what a path names.
#include "EdidFile.h"
#include "FilePath.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int TempNameTries = 100;

// The file a write to `path` lands in: the target of a symbolic link (as a full path),
// otherwise `path` itself. Nothing for a link whose target is missing or a loop.
std::optional<std::string> writeTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved))
        return std::nullopt;
    return std::string(resolved);
}

// Sets errno when it refuses, as the calls it makes do.
bool canCreateTarget(const std::string& path) {
    struct stat st {};
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
            return false;
        }
        // A read-only file is refused also for a user whom access() lets write anything
        // (root): the file must carry a write permission bit.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            errno = EACCES;
            return false;
        }
        return ::access(path.c_str(), W_OK) == 0;
    }
    const std::string folder = FolderOf(path);
    if (NameOf(path).empty()) {
        errno = EISDIR;
        return false;
    }
    if (::stat(folder.c_str(), &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes the temporary file in the open folder `dir` and renames it over `name`. The
// names are taken relative to the folder, so only one name's length limit applies.
bool writeInFolder(int dir, const std::string& name, const std::vector<std::uint8_t>& bytes,
                   std::optional<mode_t> keepMode) {
    const long nameMax = ::fpathconf(dir, _PC_NAME_MAX);
    std::string temp;
    int fd = -1;
    for (int i = 0; i < TempNameTries && fd < 0; ++i) {
        temp = TempNameFor(name, nameMax > 0 ? static_cast<std::size_t>(nameMax) : NAME_MAX);
        // A new file gets the usual 0666 & ~umask.
        fd = ::openat(dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok =
        (!keepMode || ::fchmod(fd, *keepMode) == 0) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::renameat(dir, temp.c_str(), dir, name.c_str()) == 0;
    if (!ok) {
        const int error = errno; // the reason, whatever the clean-up meets
        ::unlinkat(dir, temp.c_str(), 0);
        errno = error;
    }
    return ok;
}

} // namespace

std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& path, std::size_t limit,
                                                         std::size_t* fileSize) {
    // Checked before opening, so that nothing is opened that could wait or act on open
    // (a FIFO, a serial port); checked again on the descriptor in case the name changed.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(limit);
    std::size_t got = 0;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    while (ok && got < limit) {
        const ssize_t n = ::read(fd, bytes.data() + got, limit - got);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n >= 0;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    bytes.resize(got);
    if (fileSize)
        *fileSize = std::max(got, static_cast<std::size_t>(st.st_size));
    return bytes;
}

bool CanCreateFile(const std::string& path) {
    const std::optional<std::string> target = writeTarget(path);
    return target && canCreateTarget(*target);
}

bool WriteFileWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::optional<std::string> target = writeTarget(path);
    if (!target || !canCreateTarget(*target))
        return false;
    // Keep the mode of the file being replaced.
    struct stat old {};
    std::optional<mode_t> keepMode;
    if (::stat(target->c_str(), &old) == 0)
        keepMode = old.st_mode & 07777;

    const int dir = ::open(FolderOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return false;
    const bool ok = writeInFolder(dir, NameOf(*target), bytes, keepMode);
    const int error = errno;
    ::close(dir);
    errno = error;
    return ok;
}

PathKind KindOfPath(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return PathKind::Missing;
    if (S_ISREG(st.st_mode))
        return PathKind::Regular;
    if (S_ISDIR(st.st_mode))
        return PathKind::Directory;
    if (S_ISFIFO(st.st_mode))
        return PathKind::Fifo;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return PathKind::Device;
    return PathKind::Other;
}

bool SameFileName(const std::string& a, const std::string& b) {
    return a == b;
}

std::optional<FileIdentity> IdentityOfFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev),
                        static_cast<std::uint64_t>(st.st_ino)};
}

bool MakeFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0;
}

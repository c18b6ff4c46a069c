#include "EdidFile.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool ReadEdidFile(const std::string& path, EdidImage& image) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(path, kEdidSize, bytes))
        return false;
    image = EdidImageFromBytes(bytes);
    return true;
}

EdidImage EdidImageFromBytes(const std::vector<std::uint8_t>& bytes) {
    EdidImage image;
    image.fill(0xFF);
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
    return image;
}

bool ReadFileBytes(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    // A read error part way counts as the end of the file, as it always has.
    ReadStreamBytes(file, limit, bytes);
    std::fclose(file);
    return true;
}

bool ReadStreamBytes(std::FILE* stream, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::uint8_t chunk[4096];
    while (bytes.size() < limit) {
        const std::size_t n =
            std::fread(chunk, 1, std::min(sizeof chunk, limit - bytes.size()), stream);
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (n == 0)
            break;
    }
    return !std::ferror(stream);
}

bool CanCreateFile(const std::string& path) {
    if (path.empty())
        return false;
    struct stat st {};
    // A read-only file is refused also for a user whom access() lets write anything
    // (root): the file must carry a write permission bit.
    if (::stat(path.c_str(), &st) == 0)
        return S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
               ::access(path.c_str(), W_OK) == 0;
    const std::string folder = folderOf(path);
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool WriteFileWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (!CanCreateFile(path))
        return false;
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0;

    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    // Keep the mode of the file being replaced; a new file gets the usual 0666 & ~umask.
    mode_t mode = old.st_mode & 07777;
    if (!replacing) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

bool WriteEdidFile(const std::string& path, const EdidImage& image) {
    return WriteFileWhole(path, std::vector<std::uint8_t>(image.begin(), image.end()));
}

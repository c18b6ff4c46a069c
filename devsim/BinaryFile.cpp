#include "BinaryFile.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>

bool readPadded(const std::string& path, std::size_t size, Bytes& out) {
    // A directory would open but not read; it counts as a file that cannot be opened.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    out.assign(size, 0xFF);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(size));
    return true;
}

bool writeWhole(const std::string& path, const Bytes& bytes) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

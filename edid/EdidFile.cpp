#include "EdidFile.h"

#include <algorithm>
#include <cstdio>

bool ReadEdidFile(const std::string& path, EdidImage& image) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadRegularFile(path, image.size());
    if (!bytes)
        return false;
    image = EdidImageFromBytes(*bytes);
    return true;
}

EdidImage EdidImageFromBytes(const std::vector<std::uint8_t>& bytes) {
    EdidImage image;
    image.fill(0xFF);
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
    return image;
}

bool ReadStreamBytes(std::FILE* stream, std::size_t limit, std::vector<std::uint8_t>& bytes,
                     std::size_t* total) {
    bytes.clear();
    std::uint8_t chunk[4096];
    std::size_t count = 0;
    while (bytes.size() < limit || total) {
        const std::size_t room = limit - bytes.size();
        // Past the limit only the count goes on.
        const std::size_t n =
            std::fread(chunk, 1, room > 0 ? std::min(sizeof chunk, room) : sizeof chunk, stream);
        bytes.insert(bytes.end(), chunk, chunk + std::min(n, room));
        count += n;
        if (n == 0)
            break;
    }
    if (total)
        *total = count;
    return !std::ferror(stream);
}

bool WriteEdidFile(const std::string& path, const EdidImage& image) {
    return WriteFileWhole(path, std::vector<std::uint8_t>(image.begin(), image.end()));
}

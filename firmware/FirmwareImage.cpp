#include "FirmwareImage.h"

#include "EdidFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t TagOffset = 0x1010;
constexpr char TagMark[] = "FW Ver:";
constexpr std::size_t TagMarkLength = sizeof TagMark - 1;
// The four version characters sit at bytes 8..11 of the tag.
constexpr std::uint32_t TagVersionAt = 8;
constexpr std::uint32_t TagLength = 12;
constexpr std::uint8_t Erased = 0xFF;

} // namespace

std::optional<FirmwareImage> FirmwareImage::load(const std::string& path) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadRegularFile(path, UsedSize);
    if (!bytes)
        return std::nullopt;
    return FirmwareImage(std::move(*bytes));
}

FirmwareImage::FirmwareImage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
    if (bytes_.size() > UsedSize)
        bytes_.resize(UsedSize);
}

FirmwareImage::Block FirmwareImage::blockAt(std::uint32_t offset) const {
    Block block;
    block.fill(Erased);
    if (offset < bytes_.size()) {
        const std::size_t count = std::min<std::size_t>(BlockSize, bytes_.size() - offset);
        std::copy_n(bytes_.begin() + offset, count, block.begin());
    }
    return block;
}

std::optional<std::string> FirmwareImage::versionText() const {
    if (bytes_.size() < TagOffset + TagLength)
        return std::nullopt;
    const std::uint8_t* tag = bytes_.data() + TagOffset;
    if (std::memcmp(tag, TagMark, TagMarkLength) != 0)
        return std::nullopt;
    const char* c = reinterpret_cast<const char*>(tag + TagVersionAt);
    return std::string("v") + c[0] + "." + std::string(c + 1, 3);
}

std::vector<FirmwareImage::Chunk> FirmwareImage::chunks() const {
    std::vector<Chunk> out;
    for (std::size_t offset = 0; offset < bytes_.size(); offset += ChunkSize) {
        Chunk chunk{};
        chunk.bytes.fill(Erased);
        const std::size_t count = std::min<std::size_t>(ChunkSize, bytes_.size() - offset);
        std::copy_n(bytes_.begin() + offset, count, chunk.bytes.begin());
        unsigned sum = 0;
        for (std::uint8_t byte : chunk.bytes)
            sum += byte;
        chunk.checksum = static_cast<std::uint8_t>(0u - sum);
        out.push_back(chunk);
    }
    return out;
}

#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A firmware image file as the update reads it: flat bytes with no header of their own.
// Only the first UsedSize bytes are ever sent; everything after them is ignored.
class FirmwareImage {
public:
    static constexpr std::uint32_t BlockSize = 512;
    static constexpr std::uint32_t UsedSize = 0x1F600;
    static constexpr std::uint32_t ChunkSize = 128;
    using Block = std::array<std::uint8_t, BlockSize>;

    // A chunk as the other loader variant takes it, with its checksum byte
    // (0 - sum of the chunk's bytes) mod 256.
    struct Chunk {
        std::array<std::uint8_t, ChunkSize> bytes;
        std::uint8_t checksum;
    };

    // Nothing when the file cannot be opened for reading, or is not a regular file (a
    // directory, a FIFO, a device).
    static std::optional<FirmwareImage> load(const std::string& path);
    explicit FirmwareImage(std::vector<std::uint8_t> bytes);

    // The 512 bytes from `offset`; bytes beyond the end of the file read as 0xFF.
    Block blockAt(std::uint32_t offset) const;
    // "v2.015" from the version tag "FW Ver:" at 0x1010, or nothing when the file has no
    // complete tag there.
    std::optional<std::string> versionText() const;
    // The image in 128-byte chunks from offset 0, the last one padded with 0xFF.
    std::vector<Chunk> chunks() const;

    std::size_t size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};

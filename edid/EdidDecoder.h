#pragma once
#include "EdidImage.h"
#include "EdidInfo.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Byte `index` of the image; an index beyond 255 reads as 0x00. Nothing reads
// outside the 256 bytes.
inline std::uint8_t ImageByteAt(const EdidImage& image, std::size_t index) {
    return index < image.size() ? image[index] : 0x00;
}

// True when the vendor-specific block whose header byte is at `header` carries `oui`
// (its three bytes after the header, least significant first).
bool HasOui(const EdidImage& image, std::size_t header, const std::array<std::uint8_t, 3>& oui);

// Walks the extension's data block collection from `position` (an index into the
// image; a walk starts at 132). Returns true and sets `position` to the header byte
// of the first block at or after it whose header's top three bits equal `tag`
// (DataBlockTag::...). Returns false, leaving `position` unchanged, when there is
// none: when the extension count (byte 126) is 0, or when the walk reaches
// 128 + byte 130 or the end of the image. The walk never wraps: each step is
// (header & 0x1F) + 1 bytes, and a position of 256 or more ends it.
// To continue after a block found at p with length L, call again with p + L + 1.
bool FindDataBlock(const EdidImage& image, std::uint8_t tag, std::size_t& position);

// Reads `source` into `info`: resets the fields the decoder owns (others keep what
// the record held), copies the image, validates it and, when it is valid, decodes
// the base block and the extension's data blocks. After it returns,
// info.Status & EdidStatus::ValidationMask tells whether the image was valid.
// `source` may be info.Image itself.
void DecodeEdid(EdidInfo& info, const EdidImage& source);

// Decodes the record's own image.
void DecodeEdid(EdidInfo& info);

#pragma once
#include "BinaryFile.h"

// The device's four EDIDs when no file is given. Each is a valid two-block EDID
// (a base block and a CEA-861 extension, checksums right) and all four differ.
enum class EdidSlot { Internal, External, User, Stored };

Bytes builtinEdid(EdidSlot slot);

// Sets the last byte of the 128-byte block at `offset` so that the block sums to 0.
void fixChecksum(Bytes& image, std::size_t offset);

#pragma once
#include <array>
#include <cstdint>

// One of the device's EDIDs and how it is read from the device: by the download, the
// analyser's device read and the command line.
struct DeviceEdid {
    const char* offeredName; // the file name a download suggests
    bool hasSelect;          // whether Api_Edid_Select precedes the blocks
    std::uint8_t select;     // its data byte
    std::uint16_t block0;    // read request of bytes 0..127
    std::uint16_t block1;    // read request of bytes 128..255
    std::uint32_t waitMs;    // wait after each block request
    int attempts;            // reads the analyser makes before giving up (it never reads Stored)
};

// Internal, External, User, Stored.
extern const std::array<DeviceEdid, 4> DeviceEdids;

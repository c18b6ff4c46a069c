#pragma once
#include "EdidImage.h"

#include <array>
#include <cstdint>

#include <string>

class DeviceLink;

// One of the device's four EDIDs as a download fetches it.
struct EdidDownloadRow {
    const char* button;      // the button that starts it, e.g. "Button_DL_IntEdid"
    const char* offeredName; // the file name the save dialog suggests
    bool hasSelect;          // whether Api_Edid_Select precedes the blocks
    std::uint8_t select;     // its data byte
    std::uint16_t block0;    // read request of bytes 0..127
    std::uint16_t block1;    // read request of bytes 128..255
    std::uint32_t waitMs;    // wait after each block request
};

// Internal, External, User, Stored: in the order of the "Download" buttons.
extern const std::array<EdidDownloadRow, 4> EdidDownloads;

enum class DownloadResult {
    Refused,     // another operation runs: nothing done, nothing logged
    OpenFailed,  // the chosen file cannot be created
    Timeout,     // the device did not answer (or the link closed): the file is untouched
    WriteFailed, // the transfer succeeded but the file could not be written
    Written,     // the file holds the 256 bytes received
};

// Saves one device EDID to the file at `path`. The file is written only after the
// select was acknowledged and both blocks were answered in full, and then whole or not
// at all: a failed download leaves an existing file exactly as it was.
DownloadResult DownloadEdid(DeviceLink& link, const std::string& path,
                            const EdidDownloadRow& entry);

// Reads one device EDID into `image` as a download fetches it, without a file: true once
// the select was acknowledged and both blocks were answered in full. False, `image`
// then incomplete, when the device did not answer, the link closed, or another
// operation runs.
bool ReadDeviceEdidImage(DeviceLink& link, const EdidDownloadRow& entry, EdidImage& image);

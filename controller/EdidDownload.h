#pragma once
#include "DeviceEdids.h"
#include "EdidImage.h"

#include <array>
#include <cstdint>

#include <string>

class DeviceLink;

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
DownloadResult DownloadEdid(DeviceLink& link, const std::string& path, const DeviceEdid& entry);

// Reads one device EDID into `image` as a download fetches it, without a file: true once
// the select was acknowledged and both blocks were answered in full. False, `image`
// then incomplete, when the device did not answer, the link closed, or another
// operation runs.
bool ReadDeviceEdidImage(DeviceLink& link, const DeviceEdid& entry, EdidImage& image);

#pragma once
#include "BusyGuard.h"
#include "DeviceEdids.h"
#include "EdidInfo.h"

#include <array>
#include <cstdint>

class DeviceLink;

enum class DeviceEdidRead {
    Valid, // an attempt read an image that passed validation
    // It passed, but block 1's answer never came: its bytes are the zeros the read
    // starts from, which pass the checksum. The window shows them; the command line not.
    Block1Missing,
    Invalid,     // every attempt read an image, none passed
    NothingRead, // no attempt got past the selection: the image is all zero
};

// Reads the EDID into `record.Image` with the source's selection, waits and attempts,
// holding the watchdog off and the status poll back meanwhile. The image starts
// all zero, so it never shows an EDID an earlier read left there. Logs "API Timeout.",
// "No Header Found." and "Retry Edid." as the attempts meet them. Stops early, with
// nothing more sent, when the link closes.
DeviceEdidRead ReadDeviceEdid(DeviceLink& link, const DeviceEdid& source, EdidInfo& record,
                              const BusyGuard::Operation& operation);

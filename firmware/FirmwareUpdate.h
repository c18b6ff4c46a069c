#pragma once
#include <functional>
#include <string>

class DeviceLink;
class Reporter;

enum class FirmwareUpdateResult {
    Refused,       // another device operation runs: nothing done, nothing logged
    NotIspMode,    // the device's loader is not running
    UnknownDevice, // a loader variant without a procedure
    Failed,
    Finished,
};

// What the "Update" button does, for the window and the command line alike: one device
// operation that updates the device's firmware from the image at `path` through its
// running loader. `verify` is asked at each read-back whether to compare it.
FirmwareUpdateResult updateFirmware(DeviceLink& link, Reporter& reporter, const std::string& path,
                                    const std::function<bool()>& verify);

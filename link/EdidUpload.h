#pragma once
#include "BusyGuard.h"
#include "EdidImage.h"

#include <functional>

class DeviceLink;

// Sends a validated image to the device as its User EDID and makes the device present
// it: block 0, block 1 (progress 1%..100% in the upload labels), "User" shown as the
// presented EDID, then the mode request. The caller holds `operation` for the whole
// run. False when the link was disconnected, closed or cancelled on the way; then
// nothing more was sent. A line lost on the way (hung up, or disconnected) is logged
// as "Line lost during the upload." and `showFailure` shows the failure at once,
// before the window hides or disables anything.
bool UploadEdidImage(DeviceLink& link, const EdidImage& image,
                     const BusyGuard::Operation& operation,
                     const std::function<void()>& showFailure);

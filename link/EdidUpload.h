#pragma once
#include "BusyGuard.h"
#include "EdidImage.h"

class DeviceLink;

// Sends a validated image to the device as its User EDID and makes the device present
// it: block 0, block 1 (progress 1%..100% in the upload labels), "User" shown as the
// presented EDID, then the mode request. The caller holds `operation` for the whole
// run. False when the link was disconnected or closed on the way; then nothing more
// was sent.
bool UploadEdidImage(DeviceLink& link, const EdidImage& image,
                     const BusyGuard::Operation& operation);

#pragma once
#include "EdidInfo.h"
#include "EdidInput.h"

#include <string>

class DeviceLink;

enum class FileUploadResult {
    Refused,    // another operation runs: nothing done, nothing logged
    OpenFailed, // the file cannot be opened: "Upload Edid Failed." in red
    Invalid,    // the image failed validation: its message in red, nothing sent
    Cancelled,  // the link closed during the transfer ("Upload Edid Failed." in red), or
                // the operation was cancelled
    Sent,       // both blocks sent and the User EDID presented
};

// Reads an EDID file the chosen way (ReadEdidFileAs) into `record`'s image, validates it
// and uploads it as the device's User EDID. Failures go to the upload status label in
// red; a file that was not read also replaces the log with why ("Edid Open Fail.", or
// the byte count of hex text of the wrong length).
FileUploadResult UploadEdidFile(DeviceLink& link, const std::string& path, EdidInfo& record,
                                EdidFileReading reading = EdidFileReading::Binary);

// The same for an input already read (standard input can be read only once).
FileUploadResult UploadEdidInput(DeviceLink& link, const EdidInput& input, EdidInfo& record);

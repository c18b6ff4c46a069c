#pragma once
#include <string>

// The firmware controls the handlers read and set, in the window or in a test.
// Texts are bytes shown as Latin-1.
class FirmwareView {
public:
    virtual ~FirmwareView() = default;
    virtual void showFirmwarePath(const std::string& path) = 0;
    virtual void setVersionText(const std::string& text) = 0;
    virtual void setUpdateEnabled(bool enabled) = 0;
    // "With Verification": asked at every read-back, so a change during an update counts.
    virtual bool verifyChecked() const = 0;
};

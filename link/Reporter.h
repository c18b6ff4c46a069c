#pragma once
#include "Colours.h"

#include <cstdint>
#include <string>

// The three status labels that carry short results.
enum class StatusLabel {
    Upload,        // Label2: the controller page's EDID upload
    CreatorUpload, // Label3: the creator's upload
    Firmware,      // Label1: the firmware update
};

// How device and file operations report, in the window or on a console.
// Texts are bytes; the window shows them as Latin-1. Colours are 0x00BBGGRR.
class Reporter {
public:
    virtual ~Reporter() = default;
    // The log is written in these three ways only.
    virtual void replaceLog(const std::string& text) = 0;
    virtual void appendLog(const std::string& text) = 0;
    virtual void addLogLine(const std::string& text) = 0;

    virtual void setStatusText(StatusLabel label, const std::string& text) = 0;
    virtual void setStatusColour(StatusLabel label, std::uint32_t bgr) = 0;
};

#pragma once
#include "Reporter.h"

#include <map>
#include <string>
#include <vector>

// A Reporter that keeps the log as one string and every status change in order.
class RecordingReporter : public Reporter {
public:
    void replaceLog(const std::string& text) override { log = text; }
    void appendLog(const std::string& text) override { log += text; }
    void addLogLine(const std::string& text) override;
    void setStatusText(StatusLabel label, const std::string& text) override;
    void setStatusColour(StatusLabel label, std::uint32_t bgr) override { colours[label] = bgr; }

    std::string log;
    std::map<StatusLabel, std::vector<std::string>> texts;
    std::map<StatusLabel, std::uint32_t> colours;
};

#pragma once
#include "Reporter.h"

#include <iosfwd>
#include <optional>
#include <string>

// The window's log and status labels on a console. The log's messages (the lines the
// operations write, such as "API Timeout.") and failures shown in a status label go to
// `err`, one per line; the device's raw bytes, which the window also copies into its
// log, only when verbose. One label's percentages are progress: a bar that redraws
// itself on a terminal, otherwise a line at the first percentage and at each tenth
// reached (10%, 20%, ... 100%).
class ConsoleReporter : public Reporter {
public:
    ConsoleReporter(std::ostream& err, bool terminal, bool verbose);
    ~ConsoleReporter() override;

    // Percentages shown in `label` are the progress of a new transfer from now on;
    // others are not shown.
    void showProgressOf(StatusLabel label);

    void replaceLog(const std::string& text) override;
    void appendLog(const std::string& text) override;
    void addLogLine(const std::string& text) override;
    void setStatusText(StatusLabel label, const std::string& text) override;
    void setStatusColour(StatusLabel, std::uint32_t) override {}

    // A message of the command line's own, on its own line, shown as TerminalText shows
    // text.
    void message(const std::string& text);
    // The last line `err` was given (a message, or a failure a label showed) since the
    // last forgetMessages().
    const std::string& lastMessage() const { return lastMessage_; }
    void forgetMessages() { lastMessage_.clear(); }

private:
    void logText(const std::string& text);
    void progress(int percent);
    void endBar();

    std::ostream& err_;
    bool terminal_;
    bool verbose_;
    std::optional<StatusLabel> progressLabel_;
    int lastPercent_ = -1;
    int lastTenth_ = -1; // the tenth last written as a line
    bool barOpen_ = false;
    std::string lastMessage_;
};

// Whether standard error is a terminal.
bool StderrIsTerminal();

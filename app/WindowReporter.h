#pragma once
#include <Reporter.h>

class LogText;
class QLabel;
class QPlainTextEdit;

// Reports into the window: the log into Memo_Debug, the status labels by name.
class WindowReporter : public Reporter {
public:
    WindowReporter(LogText& log, QPlainTextEdit& memo, QLabel& label2, QLabel& label3,
                   QLabel& label1);

    void replaceLog(const std::string& text) override;
    void appendLog(const std::string& text) override;
    void addLogLine(const std::string& text) override;
    void setStatusText(StatusLabel label, const std::string& text) override;
    void setStatusColour(StatusLabel label, std::uint32_t bgr) override;

private:
    void showWhole();
    void showAppended(const std::string& added);
    QLabel& statusLabel(StatusLabel label) const;

    LogText& log_;
    QPlainTextEdit& memo_;
    QLabel& label2_;
    QLabel& label3_;
    QLabel& label1_;
};

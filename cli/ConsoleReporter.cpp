#include "ConsoleReporter.h"

#include "TerminalText.h"

#include <cstdio>
#include <ostream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr int BarWidth = 40;
const std::string LineEnd = "\r\n";

// "37%" as 37; -1 for any other text.
int percentOf(const std::string& text) {
    if (text.size() < 2 || text.size() > 4 || text.back() != '%')
        return -1;
    int value = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value <= 100 ? value : -1;
}

// One line of plain text ending in "\r\n", as every message of the log is. The device's
// bytes rarely look like that, and a loader's banner streams many lines at once.
bool isMessage(const std::string& text) {
    if (text.size() <= LineEnd.size() || text.find(LineEnd) != text.size() - LineEnd.size())
        return false;
    for (std::size_t i = 0; i + LineEnd.size() < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

} // namespace

bool StderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

ConsoleReporter::ConsoleReporter(std::ostream& err, bool terminal, bool verbose)
    : err_(err), terminal_(terminal), verbose_(verbose) {}

ConsoleReporter::~ConsoleReporter() {
    endBar();
    err_.flush();
}

void ConsoleReporter::showProgressOf(StatusLabel label) {
    progressLabel_ = label;
    lastPercent_ = -1;
    lastTenth_ = -1;
}

void ConsoleReporter::replaceLog(const std::string& text) {
    logText(text);
}

void ConsoleReporter::appendLog(const std::string& text) {
    logText(text);
}

void ConsoleReporter::addLogLine(const std::string& text) {
    logText(text + LineEnd);
}

void ConsoleReporter::logText(const std::string& text) {
    if (isMessage(text))
        message(text.substr(0, text.size() - LineEnd.size()));
    else if (verbose_ && !text.empty())
        message(Latin1TerminalText(text));
}

void ConsoleReporter::setStatusText(StatusLabel label, const std::string& text) {
    const int percent = percentOf(text);
    if (percent < 0)
        message(text);
    else if (label == progressLabel_)
        progress(percent);
}

void ConsoleReporter::message(const std::string& text) {
    lastMessage_ = TerminalText(text);
    endBar();
    err_ << lastMessage_ << '\n';
    err_.flush();
}

void ConsoleReporter::progress(int percent) {
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    if (!terminal_) {
        // A log or a pipe keeps every line: one per tenth, not one per percent. A block
        // written again (a firmware retry) steps back and is not shown twice.
        if (percent / 10 <= lastTenth_)
            return;
        lastTenth_ = percent / 10;
        err_ << percent << "%\n";
        err_.flush();
        return;
    }
    const int filled = percent * BarWidth / 100;
    err_ << "\r[" << std::string(filled, '#') << std::string(BarWidth - filled, ' ') << "] "
         << percent << '%';
    err_.flush();
    barOpen_ = true;
}

void ConsoleReporter::endBar() {
    if (!barOpen_)
        return;
    err_ << '\n';
    barOpen_ = false;
}

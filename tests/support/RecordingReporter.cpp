#include "RecordingReporter.h"

void RecordingReporter::addLogLine(const std::string& text) {
    if (!log.empty() && log.compare(log.size() - std::min<std::size_t>(2, log.size()),
                                    std::string::npos, "\r\n") != 0)
        log += "\r\n";
    log += text + "\r\n";
}

void RecordingReporter::setStatusText(StatusLabel label, const std::string& text) {
    texts[label].push_back(text);
}

#include "LogText.h"

namespace {
// Trimming back to three quarters of the limit keeps a steady stream from trimming
// (and redrawing the whole log) on every write.
constexpr std::size_t kKeepAfterTrim = LogText::kLimit / 4 * 3;

bool endsWithLineBreak(const std::string& text) {
    return text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
}
} // namespace

void LogText::replace(const std::string& message) {
    text_ = message;
    trim();
}

void LogText::append(const std::string& message) {
    text_ += message;
    trim();
}

void LogText::addLine(const std::string& message) {
    if (!text_.empty() && !endsWithLineBreak(text_))
        text_ += "\r\n";
    text_ += message;
    text_ += "\r\n";
    trim();
}

void LogText::trim() {
    trimmed_ = text_.size() > kLimit;
    if (trimmed_)
        text_.erase(0, text_.size() - kKeepAfterTrim);
}

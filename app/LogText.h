#pragma once
#include <cstddef>
#include <string>

// The text of the debug log: one string with "\r\n" line breaks, written in three
// ways only. Keeps at most its last kLimit bytes, so a device streaming for hours
// cannot grow it without bound.
class LogText {
public:
    static constexpr std::size_t kLimit = 256 * 1024;

    void replace(const std::string& message);
    void append(const std::string& message);
    // A new line of its own: "\r\n" first unless the text is empty or already ends a line.
    void addLine(const std::string& message);

    const std::string& text() const { return text_; }
    // True when the last write trimmed the start of the text.
    bool trimmed() const { return trimmed_; }

private:
    void trim();

    std::string text_;
    bool trimmed_ = false;
};

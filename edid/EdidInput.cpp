#include "EdidInput.h"

#include "EdidFile.h"
#include "HexDigit.h"
#include "Utf8Text.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

namespace {

// Where a text stops being hex: the byte where it was found, and what is wrong.
struct Problem {
    std::size_t at;
    std::string what;
};

// A token is shown whole in a message up to this length, cut short after it.
constexpr std::size_t kShownToken = 16;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isSeparator(char c) {
    return isSpace(c) || c == ',';
}

// The whole character that starts at `at` of text known to be UTF-8.
std::string characterAt(std::string_view text, std::size_t at) {
    char32_t code = 0;
    return std::string(text.substr(at, std::max<std::size_t>(1, Utf8SequenceAt(text, at, code))));
}

std::string shownToken(std::string_view token) {
    if (token.size() <= kShownToken)
        return std::string(token);
    return std::string(token.substr(0, kShownToken)) + "...";
}

// One token between separators: "0x" and one or two digits, or an even number of digits
// (a pair, or pairs run together as a display server lists them). Appends its bytes, or
// says what is wrong with it and where (relative to the token).
std::optional<Problem> readToken(std::string_view token, std::vector<std::uint8_t>& out) {
    const bool prefixed =
        token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
    const std::size_t first = prefixed ? 2 : 0;
    for (std::size_t i = first; i < token.size(); ++i) {
        if (HexDigitValue(token[i]) < 0)
            return Problem{i, "'" + characterAt(token, i) + "' is not a hex digit"};
    }
    const std::size_t digits = token.size() - first;
    if (prefixed && digits == 0)
        return Problem{0, "'" + std::string(token) + "' has no hex digits"};
    if (prefixed && digits > 2)
        return Problem{0, "'" + shownToken(token) + "' is more than one byte"};
    if (!prefixed && digits % 2 != 0)
        return Problem{0, "odd number of hex digits in '" + shownToken(token) + "'"};
    if (prefixed && digits == 1) {
        out.push_back(static_cast<std::uint8_t>(HexDigitValue(token[2])));
        return std::nullopt;
    }
    for (std::size_t i = first; i < token.size(); i += 2)
        out.push_back(
            static_cast<std::uint8_t>(HexDigitValue(token[i]) * 16 + HexDigitValue(token[i + 1])));
    return std::nullopt;
}

// Appends the bytes of the hex tokens in text[from, to); stops at the first token that is
// not hex and says what is wrong with it (the bytes before it stay appended).
std::optional<Problem> readHex(std::string_view text, std::size_t from, std::size_t to,
                               std::vector<std::uint8_t>& out) {
    std::size_t i = from;
    while (i < to) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < to && !isSeparator(text[end]))
            ++end;
        if (std::optional<Problem> problem = readToken(text.substr(i, end - i), out)) {
            problem->at += i;
            return problem;
        }
        i = end;
    }
    return std::nullopt;
}

std::string_view trimmed(std::string_view line) {
    const auto first = line.find_first_not_of(" \t\r\v\f");
    if (first == std::string_view::npos)
        return {};
    const auto last = line.find_last_not_of(" \t\r\v\f");
    return line.substr(first, last - first + 1);
}

// The form a marker line introduces, or Binary when the line is no marker.
EdidInputForm markerForm(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text == "EDID (hex):" || text == "edid-decode (hex):")
        return EdidInputForm::DecoderHex;
    if (text == "EDID:")
        return EdidInputForm::ListingHex;
    return EdidInputForm::Binary;
}

// Finds the first marker line; on success sets `form` and fills `out` with the hex lines
// after it (blank lines between them skipped). The line that ends the block is usually
// the report going on; when it starts with hex it may be a mistake in the block, and
// `ending` gets its problem.
bool readMarkedBlock(std::string_view text, EdidInputForm& form, std::vector<std::uint8_t>& out,
                     std::optional<Problem>& ending) {
    bool inBlock = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t newline = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, newline - start);
        if (!inBlock) {
            form = markerForm(line);
            inBlock = form != EdidInputForm::Binary;
        } else if (!trimmed(line).empty()) {
            const std::size_t before = out.size();
            if (std::optional<Problem> problem = readHex(text, start, newline, out)) {
                if (out.size() > before)
                    ending = std::move(problem);
                out.resize(before);
                break;
            }
        }
        start = newline + 1;
    }
    return inBlock;
}

// Turns the C comments of `text` ("/* ... */", and "// ..." to the end of its line) into
// spaces, line breaks kept, so that positions and line numbers stay. A comment that is
// never closed is a problem.
std::optional<Problem> blankComments(std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '/' || (text[i + 1] != '/' && text[i + 1] != '*'))
            continue;
        const bool block = text[i + 1] == '*';
        const std::size_t close = block ? text.find("*/", i + 2) : text.find('\n', i);
        if (block && close == std::string::npos)
            return Problem{i, "'/*' comment is not closed"};
        const std::size_t end = close == std::string::npos ? text.size() : close + (block ? 2 : 0);
        for (std::size_t k = i; k < end; ++k) {
            if (text[k] != '\n')
                text[k] = ' ';
        }
        i = end - 1;
    }
    return std::nullopt;
}

// The body of a C declaration: the bounds of the text between the first '{' and the '}'
// after it, when only ';' and whitespace follow that brace.
std::optional<std::pair<std::size_t, std::size_t>> declarationBody(std::string_view text) {
    const std::size_t open = text.find('{');
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t close = text.find('}', open);
    if (close == std::string_view::npos ||
        text.find_first_not_of("; \t\r\n\v\f", close + 1) != std::string_view::npos)
        return std::nullopt;
    return std::pair{open + 1, close};
}

// UTF-16 after its byte-order mark, as UTF-8; nothing when it is not well formed.
std::optional<std::string> fromUtf16(const std::uint8_t* data, std::size_t size, bool bigEndian) {
    if (size % 2 != 0)
        return std::nullopt;
    const auto unitAt = [&](std::size_t i) -> char32_t {
        return bigEndian ? data[i] << 8 | data[i + 1] : data[i + 1] << 8 | data[i];
    };
    std::string text;
    for (std::size_t i = 0; i < size; i += 2) {
        char32_t code = unitAt(i);
        if (code >= 0xDC00 && code <= 0xDFFF)
            return std::nullopt;
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 3 >= size)
                return std::nullopt;
            const char32_t low = unitAt(i + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                return std::nullopt;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(text, code);
    }
    return text;
}

// UTF-8 holding no control character but whitespace.
bool isText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8SequenceAt(text, i, code);
        if (length == 0 || (code < 0x20 && !isSpace(static_cast<char>(code))) || code == 0x7F)
            return false;
        i += length;
    }
    return true;
}

// The buffer as UTF-8 text, byte-order mark and NULs at the end dropped; nothing when it
// is not text.
std::optional<std::string> textOf(const std::vector<std::uint8_t>& bytes) {
    const auto startsWith = [&](std::initializer_list<std::uint8_t> mark) {
        return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
    };
    std::optional<std::string> text;
    if (startsWith({0xFF, 0xFE}) || startsWith({0xFE, 0xFF}))
        text = fromUtf16(bytes.data() + 2, bytes.size() - 2, bytes[0] == 0xFE);
    else if (startsWith({0xEF, 0xBB, 0xBF}))
        text = std::string(bytes.begin() + 3, bytes.end());
    else
        text = std::string(bytes.begin(), bytes.end());
    if (!text)
        return std::nullopt;
    const std::size_t end = text->find_last_not_of('\0');
    // NULs alone are binary (a file of zeros), not an empty text.
    if (end == std::string::npos && !text->empty())
        return std::nullopt;
    text->resize(end == std::string::npos ? 0 : end + 1);
    if (!isText(*text))
        return std::nullopt;
    return text;
}

std::size_t lineOf(std::string_view text, std::size_t at) {
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + at, '\n'));
}

// The EDID of whole bytes, the first 256 as the file format reads them.
EdidInput readBytes(EdidInputForm form, const std::vector<std::uint8_t>& bytes) {
    EdidInput input;
    input.status = EdidInputStatus::Read;
    input.form = form;
    input.image = EdidImageFromBytes(bytes);
    input.length = bytes.size();
    if (bytes.size() > kEdidSize)
        input.beyond.assign(bytes.begin() + kEdidSize, bytes.end());
    return input;
}

EdidInput parseText(const std::string& text) {
    EdidInput input;
    if (text.empty()) {
        input.status = EdidInputStatus::Empty;
        return input;
    }
    if (std::all_of(text.begin(), text.end(), isSpace)) {
        input.status = EdidInputStatus::Blank;
        return input;
    }
    std::string code = text;
    const std::optional<Problem> openComment = blankComments(code);
    std::vector<std::uint8_t> parsed;
    std::optional<Problem> problem;
    EdidInputForm form = EdidInputForm::Binary;
    if (const auto body = declarationBody(code)) {
        form = EdidInputForm::CDeclaration;
        problem = openComment ? openComment : readHex(code, body->first, body->second, parsed);
    } else if (readMarkedBlock(text, form, parsed, problem)) {
        // A mistake that ends the block counts only when the block is then short.
        if (!parsed.empty() && parsed.size() % kEdidBlockSize == 0)
            problem.reset();
    } else {
        form = EdidInputForm::PlainHex;
        problem = openComment ? openComment : readHex(code, 0, code.size(), parsed);
    }
    input.form = form;
    if (problem) {
        input.status = EdidInputStatus::NotHex;
        input.problem = "line " + std::to_string(lineOf(text, problem->at)) + ": " + problem->what;
        return input;
    }
    if (parsed.empty() || parsed.size() % kEdidBlockSize != 0) {
        input.status = EdidInputStatus::WrongLength;
        input.length = parsed.size();
        return input;
    }
    return readBytes(form, parsed);
}

} // namespace

EdidInput ParseEdidInput(const std::vector<std::uint8_t>& bytes) {
    const bool header = bytes.size() >= EdidHeader.size() &&
                        std::equal(EdidHeader.begin(), EdidHeader.end(), bytes.begin());
    if (!header && bytes.size() <= kEdidTextLimit) {
        if (const std::optional<std::string> text = textOf(bytes))
            return parseText(*text);
    }
    return readBytes(EdidInputForm::Binary, bytes);
}

EdidInput ReadEdidInput(const std::string& path) {
    // One byte over the limit tells a long file from one that just fits.
    const std::size_t limit = std::max(kEdidTextLimit + 1, kEdidSize);
    std::vector<std::uint8_t> bytes;
    std::size_t total = 0;
    if (path == "-") {
        if (!ReadStreamBytes(stdin, limit, bytes, &total))
            return EdidInput{};
    } else {
        std::optional<std::vector<std::uint8_t>> file = ReadRegularFile(path, limit, &total);
        if (!file)
            return EdidInput{};
        bytes = std::move(*file);
    }
    EdidInput input = ParseEdidInput(bytes);
    if (input.status == EdidInputStatus::Read && input.form == EdidInputForm::Binary)
        input.length = total;
    return input;
}

EdidInput ReadEdidFileAs(const std::string& path, EdidFileReading reading) {
    if (reading == EdidFileReading::BinaryOrText)
        return ReadEdidInput(path);
    EdidInput input;
    if (ReadEdidFile(path, input.image))
        input.status = EdidInputStatus::Read;
    return input;
}

std::string EdidInputMessage(const EdidInput& input) {
    switch (input.status) {
    case EdidInputStatus::Read:
        return {};
    case EdidInputStatus::CannotOpen:
        return "Edid Open Fail.";
    case EdidInputStatus::Empty:
        return "empty input";
    case EdidInputStatus::Blank:
        return "blank input (only whitespace)";
    case EdidInputStatus::NotHex:
        return input.problem;
    case EdidInputStatus::WrongLength:
        break;
    }
    return "Hex text holds " + std::to_string(input.length) +
           " bytes, not a whole number of 128-byte blocks.";
}

#include "EdidInput.h"

#include "EdidFile.h"
#include "HexDigit.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == ',';
}

// One token between separators: "0x" and one or two digits, or an even number of
// digits (a pair, or pairs run together as a display server lists them).
bool appendToken(std::string_view token, std::vector<std::uint8_t>& out) {
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        token.remove_prefix(2);
        if (token.size() > 2)
            return false;
        int value = 0;
        for (char c : token) {
            const int digit = HexDigitValue(c);
            if (digit < 0)
                return false;
            value = value * 16 + digit;
        }
        out.push_back(static_cast<std::uint8_t>(value));
        return true;
    }
    if (token.size() % 2 != 0)
        return false;
    for (std::size_t i = 0; i < token.size(); i += 2) {
        const int high = HexDigitValue(token[i]);
        const int low = HexDigitValue(token[i + 1]);
        if (high < 0 || low < 0)
            return false;
        out.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return true;
}

// Appends the bytes of `text` when all of it is hex tokens and separators; otherwise
// leaves `out` as it was and returns false.
bool appendHexPairs(std::string_view text, std::vector<std::uint8_t>& out) {
    const std::size_t before = out.size();
    std::size_t i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        if (!appendToken(text.substr(i, end - i), out)) {
            out.resize(before);
            return false;
        }
        i = end;
    }
    return true;
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

// Finds the first marker line; on success sets `form` and fills `out` with the hex
// lines after it (blank lines between them skipped).
bool readMarkedBlock(std::string_view text, EdidInputForm& form, std::vector<std::uint8_t>& out) {
    bool inBlock = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t newline = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, newline - start);
        start = newline + 1;
        if (!inBlock) {
            form = markerForm(line);
            inBlock = form != EdidInputForm::Binary;
        } else if (!trimmed(line).empty() && !appendHexPairs(line, out)) {
            break;
        }
    }
    return inBlock;
}

// The body of a C declaration: the text between the first '{' and the '}' after it,
// when only ';' and whitespace follow that brace.
std::optional<std::string_view> declarationBody(std::string_view text) {
    const std::size_t open = text.find('{');
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t close = text.find('}', open);
    if (close == std::string_view::npos ||
        text.find_first_not_of("; \t\r\n\v\f", close + 1) != std::string_view::npos)
        return std::nullopt;
    return text.substr(open + 1, close - open - 1);
}

} // namespace

EdidInput ParseEdidInput(const std::vector<std::uint8_t>& bytes) {
    EdidInput input;
    input.status = EdidInputStatus::Read;
    const bool header = bytes.size() >= EdidHeader.size() &&
                        std::equal(EdidHeader.begin(), EdidHeader.end(), bytes.begin());
    if (!header && bytes.size() <= kEdidTextLimit) {
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        std::vector<std::uint8_t> parsed;
        EdidInputForm form = EdidInputForm::Binary;
        const std::optional<std::string_view> body = declarationBody(text);
        if (body && appendHexPairs(*body, parsed) && !parsed.empty())
            form = EdidInputForm::CDeclaration;
        if (form == EdidInputForm::CDeclaration || readMarkedBlock(text, form, parsed) ||
            (appendHexPairs(text, parsed) && !parsed.empty())) {
            input.form = form == EdidInputForm::Binary ? EdidInputForm::PlainHex : form;
            input.textBytes = parsed.size();
            if (parsed.empty() || parsed.size() % kEdidBlockSize != 0) {
                input.status = EdidInputStatus::WrongLength;
                return input;
            }
            input.image = EdidImageFromBytes(parsed);
            return input;
        }
    }
    input.image = EdidImageFromBytes(bytes);
    return input;
}

EdidInput ReadEdidInput(const std::string& path) {
    // One byte over the limit tells a long file from one that just fits.
    const std::size_t limit = std::max(kEdidTextLimit + 1, kEdidSize);
    std::vector<std::uint8_t> bytes;
    if (path == "-") {
        if (!ReadStreamBytes(stdin, limit, bytes))
            return EdidInput{};
        return ParseEdidInput(bytes);
    }
    const std::optional<std::vector<std::uint8_t>> file = ReadRegularFile(path, limit);
    if (!file)
        return EdidInput{};
    return ParseEdidInput(*file);
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
    case EdidInputStatus::WrongLength:
        break;
    }
    return "Hex text holds " + std::to_string(input.textBytes) +
           " bytes, not a whole number of 128-byte blocks.";
}

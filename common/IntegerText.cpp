#include "IntegerText.h"

#include "HexDigit.h"
#include "Prompts.h"

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid integer value") {}

std::int32_t StrToInt(const std::string& text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos)
        throw ConversionError(text);

    std::size_t hexStart = std::string::npos;
    if (text[i] == '$' || text[i] == 'x' || text[i] == 'X')
        hexStart = i + 1;
    else if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X'))
        hexStart = i + 2;

    if (hexStart != std::string::npos) {
        if (hexStart >= text.size())
            throw ConversionError(text);
        std::uint64_t value = 0;
        for (std::size_t k = hexStart; k < text.size(); ++k) {
            const int d = HexDigitValue(text[k]);
            if (d < 0)
                throw ConversionError(text);
            value = value * 16 + static_cast<std::uint64_t>(d);
            if (value > 0xFFFFFFFFull)
                throw ConversionError(text);
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }

    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        throw ConversionError(text);
    std::int64_t value = 0;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw ConversionError(text);
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            throw ConversionError(text);
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

bool RunHandler(Prompts& prompts, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const ConversionError& e) {
        prompts.showError(e.what());
        return false;
    }
}

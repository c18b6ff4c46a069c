#include "CreatorInputRules.h"

#include <Colours.h>
#include <IntegerText.h>

namespace {

int toInt(const QString& text) {
    return StrToInt(text.toStdString());
}

// The text without the blanks (and control characters) at either end.
QString withoutBlanks(const QString& text) {
    int first = 0;
    int last = text.size();
    while (first < last && text.at(first) <= QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) <= QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

bool never(const QString&) {
    return false;
}
bool isEmpty(const QString& text) {
    return text.isEmpty();
}
bool shorterThanYear(const QString& text) {
    return text.size() < 4;
}

bool overThreeLetters(const QString& text) {
    return text.size() > 3;
}
bool overThirteenLetters(const QString& text) {
    return text.size() > 13;
}
bool overProductCode(const QString& text) {
    return toInt(text) > 65535;
}
// Looks at the first six digits before the length, so "-" fails the conversion first.
bool overSerialNumber(const QString& text) {
    const bool highStart = toInt(text.left(6)) > 429495;
    return (highStart && text.size() >= 10) || text.size() >= 11;
}
bool outsideYears(const QString& text) {
    const int year = toInt(text);
    return year < 1990 || year > 2245;
}
bool overWeek(const QString& text) {
    return toInt(text) > 53;
}
// The first character is converted before the length is looked at.
bool overChannels(const QString& text) {
    return toInt(text.left(1)) > 8 || text.size() > 1;
}
bool overLuminance(const QString& text) {
    return toInt(withoutBlanks(text)) > 255;
}

// A rule's test of a text; `over` may throw ConversionError.
struct Limit {
    bool (*silent)(const QString& text);
    bool (*over)(const QString& text);
    const char* message;
};

const Limit kManufacName{never, overThreeLetters, "3 Letters Limited!"};
const Limit kMonitorName{never, overThirteenLetters, "13 Letters Limited!"};
const Limit kProductCode{isEmpty, overProductCode, "65535 Limited!"};
const Limit kSerialNumber{isEmpty, overSerialNumber, "4 Billion Limited!"};
const Limit kYear{shorterThanYear, outsideYears, "1990~2245 Limited!"};
const Limit kWeek{isEmpty, overWeek, "53 Limited!"};
const Limit kChannels{never, overChannels, "8 MaxCH Limited!"};
const Limit kLuminance{never, overLuminance, "255 Limited!"};

// The edit a change checks, and its limit.
struct Rule {
    CreatorEdit source;
    const Limit* limit;
};

// The rule of each edit's change. The bit-rate edits have none.
Rule ruleOf(CreatorEdit changed) {
    switch (changed) {
    case CreatorEdit::ManufacName:
        return {changed, &kManufacName};
    // The CEC address shares the manufacturer name's handler: it checks (and colours)
    // the name, whatever the address holds.
    case CreatorEdit::CecAddress:
        return {CreatorEdit::ManufacName, &kManufacName};
    case CreatorEdit::MonitorName:
        return {changed, &kMonitorName};
    case CreatorEdit::ProductCode:
        return {changed, &kProductCode};
    case CreatorEdit::SerialNumber:
        return {changed, &kSerialNumber};
    case CreatorEdit::ManufacYear:
        return {changed, &kYear};
    case CreatorEdit::ManufacWeek:
        return {changed, &kWeek};
    case CreatorEdit::LpcmMaxCh:
    case CreatorEdit::Ac3MaxCh:
    case CreatorEdit::Eac3MaxCh:
    case CreatorEdit::MatMaxCh:
    case CreatorEdit::DtsMaxCh:
    case CreatorEdit::DtshdMaxCh:
    case CreatorEdit::AacMaxCh:
    case CreatorEdit::ObaMaxCh:
        return {changed, &kChannels};
    case CreatorEdit::HdrDcld1:
    case CreatorEdit::HdrDcld2:
    case CreatorEdit::HdrDcld3:
        return {changed, &kLuminance};
    case CreatorEdit::Ac3BitRate:
    case CreatorEdit::DtsBitRate:
    case CreatorEdit::AacBitRate:
        break;
    }
    return {changed, nullptr};
}

} // namespace

InputRuleResult RunInputRule(CreatorEdit changed,
                             const std::function<const QString&(CreatorEdit)>& textOf) {
    const Rule rule = ruleOf(changed);
    if (!rule.limit)
        return {};
    const QString& text = textOf(rule.source);
    if (rule.limit->silent(text))
        return {};
    bool over = false;
    try {
        over = rule.limit->over(text);
    } catch (const ConversionError& e) {
        return {std::nullopt, std::string(e.what())};
    }
    return {InputVerdict{rule.source, over ? Colour::Red : Colour::Black,
                         over ? QString::fromLatin1(rule.limit->message) : QString()},
            std::nullopt};
}

#include "CreatorRules.h"

#include "CreatorTables.h"
#include "PanelLookup.h"

#include <Colour.h>
#include <IntegerText.h>

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlack = 0x000000;

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

const CreatorRules::Limit kManufacName{never, overThreeLetters, "3 Letters Limited!"};
const CreatorRules::Limit kMonitorName{never, overThirteenLetters, "13 Letters Limited!"};
const CreatorRules::Limit kProductCode{isEmpty, overProductCode, "65535 Limited!"};
const CreatorRules::Limit kSerialNumber{isEmpty, overSerialNumber, "4 Billion Limited!"};
const CreatorRules::Limit kYear{shorterThanYear, outsideYears, "1990~2245 Limited!"};
const CreatorRules::Limit kWeek{isEmpty, overWeek, "53 Limited!"};
const CreatorRules::Limit kChannels{never, overChannels, "8 MaxCH Limited!"};
const CreatorRules::Limit kLuminance{never, overLuminance, "255 Limited!"};

struct EditRule {
    const char* edit;
    const CreatorRules::Limit& limit;
};

// The handlers Edit_Creator_Manufac_NameChange ... Edit_Creator_Manufac_WeekChange.
const EditRule kDescriptorRules[] = {
    {"Edit_Creator_Manufac_Name", kManufacName}, {"Edit_Creator_Monitor_Name", kMonitorName},
    {"Edit_Creator_Product_Code", kProductCode}, {"Edit_Creator_Serial_Number", kSerialNumber},
    {"Edit_Creator_Manufac_Year", kYear},        {"Edit_Creator_Manufac_Week", kWeek},
};

} // namespace

CreatorRules::CreatorRules(QWidget& editor, QLabel& warning, Prompts& prompts)
    : QObject(&editor), warning_(warning), prompts_(prompts) {
    for (const EditRule& rule : kDescriptorRules)
        attach(editor, rule.edit, rule.edit, rule.limit);
    // The CEC address shares the manufacturer name's handler: it checks (and colours) the
    // name, whatever the address holds.
    attach(editor, "Edit_Creator_CEC_Address", "Edit_Creator_Manufac_Name", kManufacName);

    // Edit_AudioLPCM_MaxChChange ... Edit_AudioOBA_MaxChChange.
    attach(editor, "Edit_AudioLPCM_MaxCh", "Edit_AudioLPCM_MaxCh", kChannels);
    for (const CreatorAudioFormat& format : CreatorAudioFormats) {
        const QByteArray name = QByteArray("Edit_Audio") + format.key + "_MaxCh";
        attach(editor, name.constData(), name.constData(), kChannels);
    }
    // Edit_HDR_DCLD_1Change ... Edit_HDR_DCLD_3Change.
    for (int i = 1; i <= 3; ++i) {
        const QByteArray name = "Edit_HDR_DCLD_" + QByteArray::number(i);
        attach(editor, name.constData(), name.constData(), kLuminance);
    }
}

void CreatorRules::attach(QWidget& editor, const char* changed, const char* source,
                          const Limit& limit) {
    auto* changedEdit = findControl<QLineEdit>(editor, changed);
    auto* sourceEdit = findControl<QLineEdit>(editor, source);
    connect(changedEdit, &QLineEdit::textChanged, this,
            [this, sourceEdit, &limit] { check(*sourceEdit, limit); });
}

void CreatorRules::check(QLineEdit& source, const Limit& limit) {
    RunHandler(prompts_, [&] {
        const QString text = source.text();
        if (limit.silent(text))
            return;
        const bool over = limit.over(text);
        warning_.setText(over ? QString::fromLatin1(limit.message) : QString());
        QPalette palette = source.palette();
        palette.setColor(QPalette::Text, colourFromBgr(over ? kRed : kBlack));
        source.setPalette(palette);
    });
}

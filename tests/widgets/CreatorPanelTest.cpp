// The creator's editor pages: every control the loads and the builder reach by name, and
// the rules that act while the user edits.
#include "CaptionPanel.h"
#include "CreatorTables.h"
#include "ScriptedPrompts.h"
#include "User_interface.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class CreatorPanelTest : public ::testing::Test {
protected:
    CreatorPanelTest() {
        auto scripted = std::make_unique<ScriptedPrompts>();
        prompts = scripted.get();
        form = std::make_unique<TForm1>(QStringList{}, std::move(scripted));
    }

    template <class T> T* get(const std::string& name) { return form->control<T>(name.c_str()); }
    QLineEdit* edit(const std::string& name) { return get<QLineEdit>(name); }
    QCheckBox* box(const std::string& name) { return get<QCheckBox>(name); }
    QString warning() { return get<QLabel>("Label_EdidCreator_Warning")->text(); }
    QColor fontColour(const std::string& name) {
        return edit(name)->palette().color(QPalette::Text);
    }
    // Marks the warning line, so a test sees whether a rule touched it.
    void markWarning() { get<QLabel>("Label_EdidCreator_Warning")->setText("marked"); }

    ScriptedPrompts* prompts = nullptr;
    std::unique_ptr<TForm1> form;
};

struct Family {
    const char* prefix;
    int first;
    int last;
};

const Family kFamilies[] = {
    {"CheckBox_EstablishTiming_", 1, 17},
    {"CheckBox_StandardTiming_", 1, 5},
    {"CheckBox_AudioLPCM_Freq_", 1, 7},
    {"CheckBox_AudioLPCM_SamBit_", 1, 3},
    {"CheckBox_SpeakerPosition_", 1, 11},
    {"CheckBox_AudioFormat_", 1, 9},
    {"CheckBox_AudioAC3_Freq_", 1, 7},
    {"CheckBox_AudioEAC3_Freq_", 1, 7},
    {"CheckBox_AudioMAT_Freq_", 1, 7},
    {"CheckBox_AudioDTS_Freq_", 1, 7},
    {"CheckBox_AudioDTSHD_Freq_", 1, 7},
    {"CheckBox_AudioAAC_Freq_", 1, 7},
    {"CheckBox_AudioOBA_Freq_", 1, 7},
    {"CheckBox_ColorSpace_", 1, 3},
    {"CheckBox_ColorDepth_", 1, 3},
    {"CheckBox_Colorimetry_", 1, 8},
    {"CheckBox_HDR_", 1, 3},
    {"CheckBox_HDR_EOTF_", 1, 3},
};

TEST_F(CreatorPanelTest, EveryFamilyMemberExistsUnticked) {
    for (const Family& family : kFamilies)
        for (int n = family.first; n <= family.last; ++n) {
            const std::string name = family.prefix + std::to_string(n);
            auto* found = form->findChild<QCheckBox*>(QString::fromStdString(name));
            ASSERT_NE(found, nullptr) << name;
            EXPECT_FALSE(found->isChecked()) << name;
        }
    for (int vic : CreatorVicList)
        EXPECT_NE(form->findChild<QCheckBox*>(QStringLiteral("CheckBox_VideoIdCode_%1").arg(vic)),
                  nullptr)
            << vic;
    for (int vic : CreatorYuv420VicList)
        EXPECT_NE(form->findChild<QCheckBox*>(QStringLiteral("CheckBox_YUV420VDB_%1").arg(vic)),
                  nullptr)
            << vic;
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(edit("Edit_HDR_DCLD_" + std::to_string(n))->text(), "    0");
}

TEST_F(CreatorPanelTest, EditsHoldTheirStartTexts) {
    const std::pair<const char*, const char*> starts[] = {
        {"Edit_Creator_Manufac_Name", ""}, {"Edit_Creator_Monitor_Name", ""},
        {"Edit_Creator_Product_Code", ""}, {"Edit_Creator_Serial_Number", ""},
        {"Edit_Creator_Manufac_Year", ""}, {"Edit_Creator_Manufac_Week", ""},
        {"Edit_AudioLPCM_MaxCh", "0"},     {"Edit_Creator_CEC_Address", "0000"},
    };
    for (const auto& [name, text] : starts)
        EXPECT_EQ(edit(name)->text(), QString::fromLatin1(text)) << name;
    for (const CreatorAudioFormat& format : CreatorAudioFormats) {
        const std::string key = format.key;
        EXPECT_EQ(edit("Edit_Audio" + key + "_MaxCh")->text(), "0") << key;
        auto* rate =
            form->findChild<QLineEdit*>(QString::fromStdString("Edit_Audio" + key + "_BitRate"));
        EXPECT_EQ(rate != nullptr, format.hasBitRate) << key;
        if (rate) {
            EXPECT_EQ(rate->text(), "     0") << key;
        }
    }
    EXPECT_TRUE(warning().isEmpty());
}

TEST_F(CreatorPanelTest, PagesInTabOrderStartingOnDescriptor) {
    auto* pages = get<QTabWidget>("PageControl2");
    const char* names[] = {"TabSheet5",  "TabSheet6", "TabSheet7", "TabSheet8",
                           "TabSheet11", "TabSheet9", "TabSheet12"};
    const char* captions[] = {"Descriptor", "PC Timing",   "SD/HD/UHD", "Audio1",
                              "Audio2",     "Color Space", "Others"};
    ASSERT_EQ(pages->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), names[i]);
        EXPECT_EQ(pages->tabText(i), captions[i]);
    }
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheet5");
}

TEST_F(CreatorPanelTest, CaptionsOfRowsAndBoxes) {
    std::vector<QString> rows;
    for (const CaptionPanel* row : form->findChildren<CaptionPanel*>())
        rows.push_back(row->caption());
    for (const char* label :
         {"Manufacturer Name :", "Serial Number :", "640 x 480 @", "1280 x1024 @", "4K(3G) @",
          "Colorimetry", "HDR", "3D", "CEC Address :", "Dolby Digital", "One Bit Audio"})
        EXPECT_NE(std::find(rows.begin(), rows.end(), QStringLiteral("     ") + label), rows.end())
            << label;

    const std::pair<const char*, const char*> boxes[] = {
        {"CheckBox_EstablishTiming_12", "87Hz"},  {"CheckBox_StandardTiming_5", "75Hz"},
        {"CheckBox_YUV420VDB_97", "60Hz"},        {"CheckBox_AudioFormat_1", "Basic"},
        {"CheckBox_AudioLPCM_SamBit_3", "16Bit"}, {"CheckBox_AudioLPCM_Freq_2", "176.4kHz"},
        {"CheckBox_SpeakerPosition_1r", "FRW"},   {"CheckBox_SpeakerPosition_11", "FLH"},
        {"CheckBox_AudDetail_OBA", "For Detail"}, {"CheckBox_Colorimetry_5", "AdobeYCC601"},
        {"CheckBox_HDR_EOTF_1", "SMPTE ST 2084"}, {"CheckBox_HDR_Despt_1", "Type 1"},
        {"CheckBox_3D_Present", "Yes"},           {"CheckBox_HDR_Detail", "For Detail"},
    };
    for (const auto& [name, caption] : boxes)
        EXPECT_EQ(box(name)->text(), caption) << name;
    EXPECT_TRUE(box("CheckBox_AudioFormat_2")->isHidden());
    EXPECT_EQ(get<QLabel>("Label6")->text(), "High\nFront\nCenter\nRear\nLow");
    EXPECT_EQ(
        get<QLabel>("Label5")->text(),
        "Wide        Left                       Center                    Right         Wide");
}

// Setting `text` into `edit` leaves the warning line at `warning`, and the edit red when
// the warning is not empty, black otherwise.
struct RuleCase {
    const char* edit;
    const char* text;
    const char* warning;
};

TEST_F(CreatorPanelTest, LimitsOfEveryRule) {
    const RuleCase cases[] = {
        {"Edit_Creator_Manufac_Name", "ABC", ""},
        {"Edit_Creator_Manufac_Name", "ABCD", "3 Letters Limited!"},
        {"Edit_Creator_Manufac_Name", "", ""},
        {"Edit_Creator_Monitor_Name", "1234567890123", ""},
        {"Edit_Creator_Monitor_Name", "12345678901234", "13 Letters Limited!"},
        {"Edit_Creator_Product_Code", "65535", ""},
        {"Edit_Creator_Product_Code", "65536", "65535 Limited!"},
        {"Edit_Creator_Product_Code", "$10000", "65535 Limited!"},
        {"Edit_Creator_Product_Code", "-1", ""},
        {"Edit_Creator_Serial_Number", "4294959999", ""},
        {"Edit_Creator_Serial_Number", "4294960000", "4 Billion Limited!"},
        {"Edit_Creator_Serial_Number", "42949600", ""},
        {"Edit_Creator_Serial_Number", "3999999999", ""},
        {"Edit_Creator_Serial_Number", "00000000001", "4 Billion Limited!"},
        {"Edit_Creator_Manufac_Year", "1990", ""},
        {"Edit_Creator_Manufac_Year", "1989", "1990~2245 Limited!"},
        {"Edit_Creator_Manufac_Year", "2245", ""},
        {"Edit_Creator_Manufac_Year", "2246", "1990~2245 Limited!"},
        {"Edit_Creator_Manufac_Year", "20150", "1990~2245 Limited!"},
        {"Edit_Creator_Manufac_Week", "53", ""},
        {"Edit_Creator_Manufac_Week", "54", "53 Limited!"},
        {"Edit_Creator_Manufac_Week", "0", ""},
        {"Edit_AudioLPCM_MaxCh", "8", ""},
        {"Edit_AudioLPCM_MaxCh", "9", "8 MaxCH Limited!"},
        {"Edit_AudioLPCM_MaxCh", "10", "8 MaxCH Limited!"},
        {"Edit_AudioLPCM_MaxCh", "9x", "8 MaxCH Limited!"},
        {"Edit_AudioOBA_MaxCh", "8", ""},
        {"Edit_AudioDTSHD_MaxCh", "88", "8 MaxCH Limited!"},
        {"Edit_HDR_DCLD_1", "  255  ", ""},
        {"Edit_HDR_DCLD_2", "256", "255 Limited!"},
        {"Edit_HDR_DCLD_3", " -7", ""},
    };
    for (const RuleCase& c : cases) {
        markWarning();
        edit(c.edit)->setText(QString::fromLatin1(c.text));
        const bool over = *c.warning != '\0';
        EXPECT_EQ(warning(), QString::fromLatin1(c.warning)) << c.edit << " " << c.text;
        EXPECT_EQ(fontColour(c.edit), over ? QColor(Qt::red) : QColor(Qt::black))
            << c.edit << " " << c.text;
    }
    EXPECT_TRUE(prompts->errors.empty());
}

TEST_F(CreatorPanelTest, SilenceConditionsLeaveTheWarningAlone) {
    const RuleCase cases[] = {
        {"Edit_Creator_Product_Code", "", nullptr},   {"Edit_Creator_Serial_Number", "", nullptr},
        {"Edit_Creator_Manufac_Week", "", nullptr},   {"Edit_Creator_Manufac_Year", "2", nullptr},
        {"Edit_Creator_Manufac_Year", "20", nullptr}, {"Edit_Creator_Manufac_Year", "201", nullptr},
    };
    for (const RuleCase& c : cases) {
        edit(c.edit)->setText(QStringLiteral("x")); // any different text first
        markWarning();
        edit(c.edit)->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(warning(), "marked") << c.edit << " '" << c.text << "'";
    }
    prompts->errors.clear();
    markWarning();
    edit("Edit_Creator_Manufac_Year")->setText("2015");
    EXPECT_EQ(warning(), "");
    EXPECT_TRUE(prompts->errors.empty());
}

TEST_F(CreatorPanelTest, SettingTheSameTextRunsNothing) {
    edit("Edit_Creator_Manufac_Name")->setText("ABCD");
    markWarning();
    edit("Edit_Creator_Manufac_Name")->setText("ABCD");
    EXPECT_EQ(warning(), "marked");
    edit("Edit_AudioLPCM_MaxCh")->setText("0"); // its start text
    EXPECT_EQ(warning(), "marked");
}

// A failed conversion shows the error box with the converted text, and the warning line
// and the font stay as they were.
TEST_F(CreatorPanelTest, ConversionFailuresShowTheErrorBox) {
    const std::pair<const char*, const char*> cases[][2] = {
        {{"Edit_AudioLPCM_MaxCh", "a"}, {"'a' is not a valid integer value", nullptr}},
        {{"Edit_AudioAC3_MaxCh", ""}, {"'' is not a valid integer value", nullptr}},
        {{"Edit_AudioEAC3_MaxCh", "x9"}, {"'x' is not a valid integer value", nullptr}},
        {{"Edit_HDR_DCLD_1", "   "}, {"'' is not a valid integer value", nullptr}},
        {{"Edit_HDR_DCLD_2", " 25 5"}, {"'25 5' is not a valid integer value", nullptr}},
        {{"Edit_Creator_Product_Code", "12 "}, {"'12 ' is not a valid integer value", nullptr}},
        {{"Edit_Creator_Manufac_Week", "-"}, {"'-' is not a valid integer value", nullptr}},
        {{"Edit_Creator_Manufac_Year", "19a0"}, {"'19a0' is not a valid integer value", nullptr}},
        // The first six characters are converted before the length is looked at.
        {{"Edit_Creator_Serial_Number", "12345x78901"},
         {"'12345x' is not a valid integer value", nullptr}},
    };
    for (const auto& c : cases) {
        const char* name = c[0].first;
        QPalette green = edit(name)->palette();
        green.setColor(QPalette::Text, Qt::green);
        edit(name)->setPalette(green);
        markWarning();
        prompts->errors.clear();
        edit(name)->setText(QString::fromLatin1(c[0].second));
        ASSERT_EQ(prompts->errors.size(), 1u) << name;
        EXPECT_EQ(prompts->errors[0], c[1].first) << name;
        EXPECT_EQ(warning(), "marked") << name;
        EXPECT_EQ(fontColour(name), QColor(Qt::green)) << name;
        EXPECT_EQ(edit(name)->text(), QString::fromLatin1(c[0].second)) << name;
    }
}

TEST_F(CreatorPanelTest, OneWarningLineForAllEdits) {
    edit("Edit_Creator_Manufac_Week")->setText("99");
    EXPECT_EQ(warning(), "53 Limited!");
    edit("Edit_Creator_Product_Code")->setText("12");
    EXPECT_EQ(warning(), "");
    EXPECT_EQ(fontColour("Edit_Creator_Manufac_Week"), QColor(Qt::red));
    EXPECT_EQ(fontColour("Edit_Creator_Product_Code"), QColor(Qt::black));
    edit("Edit_Creator_Manufac_Week")->setText("9");
    EXPECT_EQ(fontColour("Edit_Creator_Manufac_Week"), QColor(Qt::black));
}

TEST_F(CreatorPanelTest, CecAddressRunsTheManufacturerNameRule) {
    edit("Edit_Creator_Manufac_Name")->setText("ABCD");
    edit("Edit_Creator_Product_Code")->setText("1"); // clears the line
    edit("Edit_Creator_CEC_Address")->setText("12Z4");
    EXPECT_EQ(warning(), "3 Letters Limited!");
    EXPECT_EQ(fontColour("Edit_Creator_Manufac_Name"), QColor(Qt::red));
    EXPECT_EQ(fontColour("Edit_Creator_CEC_Address"), QColor(Qt::black));

    edit("Edit_Creator_Manufac_Name")->setText("ABC");
    markWarning();
    edit("Edit_Creator_CEC_Address")->setText("1000");
    EXPECT_EQ(warning(), "");
    EXPECT_TRUE(prompts->errors.empty());
}

TEST_F(CreatorPanelTest, TypedLettersBecomeUpperCaseSetTextDoesNot) {
    for (const char* name : {"Edit_Creator_Manufac_Name", "Edit_Creator_CEC_Address"}) {
        edit(name)->clear();
        QTest::keyClicks(edit(name), "ab1c");
        EXPECT_EQ(edit(name)->text(), "AB1C") << name;
        edit(name)->setText("abc");
        EXPECT_EQ(edit(name)->text(), "abc") << name;
    }
    // Typing a fourth letter warns, deleting it clears the warning.
    edit("Edit_Creator_Manufac_Name")->setText("NEW");
    edit("Edit_Creator_Manufac_Name")->setCursorPosition(3);
    QTest::keyClicks(edit("Edit_Creator_Manufac_Name"), "x");
    EXPECT_EQ(edit("Edit_Creator_Manufac_Name")->text(), "NEWX");
    EXPECT_EQ(warning(), "3 Letters Limited!");
    QTest::keyClick(edit("Edit_Creator_Manufac_Name"), Qt::Key_Backspace);
    EXPECT_EQ(warning(), "");
    // Other edits keep what is typed.
    QTest::keyClicks(edit("Edit_Creator_Monitor_Name"), "tv");
    EXPECT_EQ(edit("Edit_Creator_Monitor_Name")->text(), "tv");
}

TEST_F(CreatorPanelTest, SpeakerPairsMirrorEachOther) {
    std::vector<QCheckBox*> all;
    for (QCheckBox* b : form->findChildren<QCheckBox*>())
        if (b->objectName().startsWith("CheckBox_SpeakerPosition_"))
            all.push_back(b);
    ASSERT_EQ(all.size(), 17u);

    for (int n : {1, 2, 3, 5, 8, 11}) {
        QCheckBox* left = box("CheckBox_SpeakerPosition_" + std::to_string(n));
        QCheckBox* right = box("CheckBox_SpeakerPosition_" + std::to_string(n) + "r");
        left->click();
        EXPECT_TRUE(right->isChecked()) << n;
        right->click();
        EXPECT_FALSE(left->isChecked()) << n;
        right->setChecked(true); // a load sets boxes the same way
        EXPECT_TRUE(left->isChecked()) << n;
        left->setChecked(false);
        EXPECT_FALSE(right->isChecked()) << n;
    }
    for (int n : {4, 6, 7, 9, 10}) {
        QCheckBox* single = box("CheckBox_SpeakerPosition_" + std::to_string(n));
        single->click();
        for (QCheckBox* other : all)
            EXPECT_EQ(other->isChecked(), other == single) << other->objectName().toStdString();
        single->click();
    }
}

TEST_F(CreatorPanelTest, AudioRowsCollapseAndExpand) {
    auto* list = get<QWidget>("Panel41");
    std::vector<QWidget*> rows;
    for (const CreatorAudioFormat& format : CreatorAudioFormats)
        rows.push_back(get<QWidget>(format.panel));
    int top = 0;
    for (QWidget* row : rows) {
        EXPECT_EQ(row->height(), 23);
        EXPECT_EQ(row->y(), top);
        top += 23;
    }

    QCheckBox* yes = box("CheckBox_AudioFormat_3");
    QCheckBox* detail = box("CheckBox_AudDetail_AC3");
    yes->click();
    EXPECT_EQ(rows[0]->height(), 23) << "ticking Yes does not expand";
    detail->click();
    EXPECT_EQ(rows[0]->height(), 110);
    EXPECT_EQ(rows[1]->y(), 110) << "the rows below move down";
    yes->click();
    EXPECT_FALSE(detail->isChecked());
    EXPECT_EQ(rows[0]->height(), 23);
    EXPECT_EQ(rows[1]->y(), 23);

    // "For Detail" expands a row whose "Yes" is unticked and leaves "Yes" alone.
    box("CheckBox_AudDetail_OBA")->click();
    EXPECT_EQ(rows[6]->height(), 110);
    EXPECT_FALSE(box("CheckBox_AudioFormat_9")->isChecked());

    // All expanded: the list keeps its height and cuts the last rows off.
    for (const CreatorAudioFormat& format : CreatorAudioFormats)
        box(std::string("CheckBox_AudDetail_") + format.key)->setChecked(true);
    EXPECT_EQ(list->height(), 420);
    EXPECT_EQ(rows[6]->y(), 660);
    EXPECT_EQ(get<QScrollArea>("ScrollBox1")->height(), 289);
}

TEST_F(CreatorPanelTest, HdrRowFollowsItsDetailBox) {
    auto* row = get<QWidget>("Panel31");
    EXPECT_EQ(row->height(), 23);
    box("CheckBox_HDR_Detail")->click();
    EXPECT_EQ(row->height(), 156);
    box("CheckBox_HDR_Detail")->click();
    EXPECT_EQ(row->height(), 23);
}

void turnWheel(QWidget* over, int delta) {
    const QPointF at(5, 5);
    QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &wheel);
}

TEST_F(CreatorPanelTest, ShowingTheAudio2PageFocusesItsList) {
    form->show();
    get<QTabWidget>("PageControl1")->setCurrentWidget(get<QWidget>("TabSheet4"));
    get<QTabWidget>("PageControl2")->setCurrentWidget(get<QWidget>("TabSheet11"));
    EXPECT_EQ(form->focusWidget(), get<QWidget>("ScrollBox1"));

    // Coming back to the creator's page while it shows Audio2 shows that page again.
    get<QTabWidget>("PageControl1")->setCurrentWidget(get<QWidget>("TabSheet1"));
    get<QWidget>("Edit_Creator_Monitor_Name")->setFocus();
    EXPECT_NE(form->focusWidget(), get<QWidget>("ScrollBox1"));
    get<QTabWidget>("PageControl1")->setCurrentWidget(get<QWidget>("TabSheet4"));
    EXPECT_EQ(form->focusWidget(), get<QWidget>("ScrollBox1"));
}

TEST_F(CreatorPanelTest, WheelMovesTheAudioListFifteenPixelsAStep) {
    form->show();
    get<QTabWidget>("PageControl1")->setCurrentWidget(get<QWidget>("TabSheet4"));
    get<QTabWidget>("PageControl2")->setCurrentWidget(get<QWidget>("TabSheet11"));

    QScrollBar* bar = get<QScrollArea>("ScrollBox1")->verticalScrollBar();
    ASSERT_EQ(bar->maximum(), 420 - 289);
    // Qt hands a wheel turned over a row on to the list's viewport.
    QWidget* over = get<QScrollArea>("ScrollBox1")->viewport();
    turnWheel(over, 120);
    EXPECT_EQ(bar->value(), 0) << "a step up at the top stays at the top";
    turnWheel(over, -120);
    EXPECT_EQ(bar->value(), 15);
    turnWheel(over, -240);
    EXPECT_EQ(bar->value(), 45);
    turnWheel(over, 60); // half a notch does nothing yet
    EXPECT_EQ(bar->value(), 45);
    turnWheel(over, 60);
    EXPECT_EQ(bar->value(), 30);
    turnWheel(bar, -120); // over the scroll bar itself: the same step
    EXPECT_EQ(bar->value(), 45);
    for (int i = 0; i < 20; ++i)
        turnWheel(over, -120);
    EXPECT_EQ(bar->value(), bar->maximum());
}

} // namespace

// The creator's editor pages: every field of the model has its control, the controls
// mirror the model both ways, and the view's own behaviour (rows, focus, wheel).
#include "CreatorPanel.h"
#include "AudioRows.h"
#include "CaptionPanel.h"
#include "CreatorBindings.h"
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

using E = CreatorEdit;
using F = BoxFamily;

class CreatorPanelTest : public ::testing::Test {
protected:
    CreatorPanelTest() {
        auto scripted = std::make_unique<ScriptedPrompts>();
        prompts = scripted.get();
        form = std::make_unique<TForm1>(QStringList{}, std::move(scripted));
    }

    template <class T> T* get(const char* name) { return form->control<T>(name); }
    QLineEdit* edit(CreatorEdit e) { return get<QLineEdit>(CreatorBindings::editName(e)); }
    QCheckBox* box(BoxFamily family, int number) {
        return get<QCheckBox>(CreatorBindings::boxName(family, number).constData());
    }
    CreatorPanel& panel() { return *form->findChild<CreatorPanel*>(); }
    QString warning() { return get<QLabel>(CreatorBindings::WarningLabel)->text(); }
    QColor fontColour(CreatorEdit e) { return edit(e)->palette().color(QPalette::Text); }
    // Marks the warning line (through the model, which the line shows), so a test sees
    // whether a rule touched it.
    void markWarning() {
        panel().model().setWarning("marked");
        panel().showModel();
    }

    ScriptedPrompts* prompts = nullptr;
    std::unique_ptr<TForm1> form;
};

TEST_F(CreatorPanelTest, EveryBoxOfTheModelHasItsControlUnticked) {
    int bound = 0;
    for (int f = 0; f < BoxFamilyCount; ++f) {
        const auto family = static_cast<BoxFamily>(f);
        for (int n : BoxNumbers(family)) {
            const QByteArray name = CreatorBindings::boxName(family, n);
            auto* found = form->findChild<QCheckBox*>(QString::fromLatin1(name));
            ASSERT_NE(found, nullptr) << name.constData();
            EXPECT_FALSE(found->isChecked()) << name.constData();
            ++bound;
        }
    }
    // The editor has no box that the model lacks.
    EXPECT_EQ(get<QWidget>("PageControl2")->findChildren<QCheckBox*>().size(), bound);
}

TEST_F(CreatorPanelTest, EditsShowTheModelsStartTexts) {
    const CreatorModel start;
    for (int i = 0; i < CreatorEditCount; ++i) {
        const auto e = static_cast<CreatorEdit>(i);
        EXPECT_EQ(edit(e)->text(), start.text(e)) << CreatorBindings::editName(e);
    }
    EXPECT_EQ(edit(E::CecAddress)->text(), "0000");
    EXPECT_EQ(edit(E::HdrDcld3)->text(), "    0");
    // Only the rows with a bit rate have its edit.
    EXPECT_EQ(get<QWidget>("PageControl2")->findChildren<QLineEdit*>().size(), CreatorEditCount);
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

    const std::pair<CreatorBox, const char*> boxes[] = {
        {{F::EstablishTiming, 12}, "87Hz"},  {{F::StandardTiming, 5}, "75Hz"},
        {{F::Yuv420Vdb, 97}, "60Hz"},        {{F::AudioFormat, 1}, "Basic"},
        {{F::LpcmSampleSize, 3}, "16Bit"},   {{F::LpcmFreq, 2}, "176.4kHz"},
        {{F::SpeakerRight, 1}, "FRW"},       {{F::Speaker, 11}, "FLH"},
        {{F::AudioDetail, 9}, "For Detail"}, {{F::Colorimetry, 5}, "AdobeYCC601"},
        {{F::HdrEotf, 1}, "SMPTE ST 2084"},  {{F::HdrDespt, 1}, "Type 1"},
        {{F::Present3D, 1}, "Yes"},          {{F::HdrDetail, 1}, "For Detail"},
    };
    for (const auto& [b, caption] : boxes)
        EXPECT_EQ(box(b.family, b.number)->text(), caption) << b.number;
    EXPECT_TRUE(box(F::AudioFormat, 2)->isHidden());
    EXPECT_EQ(get<QLabel>("Label6")->text(), "High\nFront\nCenter\nRear\nLow");
    EXPECT_EQ(
        get<QLabel>("Label5")->text(),
        "Wide        Left                       Center                    Right         Wide");
}

// A user's edit runs the model's rule; the warning line and the edit's colour show its
// verdict. (The rules themselves are tested on the model.)
TEST_F(CreatorPanelTest, AnEditRunsTheModelsRuleAndShowsItsVerdict) {
    edit(E::ManufacName)->setText("ABCD");
    EXPECT_EQ(warning(), "3 Letters Limited!");
    EXPECT_EQ(fontColour(E::ManufacName), QColor(Qt::red));
    EXPECT_EQ(panel().model().text(E::ManufacName), "ABCD");
    edit(E::ManufacWeek)->setText("9");
    EXPECT_EQ(warning(), "");
    EXPECT_EQ(fontColour(E::ManufacWeek), QColor(Qt::black));
    EXPECT_EQ(fontColour(E::ManufacName), QColor(Qt::red));

    // The CEC address's rule colours the manufacturer name.
    edit(E::CecAddress)->setText("12Z4");
    EXPECT_EQ(warning(), "3 Letters Limited!");
    EXPECT_EQ(fontColour(E::ManufacName), QColor(Qt::red));
    EXPECT_EQ(fontColour(E::CecAddress), QColor(Qt::black));

    markWarning();
    edit(E::ManufacName)->setText("ABCD"); // the model holds it already
    EXPECT_EQ(warning(), "marked");
    EXPECT_TRUE(prompts->errors.empty());
}

// A failed conversion shows the error box with the converted text, and the warning line
// and the font stay as they were.
TEST_F(CreatorPanelTest, AConversionFailureShowsTheErrorBox) {
    QPalette green = edit(E::LpcmMaxCh)->palette();
    green.setColor(QPalette::Text, Qt::green);
    edit(E::LpcmMaxCh)->setPalette(green);
    markWarning();
    edit(E::LpcmMaxCh)->setText("a");
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0], "'a' is not a valid integer value");
    EXPECT_EQ(warning(), "marked");
    EXPECT_EQ(fontColour(E::LpcmMaxCh), QColor(Qt::green));
    EXPECT_EQ(edit(E::LpcmMaxCh)->text(), "a");
}

// The manufacturer ID (and the CEC address) take upper case however the text arrives:
// typed, pasted or dropped (an insert), or committed by an input method. The model holds
// the same text; the cursor stays where the text put it.
TEST_F(CreatorPanelTest, UpperCaseEditsTakeCapitalsHoweverTheTextArrives) {
    for (CreatorEdit e : {E::ManufacName, E::CecAddress}) {
        QLineEdit* control = edit(e);
        control->clear();
        QTest::keyClicks(control, "ab1c");
        EXPECT_EQ(control->text(), "AB1C") << static_cast<int>(e);
        control->clear();
        control->insert("ab");
        EXPECT_EQ(control->text(), "AB") << static_cast<int>(e);
        control->setCursorPosition(1);
        control->insert("x");
        EXPECT_EQ(control->text(), "AXB") << static_cast<int>(e);
        EXPECT_EQ(control->cursorPosition(), 2) << static_cast<int>(e);
        QInputMethodEvent commit;
        commit.setCommitString("d");
        QApplication::sendEvent(control, &commit);
        EXPECT_EQ(control->text(), "AXDB") << static_cast<int>(e);
        control->setText("abc");
        EXPECT_EQ(control->text(), "ABC") << static_cast<int>(e);
        EXPECT_EQ(panel().model().text(e), "ABC") << static_cast<int>(e);
    }
    // The rule sees the capitals: a fourth letter warns, deleting it clears the warning.
    edit(E::ManufacName)->setText("NEW");
    edit(E::ManufacName)->setCursorPosition(3);
    QTest::keyClicks(edit(E::ManufacName), "x");
    EXPECT_EQ(edit(E::ManufacName)->text(), "NEWX");
    EXPECT_EQ(warning(), "3 Letters Limited!");
    QTest::keyClick(edit(E::ManufacName), Qt::Key_Backspace);
    EXPECT_EQ(warning(), "");
    // Other edits keep what is typed.
    QTest::keyClicks(edit(E::MonitorName), "tv");
    EXPECT_EQ(edit(E::MonitorName)->text(), "tv");
    // A text the model holds (a load) is shown as it is.
    panel().model().setText(E::ManufacName, "nEw");
    panel().showModel();
    EXPECT_EQ(edit(E::ManufacName)->text(), "nEw");
    EXPECT_EQ(panel().model().text(E::ManufacName), "nEw");
}

TEST_F(CreatorPanelTest, SpeakerPairsMirrorEachOther) {
    std::vector<QCheckBox*> all;
    for (int n : BoxNumbers(F::Speaker))
        all.push_back(box(F::Speaker, n));
    for (int n : BoxNumbers(F::SpeakerRight))
        all.push_back(box(F::SpeakerRight, n));
    ASSERT_EQ(all.size(), 17u);

    for (int n : {1, 2, 3, 5, 8, 11}) {
        QCheckBox* left = box(F::Speaker, n);
        QCheckBox* right = box(F::SpeakerRight, n);
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
        QCheckBox* single = box(F::Speaker, n);
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

    QCheckBox* yes = box(F::AudioFormat, 3);
    QCheckBox* detail = box(F::AudioDetail, 3);
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
    box(F::AudioDetail, 9)->click();
    EXPECT_EQ(rows[6]->height(), 110);
    EXPECT_FALSE(box(F::AudioFormat, 9)->isChecked());

    // All expanded: the list keeps its height and cuts the last rows off.
    for (const CreatorAudioFormat& format : CreatorAudioFormats)
        box(F::AudioDetail, format.yesBox)->setChecked(true);
    EXPECT_EQ(list->height(), 420);
    EXPECT_EQ(rows[6]->y(), 660);
    EXPECT_EQ(get<QScrollArea>("ScrollBox1")->height(), 289);
}

TEST_F(CreatorPanelTest, HdrRowFollowsItsDetailBox) {
    auto* row = get<QWidget>("Panel31");
    EXPECT_EQ(row->height(), 23);
    box(F::HdrDetail, 1)->click();
    EXPECT_EQ(row->height(), 156);
    box(F::HdrDetail, 1)->click();
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
    edit(E::MonitorName)->setFocus();
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

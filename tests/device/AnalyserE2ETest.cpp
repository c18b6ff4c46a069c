// The "EDID Analyzer" page against devsim: reading each device EDID with its selection,
// retries and header search, the Bin File choice, and the busy guard around it all.
#include "DeviceLink.h"
#include "EdidDecoder.h"
#include "EdidExport.h"
#include "EdidOpenDialog.h"
#include "EdidPageTest.h"
#include "EdidSummary.h"
#include "EdidTestFiles.h"
#include "EventWait.h"
#include "ScriptedPrompts.h"
#include "SummaryRows.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using namespace EdidTestFiles;

namespace {

const char* const AnalysisRadios[] = {"RadioButton_Analysis_IntEdid",
                                      "RadioButton_Analysis_ExtEdid",
                                      "RadioButton_Analysis_UserEdid", "RadioButton_Analysis_Bin"};
const QByteArray SelectWrite = Frame({0x81, 0x08, 0x01, 0x0D});
const QByteArray Block0Read = Frame({0x01, 0x05, 0x80, 0x0D});
const EdidImage Internal = RichEdid("INTERNAL");
const EdidImage External = PlainEdid("EXTERNAL");
const EdidImage User = RichEdid("USER");

class AnalyserE2E : public EdidPageTest {
protected:
    void connectThree(const QStringList& options = {}, const EdidImage& internal = Internal,
                      const EdidImage& user = User) {
        connect({{"internal", internal}, {"external", External}, {"user", user}}, options);
        auto* pages = window->control<QTabWidget>("PageControl1");
        pages->setCurrentWidget(window->control<QWidget>("TabSheet3"));
    }

    std::string shown(const char* label) { return window->text(label).toStdString(); }

    // The rows show what the summary function makes of `image`.
    void expectSummaryOf(const EdidImage& image) {
        EdidInfo info{};
        DecodeEdid(info, image);
        const EdidSummary summary = SummariseEdid(info);
        for (const SummaryRow& row : SummaryRows) {
            std::string text = summary.text(row.item);
            // The label breaks its line with a line feed alone.
            if (const auto at = text.find("\r\n"); at != std::string::npos)
                text.erase(at, 1);
            EXPECT_EQ(shown(row.label), text) << row.label;
        }
        EXPECT_EQ(window->control<QWidget>("Panel10")->height(),
                  Panel10HeightAfter(summary, kPanel10Height));
    }

    void expectIllegal() {
        EXPECT_EQ(shown("Label_Edid_Header"), "Illegal");
        for (std::size_t i = 1; i < kSummaryItems; ++i)
            EXPECT_EQ(shown(SummaryRows[i].label), "-") << SummaryRows[i].label;
    }

    // A press on "Bin File" whose dialog answers `answer` (nothing: cancelled).
    void pressBin(const std::optional<QString>& answer) {
        if (answer)
            window->prompts().openAnswers.push_back(answer->toStdString());
        const int calls = window->prompts().openCalls;
        auto* bin = window->control<QRadioButton>("RadioButton_Analysis_Bin");
        QTest::mousePress(bin, Qt::LeftButton);
        QTest::mouseRelease(bin, Qt::LeftButton);
        ASSERT_TRUE(
            waitUntil([&] { return window->prompts().openCalls > calls && bin->isEnabled(); }));
    }

    std::string logSince(std::size_t before) { return window->log().substr(before); }
};

TEST_F(AnalyserE2E, EachDeviceEdidFillsTheRowsWithItsOwnSelection) {
    ASSERT_NO_FATAL_FAILURE(connectThree());
    const EdidImage* edids[] = {&Internal, &External, &User};
    const QByteArray selects[] = {SelectWrite + Frame({0xFF}), QByteArray(),
                                  SelectWrite + Frame({0x00})};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(AnalysisRadios[i]);
        const qsizetype before = sentSize();
        window->click(AnalysisRadios[i]);
        expectSummaryOf(*edids[i]);
        EXPECT_EQ(window->log().find("Retry Edid."), std::string::npos);
        const QByteArray sent = sentSince(before);
        if (selects[i].isEmpty())
            EXPECT_FALSE(sent.contains(SelectWrite));
        else
            EXPECT_LT(sent.indexOf(selects[i]), sent.indexOf(Frame({0x01, 0x05, 0x80, 0x0D})));
        for (const char* radio : AnalysisRadios)
            EXPECT_TRUE(window->enabled(radio)) << radio;
    }
    EXPECT_TRUE(window->link().report().polling);
}

TEST_F(AnalyserE2E, NoiseBeforeTheHeaderIsSkipped) {
    ASSERT_NO_FATAL_FAILURE(connectThree({"--noise", "2"}));
    window->click("RadioButton_Analysis_IntEdid");
    expectSummaryOf(Internal);
    EXPECT_EQ(window->log().find("No Header Found."), std::string::npos);
}

TEST_F(AnalyserE2E, AHeaderBeyondSixteenBytesIsNotFound) {
    ASSERT_NO_FATAL_FAILURE(connectThree({"--noise", "20"}));
    window->click("RadioButton_Analysis_ExtEdid");
    EXPECT_EQ(Occurrences(window->log(), "No Header Found.\r\n"), 5);
    EXPECT_EQ(Occurrences(window->log(), "Retry Edid.\r\n"), 5);
    expectIllegal();
}

TEST_F(AnalyserE2E, AnEdidThatNeverValidatesIsRetriedFiveOrSixTimes) {
    EdidImage broken = RichEdid("BROKEN");
    broken[255] ^= 0x01;
    ASSERT_NO_FATAL_FAILURE(connectThree({}, broken, broken));
    window->click("RadioButton_Analysis_IntEdid");
    EXPECT_EQ(Occurrences(window->log(), "Retry Edid.\r\n"), 5);
    expectIllegal();

    const std::size_t before = window->log().size();
    window->click("RadioButton_Analysis_UserEdid");
    EXPECT_EQ(Occurrences(logSince(before), "Retry Edid.\r\n"), 6);
    expectIllegal();
}

TEST_F(AnalyserE2E, NoEdidReadShowsIllegalNotTheEdidReadBefore) {
    ASSERT_NO_FATAL_FAILURE(connectThree());
    window->click("RadioButton_Analysis_IntEdid");
    expectSummaryOf(Internal);
    window->click("BitBtn_Disconnect");
    device->stop();

    DevsimProcess deaf({"--ignore-type", "0x0108"}); // never acknowledges a selection
    window->link().setPortOverride({deaf.path()});
    window->search();
    ASSERT_EQ(window->link().connection(), Connection::Connected);
    std::size_t before = window->log().size();
    window->click("RadioButton_Analysis_IntEdid");
    EXPECT_EQ(Occurrences(logSince(before), "API Timeout.\r\n"), 5);
    expectIllegal();
    EXPECT_FALSE(deaf.sentStream().contains(Frame({0x01, 0x05, 0x80, 0x0D})));

    before = window->log().size();
    window->click("RadioButton_Analysis_UserEdid");
    EXPECT_EQ(Occurrences(logSince(before), "API Timeout.\r\n"), 6);
}

TEST_F(AnalyserE2E, BinFileShowsTheFileAndAFailedOpenKeepsTheRows) {
    ASSERT_NO_FATAL_FAILURE(connectThree());
    const EdidImage rich = RichEdid("FROM FILE");
    ASSERT_TRUE(WriteImage(path("rich.bin"), rich));
    ASSERT_NO_FATAL_FAILURE(pressBin(path("rich.bin")));
    EXPECT_TRUE(window->control<QRadioButton>("RadioButton_Analysis_Bin")->isChecked());
    EXPECT_TRUE(logStartsWith("Edid Open OK.\r\n"));
    expectSummaryOf(rich);

    // The tall audio row pushes the rows below it down.
    auto* audio = window->control<QWidget>("Panel10");
    auto* channels = window->control<QWidget>("Panel11");
    auto* cec = window->control<QWidget>("Panel12");
    ASSERT_EQ(audio->height(), kPanel10TallHeight);
    EXPECT_TRUE(waitUntil([&] { return channels->y() == audio->y() + kPanel10TallHeight; }));
    EXPECT_LE(cec->y() + cec->height(), window->control<QWidget>("GroupBox5")->height());

    // A press on the checked button asks again; a file that cannot be opened changes nothing.
    ASSERT_NO_FATAL_FAILURE(pressBin(path("missing.bin")));
    EXPECT_TRUE(logStartsWith("Edid Open Fail.\r\n"));
    expectSummaryOf(rich);

    const EdidImage plain = PlainEdid("PLAIN");
    ASSERT_TRUE(WriteImage(path("plain.bin"), plain));
    ASSERT_NO_FATAL_FAILURE(pressBin(path("plain.bin")));
    expectSummaryOf(plain);
    EXPECT_TRUE(waitUntil([&] { return channels->y() == audio->y() + kPanel10Height; }));

    ASSERT_TRUE(WriteBytes(path("tiny.bin"), QByteArray::fromHex("00ffffffff")));
    ASSERT_NO_FATAL_FAILURE(pressBin(path("tiny.bin")));
    expectIllegal();
    ASSERT_NO_FATAL_FAILURE(pressBin(std::nullopt));
    expectIllegal();
}

TEST_F(AnalyserE2E, BinFileReadsHexTextUnderItsFilterOnly) {
    ASSERT_NO_FATAL_FAILURE(connectThree());
    const EdidImage rich = RichEdid("FROM TEXT");
    const std::vector<std::uint8_t> hex = ExportEdid(rich, EdidExportFormat::C);
    ASSERT_TRUE(WriteBytes(path("rich.txt"), QByteArray(reinterpret_cast<const char*>(hex.data()),
                                                        static_cast<qsizetype>(hex.size()))));
    ASSERT_TRUE(WriteBytes(path("short.txt"), "0x00, 0xff,"));
    ScriptedPrompts& prompts = window->prompts();

    prompts.openFilters.push_back(EdidTextFilter);
    ASSERT_NO_FATAL_FAILURE(pressBin(path("rich.txt")));
    EXPECT_EQ(prompts.offeredFilters.back(),
              std::vector<std::string>({EdidBinFilter, EdidTextFilter}));
    EXPECT_TRUE(logStartsWith("Edid Open OK.\r\n"));
    expectSummaryOf(rich);

    // Text of the wrong length is a failed open, named by its byte count: the rows stay.
    prompts.openFilters.push_back(EdidTextFilter);
    ASSERT_NO_FATAL_FAILURE(pressBin(path("short.txt")));
    EXPECT_TRUE(
        logStartsWith("Hex text holds 2 bytes, not a whole number of 128-byte blocks.\r\n"));
    expectSummaryOf(rich);

    // Under "*.bin" the text is read as binary, as before.
    ASSERT_NO_FATAL_FAILURE(pressBin(path("rich.txt")));
    EXPECT_TRUE(logStartsWith("Edid Open OK.\r\n"));
    expectIllegal();
}

TEST_F(AnalyserE2E, ADownloadOrModePressDuringAnAnalysisDoesNotStart) {
    ASSERT_NO_FATAL_FAILURE(connectThree());
    auto* internalMode = window->control<QRadioButton>("RadioButton_Set_IntEdid");
    auto* externalMode = window->control<QRadioButton>("RadioButton_Set_ExtEdid");
    ASSERT_TRUE(waitUntil([&] { return internalMode->isChecked(); }));
    window->prompts().saveAnswers.push_back(path("never.bin").toStdString());

    bool radiosDisabled = false;
    const qsizetype before = sentSize();
    // Pressed while the analysis reads the EDID.
    RunWhen during([&] { return sentSince(before).contains(Block0Read); },
                   [&] {
                       radiosDisabled = !window->enabled("RadioButton_Analysis_ExtEdid") &&
                                        !window->enabled("RadioButton_Analysis_Bin");
                       QTest::mousePress(externalMode, Qt::LeftButton);
                       QTest::mouseRelease(externalMode, Qt::LeftButton);
                       window->control<QPushButton>("Button_DL_IntEdid")->click();
                   });
    window->click("RadioButton_Analysis_UserEdid");

    EXPECT_TRUE(during.ran());
    EXPECT_TRUE(radiosDisabled);
    EXPECT_EQ(window->prompts().saveCalls, 0);
    EXPECT_TRUE(internalMode->isChecked());
    EXPECT_FALSE(externalMode->isChecked());
    EXPECT_FALSE(sentSince(before).contains(Frame({0x81, 0x01, 0x01, 0x0D})));
    expectSummaryOf(User);
}

TEST_F(AnalyserE2E, TheKeyboardMovesNoSelectionWhileAnotherOperationRuns) {
    ASSERT_NO_FATAL_FAILURE(connectThree());
    auto* user = window->control<QRadioButton>("RadioButton_Analysis_UserEdid");
    auto* bin = window->control<QRadioButton>("RadioButton_Analysis_Bin");
    window->click("RadioButton_Analysis_UserEdid");
    ASSERT_TRUE(user->isChecked());
    window->form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window->form()));
    {
        const BusyGuard::Operation other = window->link().tryBeginOperation();
        ASSERT_TRUE(other);
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
            user->setFocus();
            QTest::keyClick(user, key);
            EXPECT_TRUE(user->isChecked()) << key;
        }
        bin->setFocus();
        QTest::keyClick(bin, Qt::Key_Space);
        EXPECT_TRUE(user->isChecked());
        EXPECT_FALSE(bin->isChecked());
    }
    // Once it has ended the same key moves the selection (Bin File starts nothing by it).
    user->setFocus();
    QTest::keyClick(user, Qt::Key_Right);
    EXPECT_TRUE(bin->isChecked());
}

TEST_F(AnalyserE2E, TheFocusGoesBackToTheSourceButtonWhenTheReadEnds) {
    ASSERT_NO_FATAL_FAILURE(connectThree());
    ASSERT_TRUE(WriteImage(path("file.bin"), External));
    window->form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window->form()));
    auto* internal = window->control<QRadioButton>("RadioButton_Analysis_IntEdid");
    auto* bin = window->control<QRadioButton>("RadioButton_Analysis_Bin");
    // Where the focus went when the pressed source button was disabled: there a Space
    // could disconnect.
    QWidget* focusWhileReading = nullptr;
    const auto focusWhenDisabled = [&](QWidget* source) {
        return [&focusWhileReading, source] {
            if (!source->isEnabled())
                focusWhileReading = QApplication::focusWidget();
        };
    };
    OnEvent readingDevice(internal, QEvent::EnabledChange, focusWhenDisabled(internal));
    OnEvent readingFile(bin, QEvent::EnabledChange, focusWhenDisabled(bin));

    // From the device, started with the keyboard: the read runs inside the key's click.
    internal->setFocus();
    QTest::keyClick(internal, Qt::Key_Space);
    EXPECT_NE(focusWhileReading, nullptr);
    EXPECT_NE(focusWhileReading, internal);
    EXPECT_EQ(QApplication::focusWidget(), internal);
    expectSummaryOf(Internal);

    // From a file, started with the mouse.
    focusWhileReading = nullptr;
    ASSERT_NO_FATAL_FAILURE(pressBin(path("file.bin")));
    EXPECT_NE(focusWhileReading, nullptr);
    EXPECT_NE(focusWhileReading, bin);
    EXPECT_EQ(QApplication::focusWidget(), bin);
    expectSummaryOf(External);

    // Focus the user moved elsewhere during a read stays where the user put it.
    QWidget* movedTo = nullptr;
    RunWhen moveFocus([&] { return !internal->isEnabled(); },
                      [&] {
                          window->control<QWidget>("PageControl1")->setFocus();
                          movedTo = QApplication::focusWidget();
                      });
    internal->setFocus();
    QTest::keyClick(internal, Qt::Key_Space);
    ASSERT_TRUE(moveFocus.ran());
    EXPECT_NE(movedTo, focusWhileReading);
    EXPECT_EQ(QApplication::focusWidget(), movedTo);
    EXPECT_EQ(window->link().connection(), Connection::Connected);
}

TEST_F(AnalyserE2E, ADisconnectDuringAnAnalysisLeavesTheRadiosDisabled) {
    ASSERT_NO_FATAL_FAILURE(connectThree());
    const qsizetype before = sentSize();
    RunWhen disconnect([&] { return sentSince(before).contains(Block0Read); },
                       [&] { window->click("BitBtn_Disconnect"); });
    window->click("RadioButton_Analysis_IntEdid");
    EXPECT_TRUE(disconnect.ran());
    EXPECT_EQ(window->link().connection(), Connection::NotConnected);
    for (const char* radio : AnalysisRadios)
        EXPECT_FALSE(window->enabled(radio)) << radio;
}

} // namespace

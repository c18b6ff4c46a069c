// The "EDID Analyzer" page against devsim: reading each device EDID with its selection,
// retries and header search, the Bin File choice, and the busy guard around it all.
#include "DeviceLink.h"
#include "DevsimProcess.h"
#include "EdidDecoder.h"
#include "EdidSummary.h"
#include "EdidTestFiles.h"
#include "EventWait.h"
#include "ScriptedPrompts.h"
#include "TestWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace EdidTestFiles;

namespace {

const char* const AnalysisRadios[] = {"RadioButton_Analysis_IntEdid",
                                      "RadioButton_Analysis_ExtEdid",
                                      "RadioButton_Analysis_UserEdid", "RadioButton_Analysis_Bin"};

QByteArray frame(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

int occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::string shown(TestWindow& window, const char* label) {
    return window.text(label).toStdString();
}

// The rows show what the summary function makes of `image`.
void expectSummaryOf(TestWindow& window, const EdidImage& image) {
    EdidInfo info{};
    DecodeEdid(info, image);
    const EdidSummary summary = SummariseEdid(info);
    for (std::size_t i = 0; i < kSummaryRows; ++i) {
        std::string text = summary.texts[i];
        // The label breaks its line with a line feed alone.
        if (const auto at = text.find("\r\n"); at != std::string::npos)
            text.erase(at, 1);
        EXPECT_EQ(shown(window, SummaryRows[i].label), text) << SummaryRows[i].label;
    }
    EXPECT_EQ(window.control<QWidget>("Panel10")->height(), summary.panel10Height);
}

void expectIllegal(TestWindow& window) {
    EXPECT_EQ(shown(window, "Label_Edid_Header"), "Illegal");
    for (std::size_t i = 1; i < kSummaryRows; ++i)
        EXPECT_EQ(shown(window, SummaryRows[i].label), "-") << SummaryRows[i].label;
}

class AnalyserE2E : public ::testing::Test {
protected:
    // devsim serving `edids` (Internal, External, User) plus `extra` options.
    void start(const EdidImage (&edids)[3], const QStringList& extra = {}) {
        QStringList options = extra;
        const char* names[] = {"internal", "external", "user"};
        for (int i = 0; i < 3; ++i) {
            const QString path = dir.filePath(QString::fromLatin1(names[i]) + ".src");
            ASSERT_TRUE(WriteImage(path, edids[i]));
            options << QStringLiteral("--%1").arg(QString::fromLatin1(names[i])) << path;
        }
        device = std::make_unique<DevsimProcess>(options);
        ASSERT_FALSE(device->path().isEmpty());
        window = std::make_unique<TestWindow>(QStringList{device->path()});
        window->search();
        ASSERT_EQ(window->link().connection(), Connection::Connected);
        auto* pages = window->control<QTabWidget>("PageControl1");
        pages->setCurrentWidget(window->control<QWidget>("TabSheet3"));
    }

    void startDefault(const QStringList& extra = {}) {
        const EdidImage edids[3] = {RichEdid("INTERNAL"), PlainEdid("EXTERNAL"), RichEdid("USER")};
        start(edids, extra);
    }

    void pressBin(const QString& answer) {
        window->prompts().openAnswers.push_back(answer.toStdString());
        const int calls = window->prompts().openCalls;
        auto* bin = window->control<QRadioButton>("RadioButton_Analysis_Bin");
        QTest::mousePress(bin, Qt::LeftButton);
        QTest::mouseRelease(bin, Qt::LeftButton);
        ASSERT_TRUE(
            waitUntil([&] { return window->prompts().openCalls > calls && bin->isEnabled(); }));
    }

    QTemporaryDir dir;
    std::unique_ptr<DevsimProcess> device;
    std::unique_ptr<TestWindow> window;
};

TEST_F(AnalyserE2E, EachDeviceEdidFillsTheRowsWithItsOwnSelection) {
    const EdidImage edids[3] = {RichEdid("INTERNAL"), PlainEdid("EXTERNAL"), RichEdid("USER")};
    start(edids);
    const QByteArray select = frame({0x81, 0x08, 0x01, 0x0D});
    const QByteArray selects[] = {select + frame({0xFF}), QByteArray(), select + frame({0x00})};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(AnalysisRadios[i]);
        const qsizetype before = device->sentStream().size();
        window->click(AnalysisRadios[i]);
        expectSummaryOf(*window, edids[i]);
        EXPECT_EQ(window->log().find("Retry Edid."), std::string::npos);
        const QByteArray sent = device->sentStream().mid(before);
        if (selects[i].isEmpty()) {
            EXPECT_FALSE(sent.contains(select));
        } else {
            ASSERT_TRUE(sent.contains(selects[i]));
            EXPECT_LT(sent.indexOf(selects[i]), sent.indexOf(frame({0x01, 0x05, 0x80, 0x0D})));
        }
        for (const char* radio : AnalysisRadios)
            EXPECT_TRUE(window->enabled(radio)) << radio;
    }
    EXPECT_EQ(shown(*window, "Label_Monitor_Name"), "USER");
    EXPECT_TRUE(window->link().pollTimer().isActive());
}

TEST_F(AnalyserE2E, NoiseBeforeTheHeaderIsSkipped) {
    startDefault({"--noise", "2"});
    window->click("RadioButton_Analysis_IntEdid");
    expectSummaryOf(*window, RichEdid("INTERNAL"));
    EXPECT_EQ(window->log().find("No Header Found."), std::string::npos);
}

TEST_F(AnalyserE2E, AHeaderBeyondSixteenBytesIsNotFound) {
    startDefault({"--noise", "20"});
    window->click("RadioButton_Analysis_ExtEdid");
    EXPECT_EQ(occurrences(window->log(), "No Header Found.\r\n"), 5);
    EXPECT_EQ(occurrences(window->log(), "Retry Edid.\r\n"), 5);
    expectIllegal(*window);
}

TEST_F(AnalyserE2E, AnEdidThatNeverValidatesIsRetriedFiveOrSixTimes) {
    EdidImage broken = RichEdid("BROKEN");
    broken[255] ^= 0x01;
    const EdidImage edids[3] = {broken, broken, broken};
    start(edids);

    window->click("RadioButton_Analysis_IntEdid");
    EXPECT_EQ(occurrences(window->log(), "Retry Edid.\r\n"), 5);
    expectIllegal(*window);

    const std::size_t before = window->log().size();
    window->click("RadioButton_Analysis_UserEdid");
    EXPECT_EQ(occurrences(window->log().substr(before), "Retry Edid.\r\n"), 6);
    expectIllegal(*window);
}

TEST_F(AnalyserE2E, NoEdidReadShowsIllegalNotTheEdidReadBefore) {
    startDefault();
    window->click("RadioButton_Analysis_IntEdid");
    expectSummaryOf(*window, RichEdid("INTERNAL"));
    window->click("BitBtn_Disconnect");
    device->stop();

    // Now a device that never acknowledges the selection.
    DevsimProcess deaf({"--ignore-type", "0x0108"});
    window->link().setPortOverride({deaf.path()});
    window->search();
    ASSERT_EQ(window->link().connection(), Connection::Connected);
    const std::size_t before = window->log().size();
    window->click("RadioButton_Analysis_IntEdid");
    EXPECT_EQ(occurrences(window->log().substr(before), "API Timeout.\r\n"), 5);
    expectIllegal(*window);
    EXPECT_FALSE(deaf.sentStream().contains(frame({0x01, 0x05, 0x80, 0x0D})));

    const std::size_t beforeUser = window->log().size();
    window->click("RadioButton_Analysis_UserEdid");
    EXPECT_EQ(occurrences(window->log().substr(beforeUser), "API Timeout.\r\n"), 6);
}

TEST_F(AnalyserE2E, BinFileShowsTheFileAndAFailedOpenKeepsTheRows) {
    startDefault();
    const QString file = dir.filePath("rich.bin");
    ASSERT_TRUE(WriteImage(file, RichEdid("FROM FILE")));
    pressBin(file);
    EXPECT_TRUE(window->control<QRadioButton>("RadioButton_Analysis_Bin")->isChecked());
    EXPECT_EQ(window->log(), "Edid Open OK.\r\n");
    expectSummaryOf(*window, RichEdid("FROM FILE"));
    EXPECT_EQ(window->control<QWidget>("Panel10")->height(), kPanel10TallHeight);

    // A press on the checked button asks again; a file that cannot be opened changes nothing.
    pressBin(dir.filePath("missing.bin"));
    EXPECT_EQ(window->log(), "Edid Open Fail.\r\n");
    expectSummaryOf(*window, RichEdid("FROM FILE"));

    const QString plain = dir.filePath("plain.bin");
    ASSERT_TRUE(WriteImage(plain, PlainEdid("PLAIN")));
    pressBin(plain);
    expectSummaryOf(*window, PlainEdid("PLAIN"));
    EXPECT_EQ(window->control<QWidget>("Panel10")->height(), kPanel10Height);

    const QString tiny = dir.filePath("tiny.bin");
    ASSERT_TRUE(WriteBytes(tiny, QByteArray::fromHex("00ffffffff")));
    pressBin(tiny);
    expectIllegal(*window);

    // Cancelled: the rows stay.
    const int calls = window->prompts().openCalls;
    auto* bin = window->control<QRadioButton>("RadioButton_Analysis_Bin");
    QTest::mousePress(bin, Qt::LeftButton);
    QTest::mouseRelease(bin, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return window->prompts().openCalls > calls; }));
    expectIllegal(*window);
}

TEST_F(AnalyserE2E, ARowThatGrowsPushesTheRowsBelowDown) {
    startDefault();
    window->click("RadioButton_Analysis_IntEdid");
    auto* audio = window->control<QWidget>("Panel10");
    auto* channels = window->control<QWidget>("Panel11");
    ASSERT_EQ(audio->height(), kPanel10TallHeight);
    ASSERT_TRUE(waitUntil([&] { return channels->y() == audio->y() + kPanel10TallHeight; }));
    // The last row still lies inside the group.
    auto* cec = window->control<QWidget>("Panel12");
    EXPECT_LE(cec->y() + cec->height(), window->control<QWidget>("GroupBox5")->height());

    window->click("RadioButton_Analysis_ExtEdid");
    ASSERT_EQ(audio->height(), kPanel10Height);
    EXPECT_TRUE(waitUntil([&] { return channels->y() == audio->y() + kPanel10Height; }));
}

TEST_F(AnalyserE2E, ADownloadOrModePressDuringAnAnalysisDoesNotStart) {
    startDefault();
    auto* internalMode = window->control<QRadioButton>("RadioButton_Set_IntEdid");
    auto* externalMode = window->control<QRadioButton>("RadioButton_Set_ExtEdid");
    ASSERT_TRUE(waitUntil([&] { return internalMode->isChecked(); }));
    window->prompts().saveAnswers.push_back(dir.filePath("never.bin").toStdString());

    bool radiosDisabled = false;
    QTimer::singleShot(150, [&] {
        radiosDisabled = !window->enabled("RadioButton_Analysis_ExtEdid") &&
                         !window->enabled("RadioButton_Analysis_Bin");
        QTest::mousePress(externalMode, Qt::LeftButton);
        QTest::mouseRelease(externalMode, Qt::LeftButton);
        window->control<QPushButton>("Button_DL_IntEdid")->click();
    });
    const qsizetype before = device->sentStream().size();
    window->click("RadioButton_Analysis_UserEdid");

    EXPECT_TRUE(radiosDisabled);
    EXPECT_EQ(window->prompts().saveCalls, 0);
    EXPECT_TRUE(internalMode->isChecked());
    EXPECT_FALSE(externalMode->isChecked());
    EXPECT_FALSE(device->sentStream().mid(before).contains(frame({0x81, 0x01, 0x01, 0x0D})));
    expectSummaryOf(*window, RichEdid("USER"));
}

TEST_F(AnalyserE2E, ADisconnectDuringAnAnalysisLeavesTheRadiosDisabled) {
    startDefault();
    QTimer::singleShot(150, [&] { window->click("BitBtn_Disconnect"); });
    window->click("RadioButton_Analysis_IntEdid");
    EXPECT_EQ(window->link().connection(), Connection::NotConnected);
    for (const char* radio : AnalysisRadios)
        EXPECT_FALSE(window->enabled(radio)) << radio;
    EXPECT_FALSE(window->link().pollTimer().isActive());
}

} // namespace

// The creator's loads, builds and saves, driven through the window's own handlers with
// scripted dialogs.
#include "CreatorFiles.h"
#include "BrandNewEdid.h"
#include "CliRunner.h"
#include "CreatorBindings.h"
#include "DeviceLink.h"
#include "EdidDiff.h"
#include "EdidExport.h"
#include "EdidFile.h"
#include "EdidOpenDialog.h"
#include "EdidTestFiles.h"
#include "EdidValidation.h"
#include "ScriptedPrompts.h"
#include "TestEdids.h"
#include "User_interface.h"

#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

using namespace TestEdids;

namespace {

using E = CreatorEdit;
using F = BoxFamily;
using Sad = std::array<std::uint8_t, 3>;

// 2021-01-01 lies in ISO week 53 of 2020; the year shown is still the calendar year.
const QDate kToday(2021, 1, 1);

class CreatorFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto scripted = std::make_unique<ScriptedPrompts>();
        prompts = scripted.get();
        form = std::make_unique<TForm1>(QStringList(), std::move(scripted));
        files = form->findChild<CreatorFiles*>();
        ASSERT_NE(files, nullptr);
        files->setToday([] { return kToday; });
        ASSERT_TRUE(dir.isValid());
    }

    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

    // The controls, reached through the editor's binding of each to its model field.
    QLineEdit* edit(CreatorEdit e) const {
        return form->control<QLineEdit>(CreatorBindings::editName(e));
    }
    std::string text(CreatorEdit e) const { return edit(e)->text().toStdString(); }
    void setText(CreatorEdit e, const char* value) const {
        edit(e)->setText(QString::fromLatin1(value));
    }
    bool checked(CreatorBox box) const {
        return form->control<QCheckBox>(CreatorBindings::boxName(box).constData())->isChecked();
    }
    void setChecked(CreatorBox box, bool on) const {
        form->control<QCheckBox>(CreatorBindings::boxName(box).constData())->setChecked(on);
    }
    std::string warning() const {
        return form->control<QLabel>(CreatorBindings::WarningLabel)->text().toStdString();
    }

    CreatorOutcome load(const EdidImage& image, const char* name = "in.bin") {
        EXPECT_TRUE(EdidTestFiles::WriteImage(QString::fromStdString(path(name)), image));
        prompts->openAnswers.push_back(path(name));
        return files->loadBinFile();
    }

    // Saves through the dialog and reads the file back.
    EdidImage save() {
        const std::string out = path("out.bin");
        QFile::remove(QString::fromStdString(out));
        prompts->saveAnswers.push_back(out);
        EXPECT_EQ(files->saveCreated(), CreatorOutcome::Done);
        EdidImage image{};
        EXPECT_TRUE(ReadEdidFile(out, image));
        return image;
    }

    // Builds the record from the panel without writing a file (the dialog is cancelled).
    EdidInfo& build() {
        EXPECT_EQ(files->saveCreated(), CreatorOutcome::Cancelled);
        return files->settings();
    }

    QTemporaryDir dir;
    ScriptedPrompts* prompts = nullptr;
    std::unique_ptr<TForm1> form;
    CreatorFiles* files = nullptr;
};

bool holdsSad(const EdidInfo& info, const Sad& sad) {
    return std::find(info.Audio_Sad.begin(), info.Audio_Sad.end(), sad) != info.Audio_Sad.end();
}

int countFirstByte(const EdidInfo& info, std::uint8_t first) {
    return static_cast<int>(std::count_if(info.Audio_Sad.begin(), info.Audio_Sad.end(),
                                          [&](const Sad& s) { return s[0] == first; }));
}

// An HDMI VSDB with physical address `a`.`b`, 165 MHz and, when given, HDMI_VICs.
Bytes HdmiBlock(std::uint8_t ab, std::uint8_t cd, Bytes hdmiVics = {}) {
    Bytes payload{0x03, 0x0C, 0x00, ab, cd, 0x80, 0x21};
    if (!hdmiVics.empty()) {
        payload.insert(payload.end(),
                       {0x20, 0x00, static_cast<std::uint8_t>(hdmiVics.size() << 5)});
        payload.insert(payload.end(), hdmiVics.begin(), hdmiVics.end());
    }
    return Block(0x60, payload);
}

// ---- Brand New -------------------------------------------------------------------

TEST_F(CreatorFilesTest, BrandNewShowsTheTemplateWithTodaysYearAndWeek) {
    ASSERT_EQ(files->startBrandNew(), CreatorOutcome::Done);
    EXPECT_EQ(text(E::ManufacName), "NEW");
    EXPECT_EQ(text(E::MonitorName), "BrandNewEdid");
    EXPECT_EQ(text(E::ProductCode), "0");
    EXPECT_EQ(text(E::SerialNumber), "0");
    EXPECT_EQ(text(E::ManufacYear), "2021");
    EXPECT_EQ(text(E::ManufacWeek), "53");
    for (int n = 1; n <= 17; ++n)
        EXPECT_EQ(checked({F::EstablishTiming, n}), n == 3 || n == 8) << n;
    for (int n = 1; n <= 5; ++n)
        EXPECT_FALSE(checked({F::StandardTiming, n}));
    for (int vic : {6, 3, 21, 18, 60, 61, 62, 19, 4, 20, 5, 32, 33, 34, 31, 16, 93, 94, 95, 96, 97})
        EXPECT_EQ(checked({F::VideoIdCode, vic}), vic == 16) << vic;
    EXPECT_FALSE(checked({F::Yuv420Vdb, 96}));
    EXPECT_FALSE(checked({F::Yuv420Vdb, 97}));
    EXPECT_TRUE(checked({F::ColorSpace, 1}));
    EXPECT_TRUE(checked({F::ColorSpace, 2}));
    EXPECT_FALSE(checked({F::ColorSpace, 3}));
    for (int n = 1; n <= 8; ++n)
        EXPECT_FALSE(checked({F::Colorimetry, n}));
    for (int n = 1; n <= 3; ++n) {
        EXPECT_FALSE(checked({F::ColorDepth, n}));
        EXPECT_FALSE(checked({F::HdrDeepColour, n}));
        EXPECT_FALSE(checked({F::HdrEotf, n}));
    }
    for (CreatorEdit dcld : {E::HdrDcld1, E::HdrDcld2, E::HdrDcld3})
        EXPECT_EQ(text(dcld), "    0");
    EXPECT_FALSE(checked({F::Present3D, 1}));
    EXPECT_TRUE(checked({F::AudioFormat, 1}));
    EXPECT_EQ(text(E::LpcmMaxCh), "2");
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(checked({F::LpcmFreq, n}), n >= 5) << n;
    EXPECT_FALSE(checked({F::LpcmSampleSize, 1}));
    EXPECT_TRUE(checked({F::LpcmSampleSize, 2}));
    EXPECT_TRUE(checked({F::LpcmSampleSize, 3}));
    for (CreatorEdit maxCh : {E::Ac3MaxCh, E::Eac3MaxCh, E::MatMaxCh, E::DtsMaxCh, E::DtshdMaxCh,
                              E::AacMaxCh, E::ObaMaxCh})
        EXPECT_EQ(text(maxCh), "0") << static_cast<int>(maxCh);
    for (int v = 3; v <= 9; ++v)
        EXPECT_FALSE(checked({F::AudioDetail, v})) << v;
    for (int v = 3; v <= 9; ++v)
        EXPECT_FALSE(checked({F::AudioFormat, v}));
    for (int n = 1; n <= 11; ++n)
        EXPECT_FALSE(checked({F::Speaker, n}));
    EXPECT_EQ(text(E::CecAddress), "1000");
    EXPECT_EQ(warning(), "");
    EXPECT_TRUE(files->settings().Status & EdidStatus::BrandNew);
}

TEST_F(CreatorFilesTest, APressOnTheEnabledButtonLoadsAndADisabledOneDoesNothing) {
    auto* brandNew = form->control<QRadioButton>("RadioButton_Brand_New");
    QTest::mousePress(brandNew, Qt::LeftButton);
    EXPECT_EQ(text(E::ManufacName), "");
    brandNew->setEnabled(true);
    QTest::mousePress(brandNew, Qt::RightButton);
    EXPECT_EQ(text(E::ManufacName), "NEW");
}

TEST_F(CreatorFilesTest, BinModifiyOpensItsDialogAfterThePressAndCancellingKeepsTheTemplate) {
    files->startBrandNew();
    auto* modify = form->control<QRadioButton>("RadioButton_Bin_Modifiy");
    modify->setEnabled(true);
    QTest::mousePress(modify, Qt::LeftButton);
    EXPECT_EQ(prompts->openCalls, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(prompts->openCalls, 1);
    EXPECT_EQ(text(E::MonitorName), "BrandNewEdid");
    EXPECT_TRUE(files->settings().Status & EdidStatus::BrandNew);
    EXPECT_EQ(files->settings().Image, BrandNewEdid);
}

TEST_F(CreatorFilesTest, TheTemplateFromAFileShowsItsOwnYearAndWeek) {
    ASSERT_EQ(load(BrandNewEdid), CreatorOutcome::Done);
    EXPECT_EQ(form->logText(), "Edid Open OK.\r\n");
    EXPECT_EQ(text(E::ManufacYear), "2015");
    EXPECT_EQ(text(E::ManufacWeek), "15");
    EXPECT_FALSE(files->settings().Status & EdidStatus::BrandNew);
}

TEST_F(CreatorFilesTest, AFileThatCannotBeOpenedChangesNothing) {
    files->startBrandNew();
    prompts->openAnswers.push_back(path("missing.bin"));
    EXPECT_EQ(files->loadBinFile(), CreatorOutcome::OpenFailed);
    EXPECT_EQ(form->logText(), "Edid Open Fail.\r\n");
    EXPECT_EQ(text(E::ManufacName), "NEW");
    EXPECT_TRUE(files->settings().Status & EdidStatus::BrandNew);
    EXPECT_EQ(files->settings().Image, BrandNewEdid);
}

TEST_F(CreatorFilesTest, BinModifiyReadsHexTextUnderItsFilterOnly) {
    EdidImage image = BrandNewEdid;
    image[16] = 7;
    FixChecksums(image);
    const std::vector<std::uint8_t> hex = ExportEdid(image, EdidExportFormat::Hex);
    ASSERT_TRUE(WriteFileWhole(path("in.hex"), hex));
    ASSERT_TRUE(WriteFileWhole(path("short.hex"), {'0', '0', '\n'}));

    files->startBrandNew();
    prompts->openAnswers.push_back(path("short.hex"));
    prompts->openFilters.push_back(EdidTextFilter);
    EXPECT_EQ(files->loadBinFile(), CreatorOutcome::OpenFailed);
    EXPECT_EQ(prompts->offeredFilters.back(),
              std::vector<std::string>({EdidBinFilter, EdidTextFilter}));
    EXPECT_EQ(form->logText(),
              "Hex text holds 1 bytes, not a whole number of 128-byte blocks.\r\n");
    EXPECT_EQ(files->settings().Image, BrandNewEdid);

    prompts->openAnswers.push_back(path("in.hex"));
    prompts->openFilters.push_back(EdidTextFilter);
    EXPECT_EQ(files->loadBinFile(), CreatorOutcome::Done);
    EXPECT_EQ(form->logText(), "Edid Open OK.\r\n");
    EXPECT_EQ(files->settings().Image, image);
    EXPECT_EQ(text(E::ManufacWeek), "7");

    // Under "*.bin" the same file is binary: its first 256 bytes, as before.
    prompts->openAnswers.push_back(path("in.hex"));
    EXPECT_EQ(files->loadBinFile(), CreatorOutcome::Done);
    EdidImage asBinary{};
    ASSERT_TRUE(ReadEdidFile(path("in.hex"), asBinary));
    EXPECT_EQ(files->settings().Image[0], asBinary[0]);
    EXPECT_NE(files->settings().Image, image);
}

// Whatever the creator held before, an EDID saves as redaviv-cli, which starts every file
// from a fresh creator, saves it: nothing of an earlier EDID is carried into the next.
TEST_F(CreatorFilesTest, AnEarlierEdidLeavesNothingInTheNextOne) {
    // The first EDID has a video capability block, timings in its extension and a
    // standard timing no box governs.
    EdidImage first = WithExtension({Block(0x40, {0x90}), Block(0xE0, {0x00, 0x49})});
    std::copy(BrandNewEdid.begin() + 54, BrandNewEdid.begin() + 72,
              first.begin() + 128 + first[130]);
    first[40] = 0xD1;
    first[41] = 0xC0;
    FixChecksums(first);
    // A 128-byte file: its block 1 is filler, so the decoder finds no extension timings.
    ASSERT_TRUE(TestBytes::writeFile(path("plain.bin"), BytesOf(Base(), 128)));

    const QString today = kToday.toString(Qt::ISODate);
    const struct {
        const char* what;
        std::function<CreatorOutcome()> start;
        QStringList ownRun;
    } cases[] = {
        {"Bin Modifiy",
         [&] {
             prompts->openAnswers.push_back(path("plain.bin"));
             return files->loadBinFile();
         },
         {"roundtrip", QString::fromStdString(path("plain.bin")), "-o",
          QString::fromStdString(path("own.bin")), "--today", today}},
        {"Brand New",
         [&] { return files->startBrandNew(); },
         {"brandnew", "-o", QString::fromStdString(path("own.bin")), "--today", today}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(load(first), CreatorOutcome::Done);
        ASSERT_EQ(c.start(), CreatorOutcome::Done);
        const EdidImage saved = save();
        const CliRun own = runCli(c.ownRun);
        ASSERT_EQ(own.status, 0) << own.err;
        EdidImage expected{};
        ASSERT_TRUE(ReadEdidFile(path("own.bin"), expected));
        std::string differing;
        for (const ByteDifference& d : DiffImages(saved, expected))
            differing += " " + std::to_string(d.offset);
        EXPECT_EQ(differing, "") << "the offsets of the bytes that differ";
    }
}

// ---- Loading invalid images ----------------------------------------------------------

TEST_F(CreatorFilesTest, EveryKindOfValidationFailureResetsThePanel) {
    for (const auto& [image, what] : EdidsThatFailValidation(BrandNewEdid)) {
        SCOPED_TRACE(what);
        files->startBrandNew();
        setChecked({F::AudioFormat, 3}, true);
        setChecked({F::AudioDetail, 3}, true);
        setChecked({F::Speaker, 8}, true);
        ASSERT_EQ(load(image), CreatorOutcome::Done);
        EXPECT_EQ(text(E::ManufacName), "Error.");
        EXPECT_EQ(text(E::MonitorName), "Error.");
        for (CreatorEdit name : {E::ProductCode, E::SerialNumber, E::ManufacYear, E::ManufacWeek,
                                 E::LpcmMaxCh, E::Ac3MaxCh})
            EXPECT_EQ(text(name), "0") << static_cast<int>(name);
        EXPECT_EQ(text(E::CecAddress), "0000");
        EXPECT_EQ(text(E::Ac3BitRate), "     0");
        EXPECT_FALSE(checked({F::EstablishTiming, 3}));
        EXPECT_FALSE(checked({F::VideoIdCode, 16}));
        EXPECT_FALSE(checked({F::ColorSpace, 1}));
        EXPECT_FALSE(checked({F::AudioFormat, 1}));
        EXPECT_FALSE(checked({F::LpcmFreq, 5}));
        EXPECT_FALSE(checked({F::SpeakerRight, 8}));
        // The row collapses through the "Yes" rule.
        EXPECT_FALSE(checked({F::AudioFormat, 3}));
        EXPECT_FALSE(checked({F::AudioDetail, 3}));
        // "Error." is over the manufacturer's limit; later rules of the reset decide the line.
        EXPECT_EQ(edit(E::ManufacName)->palette().color(QPalette::Text), QColor(Qt::red));
        EXPECT_EQ(files->settings().Image, image);
    }
}

TEST_F(CreatorFilesTest, AnImageWithoutExtensionShowsTheExtensionEmptyButKeepsLpcm) {
    files->startBrandNew();
    ASSERT_EQ(load(Base()), CreatorOutcome::Done);
    EXPECT_EQ(text(E::ManufacName), "ABC");
    EXPECT_EQ(text(E::MonitorName), "TESTMON");
    EXPECT_EQ(text(E::ProductCode), "4660");
    EXPECT_EQ(text(E::ManufacYear), "2020");
    EXPECT_EQ(text(E::CecAddress), "0000");
    EXPECT_TRUE(checked({F::StandardTiming, 1}));
    EXPECT_FALSE(checked({F::VideoIdCode, 16}));
    EXPECT_FALSE(checked({F::AudioFormat, 1}));
    EXPECT_EQ(text(E::LpcmMaxCh), "2");
    EXPECT_TRUE(checked({F::LpcmFreq, 5}));
}

// ---- Identification round trips -----------------------------------------------------

TEST_F(CreatorFilesTest, SerialNumbersWithTheTopBitSetSurviveALoadAndASave) {
    for (std::uint32_t serial : {0xFFFFFFFFu, 0x80000000u}) {
        EdidImage image = BrandNewEdid;
        for (int i = 0; i < 4; ++i)
            image[12 + i] = static_cast<std::uint8_t>(serial >> (8 * i));
        FixChecksums(image);
        ASSERT_EQ(load(image), CreatorOutcome::Done);
        EdidImage saved = save();
        EXPECT_EQ(std::vector<std::uint8_t>(saved.begin() + 12, saved.begin() + 16),
                  std::vector<std::uint8_t>(image.begin() + 12, image.begin() + 16));
    }
    // The last one loaded: 11 characters raise the serial rule's warning during the load,
    // and the later rules of the load clear the line again.
    EXPECT_EQ(text(E::SerialNumber), "-2147483648");
    EXPECT_EQ(edit(E::SerialNumber)->palette().color(QPalette::Text), QColor(Qt::red));

    EdidImage minusOne = BrandNewEdid;
    minusOne[12] = minusOne[13] = minusOne[14] = minusOne[15] = 0xFF;
    FixChecksums(minusOne);
    load(minusOne);
    EXPECT_EQ(text(E::SerialNumber), "-1");
}

TEST_F(CreatorFilesTest, YearAndWeekBytesFFShowAndSaveAsTheyWere) {
    EdidImage image = BrandNewEdid;
    image[16] = 0xFF;
    image[17] = 0xFF;
    FixChecksums(image);
    setChecked({F::AudioFormat, 1}, true); // so the week rule is not the last to run
    ASSERT_EQ(load(image), CreatorOutcome::Done);
    EXPECT_EQ(text(E::ManufacYear), "2245");
    EXPECT_EQ(text(E::ManufacWeek), "255");
    EXPECT_EQ(edit(E::ManufacWeek)->palette().color(QPalette::Text), QColor(Qt::red));
    const EdidImage saved = save();
    EXPECT_EQ(saved[16], 0xFF);
    EXPECT_EQ(saved[17], 0xFF);
}

TEST_F(CreatorFilesTest, ALowerCaseLetterSetByALoadIsKeptAndSaved) {
    EdidImage image = BrandNewEdid;
    image[8] = 0x84; // bit 7 set: the first letter decodes as 'a'
    image[9] = 0x43;
    FixChecksums(image);
    ASSERT_EQ(load(image), CreatorOutcome::Done);
    EXPECT_EQ(text(E::ManufacName), "aBC");
    const EdidImage saved = save();
    EXPECT_EQ(saved[8], 0x84);
    EXPECT_EQ(saved[9], 0x43);
}

TEST_F(CreatorFilesTest, AnUnchangedSaveOfTheTemplateFileKeepsItsContent) {
    ASSERT_EQ(load(BrandNewEdid), CreatorOutcome::Done);
    const EdidImage saved = save();
    EXPECT_TRUE(std::equal(BrandNewEdid.begin(), BrandNewEdid.begin() + 128, saved.begin()));
    // The HDMI block loses its empty eighth byte; everything else is as it was.
    const Bytes hdmi{0x67, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x80, 0x21};
    EXPECT_TRUE(std::equal(hdmi.begin(), hdmi.end(), saved.begin() + 138));
    EXPECT_TRUE(
        std::equal(BrandNewEdid.begin() + 131, BrandNewEdid.begin() + 138, saved.begin() + 131));
    EdidInfo check{};
    check.Image = saved;
    EXPECT_TRUE(ValidateEdid(check));
}

TEST_F(CreatorFilesTest, NumbersAreReadWithTheOneConversionIncludingHex) {
    files->startBrandNew();
    setText(E::ProductCode, "$1234");
    setText(E::SerialNumber, "0x10");
    setText(E::ManufacYear, "2016");
    setText(E::ManufacWeek, "  7");
    const EdidImage saved = save();
    EXPECT_EQ(saved[10], 0x34);
    EXPECT_EQ(saved[11], 0x12);
    EXPECT_EQ(saved[12], 0x10);
    EXPECT_EQ(saved[16], 7);
    EXPECT_EQ(saved[17], 0x1A);
}

TEST_F(CreatorFilesTest, AConversionFailureEndsTheSaveButKeepsWhatWasReadBeforeIt) {
    files->startBrandNew();
    setText(E::ManufacName, "XYZ");
    setText(E::SerialNumber, "12a"); // the serial rule's own box
    prompts->errors.clear();
    prompts->saveAnswers.push_back(path("never.bin"));
    EXPECT_EQ(files->saveCreated(), CreatorOutcome::ConversionFailed);
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0], "'12a' is not a valid integer value");
    EXPECT_EQ(prompts->saveCalls, 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("never.bin"))));
    EXPECT_EQ(std::string(files->settings().Manufac_Name.data()), "XYZ");
    EXPECT_EQ(files->settings().Image, BrandNewEdid); // nothing encoded
}

// ---- The CEC address ---------------------------------------------------------------

TEST_F(CreatorFilesTest, TheCecAddressIsReadBackAsHexadecimalDigits) {
    ASSERT_EQ(load(WithExtension({HdmiBlock(0xA1, 0x2F)})), CreatorOutcome::Done);
    EXPECT_EQ(text(E::CecAddress), "A12F");
    EdidImage saved = save();
    EXPECT_EQ(saved[132 + 4], 0xA1);
    EXPECT_EQ(saved[132 + 5], 0x2F);

    setText(E::CecAddress, "1000");
    EXPECT_EQ(build().Cec_Address, (std::array<std::uint8_t, 2>{0x10, 0x00}));
    setText(E::CecAddress, "b0c0x"); // set, not typed: kept lower case
    EXPECT_EQ(build().Cec_Address, (std::array<std::uint8_t, 2>{0xB0, 0xC0}));
}

TEST_F(CreatorFilesTest, ACecCharacterThatIsNoDigitOrAShortTextFailsTheConversion) {
    files->startBrandNew();
    const std::pair<const char*, const char*> cases[] = {
        {"10G0", "'G' is not a valid integer value"},
        {"1 00", "' ' is not a valid integer value"},
        {"100", "'' is not a valid integer value"}};
    for (const auto& [cec, message] : cases) {
        setText(E::CecAddress, cec);
        prompts->errors.clear();
        EXPECT_EQ(files->saveCreated(), CreatorOutcome::ConversionFailed) << cec;
        ASSERT_EQ(prompts->errors.size(), 1u);
        EXPECT_EQ(prompts->errors[0], message);
    }
}

// ---- Timings and video codes -----------------------------------------------------------

TEST_F(CreatorFilesTest, StandardTimingBoxesTakeTheFirstFreeSlotAndGiveItBack) {
    ASSERT_EQ(load(Base()), CreatorOutcome::Done); // slot 0 holds 81 80
    setChecked({F::StandardTiming, 1}, false);
    setChecked({F::StandardTiming, 3}, true);
    EdidInfo& info = build();
    // 81 80 became 01 01, A9 40 went to slot 0, then the encoder's one pass.
    EXPECT_EQ(info.Standard_Timing[0], 0xA940);
    EXPECT_EQ(info.Standard_Timing[1], 0x0101);
}

TEST_F(CreatorFilesTest, HdmiVicsTickThe2160pBoxesAndAreRebuiltFromThem) {
    ASSERT_EQ(load(WithExtension({HdmiBlock(0x10, 0x00, {4, 1})})), CreatorOutcome::Done);
    EXPECT_TRUE(checked({F::VideoIdCode, 93}));
    EXPECT_FALSE(checked({F::VideoIdCode, 94}));
    EXPECT_TRUE(checked({F::VideoIdCode, 95}));
    EdidInfo& info = build();
    EXPECT_EQ(info.Hdmi_Vic, (std::array<std::uint8_t, 4>{3, 1, 0, 0}));
    // The 2160p boxes also name their VICs in the video list.
    EXPECT_NE(std::find(info.Video_Id_Code.begin(), info.Video_Id_Code.end(), 93),
              info.Video_Id_Code.end());
}

TEST_F(CreatorFilesTest, ANativeVicTicksItsBoxAndAFullVideoListTakesNoMore) {
    Bytes vics;
    for (std::uint8_t v = 1; v <= 24; ++v)
        vics.push_back(v == 16 ? 0x90 : v);
    ASSERT_EQ(load(WithExtension({Block(0x40, vics)})), CreatorOutcome::Done);
    EXPECT_TRUE(checked({F::VideoIdCode, 16}));
    const auto before = files->settings().Video_Id_Code;
    setChecked({F::VideoIdCode, 96}, true);
    EXPECT_EQ(build().Video_Id_Code, before);

    files->settings().Video_Id_Code[23] = 130; // a code the creator cannot name is free
    EdidInfo& info = build();
    EXPECT_EQ(info.Video_Id_Code[23], 96);

    setChecked({F::VideoIdCode, 16}, false);
    EXPECT_EQ(std::count(build().Video_Id_Code.begin(), build().Video_Id_Code.end(), 16), 0);
}

// ---- Audio -----------------------------------------------------------------------------

TEST_F(CreatorFilesTest, TheLastOfTwoAc3DescriptorsIsShownWithPaddedBitRates) {
    ASSERT_EQ(load(WithExtension({Block(0x20, {0x15, 0x07, 0x50, 0x11, 0x04, 0xC0})})),
              CreatorOutcome::Done);
    EXPECT_TRUE(checked({F::AudioFormat, 3}));
    EXPECT_FALSE(checked({F::AudioDetail, 3})); // ticked, still collapsed
    EXPECT_EQ(text(E::Ac3MaxCh), "2");
    EXPECT_EQ(text(E::Ac3BitRate), " 1536");
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(checked({F::Ac3Freq, n}), n == 5) << n;

    load(WithExtension({Block(0x20, {0x15, 0x07, 0x50})}));
    EXPECT_EQ(text(E::Ac3BitRate), "  640");
    load(WithExtension({Block(0x20, {0x15, 0x07, 0x00})}));
    EXPECT_EQ(text(E::Ac3BitRate), "  0");
}

TEST_F(CreatorFilesTest, LuminanceCodesAreRightAligned) {
    ASSERT_EQ(load(WithExtension({Block(0xE0, {0x06, 0x05, 0x01, 5, 50, 200})})),
              CreatorOutcome::Done);
    EXPECT_EQ(text(E::HdrDcld1), "    5");
    EXPECT_EQ(text(E::HdrDcld2), "   50");
    EXPECT_EQ(text(E::HdrDcld3), "  200");
    EXPECT_TRUE(checked({F::HdrEotf, 1}));
    EXPECT_TRUE(checked({F::HdrEotf, 3}));
    EXPECT_TRUE(checked({F::HdrDespt, 1}));
    EXPECT_EQ(build().Hdr_Dcld, (std::array<std::uint8_t, 3>{5, 50, 200}));
}

TEST_F(CreatorFilesTest, LpcmControlsCarryOverAnImageWithoutLpcm) {
    ASSERT_EQ(load(WithExtension({Block(0x20, {0x0F, 0x7F, 0x07})})), CreatorOutcome::Done);
    EXPECT_EQ(text(E::LpcmMaxCh), "8");
    EXPECT_TRUE(checked({F::LpcmFreq, 1}));
    load(WithExtension({Block(0x20, {0x15, 0x07, 0x50})}));
    EXPECT_EQ(text(E::LpcmMaxCh), "8");
    EXPECT_TRUE(checked({F::LpcmFreq, 1}));
    EXPECT_FALSE(checked({F::AudioFormat, 1}));
}

TEST_F(CreatorFilesTest, FormatsWithoutAControlShowNothingAndAreKept) {
    ASSERT_EQ(load(WithExtension({Block(0x20, {0x18, 0x07, 0x00, 0x70, 0x07, 0x00})})),
              CreatorOutcome::Done);
    for (int v = 1; v <= 9; ++v)
        EXPECT_FALSE(checked({F::AudioFormat, v}));
    EdidInfo& info = build();
    EXPECT_TRUE(holdsSad(info, {0x18, 0x07, 0x00}));
    EXPECT_TRUE(holdsSad(info, {0x70, 0x07, 0x00}));
}

TEST_F(CreatorFilesTest, MultichannelLpcmIsAddedAboveTwoChannelsAndRemovedAtTwo) {
    files->startBrandNew();
    setText(E::LpcmMaxCh, "6");
    EdidInfo& info = build();
    EXPECT_TRUE(holdsSad(info, {0x09, 0x07, 0x03})); // "Basic" keeps its 2 channels
    EXPECT_TRUE(holdsSad(info, {0x0D, 0x07, 0x03}));
    EXPECT_TRUE(info.Audio_Formats & 0x0002);

    setText(E::LpcmMaxCh, "2");
    build();
    EXPECT_EQ(countFirstByte(info, 0x0D), 0);
    EXPECT_TRUE(holdsSad(info, {0x09, 0x07, 0x03}));
    EXPECT_FALSE(info.Audio_Formats & 0x0002);

    setChecked({F::AudioFormat, 1}, false);
    build();
    EXPECT_EQ(countFirstByte(info, 0x09), 0);
}

TEST_F(CreatorFilesTest, LpcmWithMaxChannelsZeroHasItsChannelBitsCleared) {
    ASSERT_EQ(load(WithExtension({Block(0x20, {0x0D, 0x07, 0x01, 0x0F, 0x07, 0x01})})),
              CreatorOutcome::Done);
    setText(E::LpcmMaxCh, "0");
    EdidInfo& info = build();
    // The first multichannel descriptor is removed; the other keeps no channel count.
    EXPECT_EQ(countFirstByte(info, 0x0D), 0);
    EXPECT_EQ(countFirstByte(info, 0x0F), 0);
    EXPECT_EQ(countFirstByte(info, 0x08), 1);
}

TEST_F(CreatorFilesTest, DolbyDigitalTakesItsDefaultsOrItsPanel) {
    files->startBrandNew();
    setChecked({F::AudioFormat, 3}, true);
    EXPECT_TRUE(holdsSad(build(), {0x15, 0x07, 0x50}));

    setText(E::Ac3MaxCh, "2");
    setText(E::Ac3BitRate, "640");
    setChecked({F::Ac3Freq, 5}, true);
    EXPECT_TRUE(holdsSad(build(), {0x11, 0x04, 0x50}));

    setChecked({F::AudioFormat, 3}, false);
    EXPECT_EQ(countFirstByte(build(), 0x11), 0);
}

TEST_F(CreatorFilesTest, AMaxChannelAboveEightIsWrittenAsEight) {
    files->startBrandNew();
    setChecked({F::AudioFormat, 3}, true);
    setText(E::Ac3MaxCh, "9");
    EXPECT_EQ(warning(), "8 MaxCH Limited!");
    setText(E::LpcmMaxCh, "9");
    EdidInfo& info = build();
    EXPECT_EQ(countFirstByte(info, 0x17), 1); // still Dolby Digital, 8 channels
    EXPECT_EQ(countFirstByte(info, 0x0F), 1); // L-PCM, 8 channels
}

TEST_F(CreatorFilesTest, TheBitRateByteIsTheQuotientTruncatedTowardZero) {
    files->startBrandNew();
    setChecked({F::AudioFormat, 6}, true);
    setText(E::DtsMaxCh, "6");
    const std::pair<const char*, std::uint8_t> cases[] = {
        {"  1536", 0xC0}, {"2047", 0xFF}, {"2048", 0x00}, {"-15", 0xFF}, {"$20", 0x04}};
    for (const auto& [rate, byte3] : cases) {
        setText(E::DtsBitRate, rate);
        EXPECT_TRUE(holdsSad(build(), {0x3D, 0x00, byte3})) << rate;
    }
}

TEST_F(CreatorFilesTest, SpeakerBoxesFillTheAllocationPayload) {
    files->startBrandNew();
    setChecked({F::Speaker, 8}, true);
    setChecked({F::Speaker, 7}, true);
    setChecked({F::SpeakerRight, 11}, true);
    EXPECT_EQ(build().Speaker_Alloc, 0x030100u);
    ASSERT_EQ(load(save()), CreatorOutcome::Done);
    EXPECT_TRUE(checked({F::SpeakerRight, 8}));
    EXPECT_TRUE(checked({F::Speaker, 11}));
    EXPECT_TRUE(checked({F::Speaker, 7}));
}

// ---- Saving ------------------------------------------------------------------------------

TEST_F(CreatorFilesTest, SaveBeforeAnyLoadWritesTheEncodingOfAnEmptyImage) {
    EXPECT_EQ(files->saveCreated(), CreatorOutcome::ConversionFailed);
    EXPECT_EQ(prompts->errors.at(0), "'' is not a valid integer value");

    for (CreatorEdit name : {E::ProductCode, E::SerialNumber, E::ManufacYear, E::ManufacWeek})
        setText(name, "0");
    const EdidImage saved = save();
    EXPECT_FALSE(std::equal(EdidHeader.begin(), EdidHeader.end(), saved.begin()));
    EXPECT_EQ(saved[126], 1);
    EdidInfo check{};
    check.Image = saved;
    EXPECT_FALSE(ValidateEdid(check));
    EXPECT_EQ(ValidationMessage(check.Status), "Illegal Edid Header.");
}

TEST_F(CreatorFilesTest, SaveWritesWholeOrNotAtAllUnderTheNameGiven) {
    files->startBrandNew();
    prompts->saveAnswers.push_back(path("no-such-dir/out.bin"));
    EXPECT_EQ(files->saveCreated(), CreatorOutcome::OpenFailed);
    EXPECT_EQ(form->logText(), "Edid Open Fail.\r\n");

    const std::string plain = path("created");
    prompts->saveAnswers.push_back(plain);
    EXPECT_EQ(files->saveCreated(), CreatorOutcome::Done);
    EXPECT_EQ(form->logText(), "Edid Open OK.\r\n");
    EXPECT_EQ(QFile(QString::fromStdString(plain)).size(), 256);
    EXPECT_EQ(prompts->suggestedNames.back(), "Created_Edid.bin");

    // A read-only file is refused and kept as it was.
    QFile::setPermissions(QString::fromStdString(plain), QFileDevice::ReadOwner);
    setText(E::ProductCode, "77");
    prompts->saveAnswers.push_back(plain);
    EXPECT_EQ(files->saveCreated(), CreatorOutcome::OpenFailed);
    EdidImage kept{};
    ASSERT_TRUE(ReadEdidFile(plain, kept));
    EXPECT_EQ(kept[10], 0);
}

TEST_F(CreatorFilesTest, BlocksLeftOutForLackOfRoomAreNamedInTheWarningLine) {
    Bytes vics, sads, forum{0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80};
    for (std::uint8_t v = 1; v <= 24; ++v)
        vics.push_back(v);
    for (int i = 0; i < 10; ++i)
        sads.insert(sads.end(), {0x18, 0x07, 0x00});
    forum.resize(31, 0x00);
    ASSERT_EQ(load(WithExtension({Block(0x40, vics), Block(0x20, sads), HdmiBlock(0x10, 0x00),
                                  Block(0x60, forum)})),
              CreatorOutcome::Done);
    for (int n = 1; n <= 8; ++n)
        setChecked({F::Colorimetry, n}, true);
    setChecked({F::HdrEotf, 1}, true);
    setText(E::HdrDcld3, "9");
    setChecked({F::Speaker, 1}, true);
    setChecked({F::Yuv420Vdb, 96}, true);
    setChecked({F::Yuv420Vdb, 97}, true);
    setChecked({F::Present3D, 1}, true);
    files->settings().Hdmi_3D_Len = 14;
    files->settings().Hdmi_3D_Byte = 0x80;

    const EdidImage saved = save();
    ASSERT_FALSE(files->lastEncoding().notWritten.empty());
    EXPECT_EQ(warning(), NotWrittenText(files->lastEncoding()));
    EXPECT_EQ(warning().rfind("Not Written: ", 0), 0u);
    EdidInfo check{};
    check.Image = saved;
    EXPECT_TRUE(ValidateEdid(check));

    // Once everything fits again the warning is withdrawn.
    setChecked({F::Present3D, 1}, false);
    for (int n = 1; n <= 8; ++n)
        setChecked({F::Colorimetry, n}, false);
    setChecked({F::HdrEotf, 1}, false);
    setChecked({F::Speaker, 1}, false);
    save();
    EXPECT_TRUE(files->lastEncoding().notWritten.empty());
    EXPECT_EQ(warning(), "");
}

TEST_F(CreatorFilesTest, WhileADeviceOperationRunsTheDialogHandlersAreRefused) {
    files->startBrandNew();
    auto operation = form->link().tryBeginOperation();
    ASSERT_TRUE(operation);
    prompts->openAnswers.push_back(path("x.bin"));
    prompts->saveAnswers.push_back(path("y.bin"));
    EXPECT_EQ(files->loadBinFile(), CreatorOutcome::Refused);
    EXPECT_EQ(files->saveCreated(), CreatorOutcome::Refused);
    EXPECT_EQ(prompts->openCalls + prompts->saveCalls, 0);
}

} // namespace

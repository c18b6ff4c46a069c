// Runs redaviv-cli on EDID files the test writes, and checks its JSON and exit statuses.
#include "CliRunner.h"
#include "EdidFile.h"
#include "EdidTestFiles.h"
#include "TestBytes.h"
#include "TestEdids.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

#ifndef _WIN32
#include "FedFifo.h"
#endif

using namespace TestEdids;

namespace {

// The arguments as the tests below write them; `input`, when given, is the file standard
// input reads.
// `output`, when given, is the file standard output writes to.
CliRun RunCli(const std::vector<std::string>& args, const std::string& input = "",
              const std::string& output = "") {
    QStringList list;
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    return runCli(list, QString::fromStdString(input), {}, QString::fromStdString(output));
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.ok()); }
    void TearDown() override { EXPECT_TRUE(folder_.remove()); }
    std::string WriteImage(const std::string& name, const EdidImage& image) {
        const std::string p = dir_ + "/" + name;
        EXPECT_TRUE(EdidTestFiles::WriteImage(QString::fromStdString(p), image));
        return p;
    }
    std::string WriteBytes(const std::string& name, const Bytes& bytes) {
        const std::string p = dir_ + "/" + name;
        EXPECT_TRUE(TestBytes::writeFile(p, bytes));
        return p;
    }
    TestBytes::TempFolder folder_{"redaviv-cli-test"};
    const std::string dir_ = folder_.path();
};

const char* const kSummaryKeys[] = {
    "edid_header",     "edid_checksum", "manufacturer",   "monitor_name", "max_resolution",
    "max_color_depth", "support_3d",    "support_yuv420", "support_scdc", "support_600mhz",
    "support_hdr",     "audio_formats", "audio_channels", "cec_address",
};

EdidImage RichImage() {
    return WithExtension({Block(0x40, {16, 97}),
                          Block(0x20, {0x09, 7,    7, 0x0F, 7,    7, 0x15, 7,    0x50, 0x51, 0,
                                       0,    0x39, 0, 0,    0x59, 0, 0,    0x31, 0,    0}),
                          Block(0x60, {0x03, 0x0C, 0x00, 0x21, 0x00, 0x70})});
}

TEST_F(CliTest, AnalyseJsonGivesTheFourteenItemsAndOpenFailure) {
    const std::string good = WriteImage("good.bin", RichImage());
    const std::string missing = dir_ + "/missing \"odd\".bin";
    const CliRun run = RunCli({"analyse", "--json", good, missing});
    EXPECT_EQ(run.status, 1);
    ASSERT_TRUE(run.allJson) << run.out;
    ASSERT_EQ(run.lines.size(), 2u);

    const QJsonObject first = run.lines[0];
    EXPECT_EQ(first.value("file").toString().toStdString(), good);
    // The file and its summary, nothing of the page's look.
    EXPECT_EQ(first.keys(), QStringList({"file", "summary"}));
    const QJsonObject summary = first.value("summary").toObject();
    EXPECT_EQ(summary.size(), 14);
    for (const char* key : kSummaryKeys)
        EXPECT_TRUE(summary.contains(key)) << key;
    EXPECT_EQ(summary.value("manufacturer").toString(), "ABC");
    EXPECT_EQ(summary.value("max_resolution").toString(), "2160p@60Hz");
    EXPECT_EQ(summary.value("max_color_depth").toString(), "16bit");
    EXPECT_EQ(summary.value("audio_formats").toString(),
              "2PCM,MPCM,DolbyD,DolbyD+,DTS,DTSHD,\r\nAAC,");
    EXPECT_EQ(summary.value("audio_channels").toString(), "8CH");
    EXPECT_EQ(summary.value("cec_address").toString(), "2100");

    EXPECT_EQ(run.lines[1].value("file").toString().toStdString(), missing);
    EXPECT_EQ(run.lines[1].value("error").toString(), "Edid Open Fail.");
    EXPECT_FALSE(run.lines[1].contains("summary"));
}

TEST_F(CliTest, AnalyseInvalidFileIsIllegalWithStatusZero) {
    const std::string broken = WriteBytes("broken.bin", {0x00, 0xFF, 0xFF, 0x12});
    const CliRun run = RunCli({"analyse", "--json", broken});
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 1u);
    const QJsonObject summary = run.lines[0].value("summary").toObject();
    EXPECT_EQ(summary.value("edid_header").toString(), "Illegal");
    EXPECT_EQ(summary.value("cec_address").toString(), "-");
}

TEST_F(CliTest, AnalyseTableShowsTheRowCaptions) {
    const std::string good = WriteImage("good.bin", RichImage());
    const CliRun run = RunCli({"analyse", good});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("    EDID Header :"), std::string::npos);
    EXPECT_NE(run.out.find("    CEC Address :"), std::string::npos);
    EXPECT_NE(run.out.find("2160p@60Hz"), std::string::npos);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
}

TEST_F(CliTest, DumpGivesEveryFieldAsValidJson) {
    EdidImage image = RichImage();
    // A name with a quote, a backslash, a control byte and a Latin-1 letter.
    PutNameDescriptor(image, 108, std::string("A\"\\\x01\xE9Z\n"));
    FixChecksums(image);
    const std::string p = WriteImage("dump.bin", image);
    const CliRun run = RunCli({"dump", "--json", p});
    EXPECT_EQ(run.status, 0);
    ASSERT_TRUE(run.allJson) << run.out;
    ASSERT_EQ(run.lines.size(), 1u);
    for (unsigned char c : run.out)
        ASSERT_LT(c, 0x80) << "output is plain ASCII";

    const QJsonObject record = run.lines[0].value("record").toObject();
    EXPECT_EQ(record.size(), 36);
    EXPECT_FALSE(record.contains("Hdr_Spare"));
    EXPECT_EQ(record.value("Image").toArray().size(), 256);
    EXPECT_EQ(record.value("Image").toArray().at(255).toInt(), image[255]);
    const QJsonArray dtd = record.value("Ext_Dtd").toArray();
    ASSERT_EQ(dtd.size(), 3);
    EXPECT_EQ(dtd.at(2).toArray().size(), 18);
    const QJsonArray sad = record.value("Audio_Sad").toArray();
    ASSERT_EQ(sad.size(), 10);
    EXPECT_EQ(sad.at(2).toArray().at(0).toInt(), 0x15);
    EXPECT_EQ(record.value("Manufac_Name").toString(), "ABC");
    EXPECT_EQ(record.value("Monitor_Name").toString(), QString::fromUtf8("A\"\\\x01\xC3\xA9Z"));
    EXPECT_EQ(record.value("Max_Resolution").toString(), "2160p@60Hz");
    EXPECT_EQ(record.value("Serial_Number").toInteger(), 0x89ABCDEF);
    EXPECT_EQ(record.value("Max_Color_Depth").toInt(), 16);
    EXPECT_EQ(record.value("Audio_Formats").toInt(), 0x00EF);
    EXPECT_EQ(record.value("Cec_Address").toArray().at(0).toInt(), 0x21);
    EXPECT_EQ(record.value("Standard_Timing").toArray().at(0).toInt(), 0x8180);
    EXPECT_EQ(record.value("Hdr_Dcld").toArray().size(), 3);
}

TEST_F(CliTest, DumpOfAnInvalidFileHoldsTheResetRecord) {
    const std::string p = WriteBytes("short.bin", {0x00, 0xFF});
    const CliRun run = RunCli({"dump", p});
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 1u);
    const QJsonObject record = run.lines[0].value("record").toObject();
    EXPECT_EQ(record.value("Status").toInt(), 0x0008);
    EXPECT_EQ(record.value("Manufac_Name").toString(), "");
    EXPECT_EQ(record.value("Monitor_Name").toString(), "UNDEFINE.");
    EXPECT_EQ(record.value("Max_Color_Depth").toInt(), 8);
}

TEST_F(CliTest, ValidateReportsEachFile) {
    const std::string good = WriteImage("good.bin", RichImage());
    EdidImage over = RichImage();
    over[126] = 2;
    FixChecksums(over);
    const std::string bad = WriteImage("over.bin", over);
    CliRun run = RunCli({"validate", good});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, good + ": valid\n");

    run = RunCli({"validate", good, bad, dir_ + "/none.bin", dir_});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, good + ": valid\n" + bad + ": Edid Over Banks.\n" + dir_ +
                           "/none.bin: Edid Open Fail.\n" + dir_ + ": Edid Open Fail.\n");

    run = RunCli({"validate", "--json", bad});
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_FALSE(run.lines[0].value("valid").toBool(true));
    EXPECT_EQ(run.lines[0].value("message").toString(), "Edid Over Banks.");
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndHelpWorks) {
    EXPECT_EQ(RunCli({}).status, 2);
    EXPECT_EQ(RunCli({"frobnicate"}).status, 2);
    EXPECT_EQ(RunCli({"analyse"}).status, 2);
    EXPECT_EQ(RunCli({"analyse", "--jsn", "x.bin"}).status, 2);
    EXPECT_EQ(RunCli({"dump", "--json"}).status, 2);
    EXPECT_EQ(RunCli({"validate"}).status, 2);

    CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("analyse"), std::string::npos);
    EXPECT_NE(help.out.find("validate"), std::string::npos);
    // Every status a command returns, the creator's 3 included.
    for (const char* status : {"  0  ", "  1  ", "  2  ", "  3  roundtrip, brandnew"})
        EXPECT_NE(help.out.find(status), std::string::npos) << status;
    help = RunCli({"analyse", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: redaviv-cli analyse"), std::string::npos);
}

#ifndef _WIN32
// FIFOs and /dev/null are POSIX files.
TEST_F(CliTest, InputsThatAreNotRegularFilesAreRefusedAtOnce) {
    const EdidImage image = RichImage();
    const std::string fifo = dir_ + "/fifo.bin";
    const FedFifo fed(fifo, Bytes(image.begin(), image.end()));
    ASSERT_TRUE(fed.ok());
    const std::string refusals[][2] = {
        {fifo, fifo + ": is a FIFO, not a regular file\n"},
        {dir_, dir_ + ": is a directory"},
        {"/dev/null", "/dev/null: is a device, not a regular file\n"},
    };

    // The file commands report each refused file as one that cannot be opened.
    const char* const fileCommands[] = {"analyse", "dump", "validate"};
    for (const char* command : fileCommands) {
        const CliRun run = RunCli({command, fifo, dir_, "/dev/null"});
        EXPECT_EQ(run.status, 1) << command;
        for (const auto& [path, reason] : refusals)
            EXPECT_NE(run.err.find(std::string("redaviv-cli ") + command + ": " + reason),
                      std::string::npos)
                << command << "\n"
                << run.err;
        EXPECT_EQ(run.out.find("valid"), std::string::npos) << run.out;
    }
    const CliRun run = RunCli({"validate", fifo, "/dev/null"});
    EXPECT_EQ(run.out, fifo + ": Edid Open Fail.\n/dev/null: Edid Open Fail.\n");

    // The device commands refuse the file before they look for a device.
    const std::string port = dir_ + "/no-such-port";
    const char* const deviceCommands[] = {"upload", "firmware"};
    for (const char* command : deviceCommands) {
        for (const auto& [path, reason] : refusals) {
            const CliRun refused = RunCli({command, path, "--port", port});
            EXPECT_EQ(refused.status, 1) << command << " " << path;
            EXPECT_NE(refused.err.find(reason), std::string::npos) << refused.err;
            EXPECT_EQ(refused.err.find("Not Found."), std::string::npos) << refused.err;
        }
    }
    // An EDID to upload may come on standard input: read, then the search fails.
    const std::string edid = WriteImage("edid.bin", RichImage());
    const CliRun upload = RunCli({"upload", "-", "--port", port}, edid);
    EXPECT_EQ(upload.status, 1);
    EXPECT_EQ(upload.err.find("standard input is not read"), std::string::npos) << upload.err;
    EXPECT_NE(upload.err.find("Not Found."), std::string::npos) << upload.err;
    // A firmware image is no EDID: standard input is not read for it.
    const CliRun firmware = RunCli({"firmware", "-", "--port", port});
    EXPECT_EQ(firmware.status, 1);
    EXPECT_NE(firmware.err.find("-: standard input is not read"), std::string::npos);
}
#endif

// The hex texts an EDID travels as, made from what export writes.
std::vector<std::pair<std::string, std::string>> HexForms(const std::string& binary) {
    const std::string hex = RunCli({"export", binary}).out;
    const std::string c = RunCli({"export", "--format", "c", binary}).out;
    std::string oneLine;
    std::string listing = "Screen 0: minimum 8 x 8\nHDMI-1 connected\n\tEDID:\n";
    std::string digits;
    for (char ch : hex) {
        if (ch != '\n')
            oneLine += ch;
        else if (!oneLine.empty() && oneLine.back() != ' ')
            oneLine += ' ';
        if (ch != ' ' && ch != '\n')
            digits += ch;
    }
    for (std::size_t i = 0; i < digits.size(); i += 32)
        listing += "\t\t" + digits.substr(i, 32) + "\n";
    const std::size_t open = c.find('{');
    const std::size_t close = c.rfind('}');
    return {
        {"decoder report", "edid-decode (hex):\n\n" + hex + "\n----------------\n\nBlock 0\n"},
        {"listing", listing + "\tBorder: 0\n\tEDID:\n\t\t00ff\n"},
        {"C array body", c.substr(open + 1, close - open - 1)},
        {"C declaration", c},
        {"one line", oneLine},
    };
}

TEST_F(CliTest, EveryHexFormReadsLikeTheBinaryInEveryFileCommand) {
    EdidImage base = Base();
    FixChecksums(base, false);
    // An EDID with an extension, one base block (its filler block read as 0xFF), and one
    // whose checksum is broken (the creator refuses it and writes nothing).
    EdidImage broken = RichImage();
    broken[127] ^= 0x01;
    const std::vector<std::pair<std::string, EdidImage>> edids = {
        {"rich", RichImage()},
        {"base", EdidImageFromBytes(Bytes(base.begin(), base.begin() + 128))},
        {"broken", broken}};
    // The output of a command after the name of its input.
    const auto afterName = [](const std::string& out, const std::string& file) {
        const std::string name = "{\"file\": \"" + file;
        std::string rest;
        for (std::size_t at = out.find(name); at != std::string::npos; at = out.find(name, at)) {
            at += name.size();
            rest += out.substr(at, out.find('\n', at) - at) + "\n";
        }
        return rest;
    };
    for (const auto& [label, image] : edids) {
        const std::string binary = WriteImage(label + ".bin", image);
        const std::string copy = dir_ + "/" + label + ".copy";
        const int roundtrip = RunCli({"roundtrip", binary, "-o", copy}).status;
        ASSERT_EQ(roundtrip, label == "broken" ? 1 : 0);
        std::map<std::string, std::string> expected;
        for (const char* command : {"analyse", "dump", "validate"})
            expected[command] = afterName(RunCli({command, "--json", binary}).out, binary + "\"");
        ASSERT_NE(expected["analyse"].find("\"summary\""), std::string::npos);

        int form = 0;
        for (const auto& [formName, text] : HexForms(binary)) {
            const std::string file = WriteBytes(label + std::to_string(++form) + ".txt",
                                                Bytes(text.begin(), text.end()));
            const std::string what = label + ", " + formName;
            for (const char* command : {"analyse", "dump", "validate"}) {
                for (const auto& [name, input] : {std::pair{file, std::string()}, {"-", file}}) {
                    const CliRun run = RunCli({command, "--json", name}, input);
                    EXPECT_EQ(afterName(run.out, name + "\""), expected[command])
                        << command << ", " << what << ", " << name;
                }
            }
            // The creator takes the text as it takes the file, alone and into a folder.
            const std::string out = dir_ + "/out.bin";
            std::remove(out.c_str());
            EXPECT_EQ(RunCli({"roundtrip", "-", "-o", out}, file).status, roundtrip) << what;
            EXPECT_EQ(ReadRegularFile(out, kEdidSize + 1), ReadRegularFile(copy, kEdidSize + 1))
                << what;
            const std::string folder = dir_ + "/folder";
            std::error_code made;
            std::filesystem::create_directory(folder, made);
            ASSERT_FALSE(made);
            EXPECT_EQ(RunCli({"roundtrip", file, "-d", folder}).status, roundtrip) << what;
            EXPECT_EQ(ReadRegularFile(folder + file.substr(file.rfind('/')), kEdidSize + 1),
                      ReadRegularFile(copy, kEdidSize + 1))
                << what;
        }
    }
}

TEST_F(CliTest, HexTextOfTheWrongLengthIsRefusedWithItsByteCount) {
    const std::string text = WriteBytes("short.txt", {'0', '0', ' ', 'f', 'f', '\n'});
    const std::string message = "Hex text holds 2 bytes, not a whole number of 128-byte blocks.";
    const CliRun analyse = RunCli({"analyse", "--json", text, "-"}, text);
    EXPECT_EQ(analyse.status, 1);
    ASSERT_EQ(analyse.lines.size(), 2u);
    for (const QJsonObject& line : analyse.lines)
        EXPECT_EQ(line.value("error").toString().toStdString(), message);
    EXPECT_EQ(RunCli({"validate", text}).out, text + ": " + message + "\n");
    const CliRun dump = RunCli({"dump", text});
    EXPECT_EQ(dump.status, 1);
    EXPECT_NE(dump.out.find(message), std::string::npos);
    const CliRun roundtrip = RunCli({"roundtrip", text, "-o", dir_ + "/out.bin"});
    EXPECT_EQ(roundtrip.status, 1);
    EXPECT_EQ(roundtrip.err, message + "\n");
    // Standard input holds one EDID.
    EXPECT_EQ(RunCli({"analyse", "-", "-"}, text).status, 2);
}

TEST_F(CliTest, DoubleDashEndsOptions) {
    WriteImage("--json", RichImage());
    const CliRun run = RunCli({"validate", "--", "--json"});
    EXPECT_EQ(run.status, 1); // "--json" relative to the working folder does not exist
    // In the test's folder "--json" is the file written above.
    EXPECT_EQ(runCli({"validate", "--", "--json"}, {}, QString::fromStdString(dir_)).status, 0);
}

TEST_F(CliTest, ExportWritesEachFormatAndReadsHexTextAndStandardInput) {
    const EdidImage image = RichImage();
    const std::string bin = WriteImage("rich.bin", image);
    const CliRun hex = RunCli({"export", bin});
    EXPECT_EQ(hex.status, 0);
    EXPECT_EQ(hex.out.substr(0, 48), "00 ff ff ff ff ff ff 00 04 43 34 12 ef cd ab 89\n");

    // The hex text, from a file and from standard input, gives back the 256 bytes.
    const std::string text = WriteBytes("rich.txt", Bytes(hex.out.begin(), hex.out.end()));
    for (const auto& [file, input] : {std::pair{text, std::string()}, {"-", text}}) {
        const CliRun raw = RunCli({"export", "--format", "bin", file}, input);
        EXPECT_EQ(raw.status, 0);
        EXPECT_EQ(raw.out, std::string(image.begin(), image.end()));
    }
    const CliRun c = RunCli({"export", "--format", "c", "-", "-o", dir_ + "/rich.c"}, bin);
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.out, "");
    const std::string written = TestBytes::readText(dir_ + "/rich.c");
    EXPECT_EQ(written.substr(0, 47), "static const unsigned char edid[256] = {\n    0x");
}

TEST_F(CliTest, ExportFailuresAndUsage) {
    const std::string bin = WriteImage("rich.bin", RichImage());
    const std::string shortText = WriteBytes("short.txt", {'0', '0', ' ', 'f', 'f', '\n'});
    EXPECT_EQ(RunCli({"export", shortText}).status, 1);
    EXPECT_EQ(RunCli({"export", dir_ + "/none.bin"}).status, 1);
    // -o into a folder that does not exist: nothing written, status 1.
    EXPECT_EQ(RunCli({"export", bin, "-o", dir_ + "/no/such/out.hex"}).status, 1);
    // A read-only target is left as it was.
    const std::string kept = WriteBytes("kept.hex", {'k'});
    ASSERT_EQ(::chmod(kept.c_str(), 0444), 0);
    EXPECT_EQ(RunCli({"export", bin, "-o", kept}).status, 1);
    EXPECT_EQ(TestBytes::readText(kept), "k");

    EXPECT_EQ(RunCli({"export"}).status, 2);
    EXPECT_EQ(RunCli({"export", bin, bin}).status, 2);
    EXPECT_EQ(RunCli({"export", bin, "--format", "xml"}).status, 2);
    EXPECT_EQ(RunCli({"export", bin, "-o"}).status, 2);
    EXPECT_EQ(RunCli({"export", "--help"}).status, 0);
}

// A binary EDID passes through standard input and output byte for byte: a carriage
// return, a line feed and the byte that ends a text file on Windows are bytes like any.
TEST_F(CliTest, StandardStreamsCarryEveryByte) {
    EdidImage image = RichImage();
    image[0x36] = 0x0D;
    image[0x37] = 0x0A;
    image[0x38] = 0x1A;
    FixChecksums(image);
    const std::string bin = WriteImage("bytes.bin", image);
    const CliRun raw = RunCli({"export", "--format", "bin", "-"}, bin);
    EXPECT_EQ(raw.status, 0);
    EXPECT_EQ(raw.out, std::string(image.begin(), image.end()));
    const CliRun dump = RunCli({"dump", "-"}, bin);
    EXPECT_EQ(dump.status, 0);
    ASSERT_EQ(dump.lines.size(), 1u);
    const QJsonArray bytes = dump.lines[0].value("record").toObject().value("Image").toArray();
    ASSERT_EQ(bytes.size(), 256);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(bytes[i].toInt(), image[static_cast<std::size_t>(i)]) << i;
}

// Names are UTF-8 on the command line and reach the file system whole: a file's, an
// output's and a folder's, reported back as given.
TEST_F(CliTest, Utf8NamesAreReadAndWritten) {
    const std::string name = "\xC3\x89"
                             "cran-\xC3\x9F \xE6\x98\xBE\xE7\xA4\xBA.bin";
    const EdidImage image = RichImage();
    const std::string file = WriteImage(name, image);
    CliRun run = RunCli({"validate", file});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, file + ": valid\n");

    const std::string copy = dir_ + "/copie-\xC3\xA9.bin";
    EXPECT_EQ(RunCli({"export", file, "--format", "bin", "-o", copy}).status, 0);
    EXPECT_EQ(ReadRegularFile(copy, 257), Bytes(image.begin(), image.end()));

    // roundtrip -d names each output after its input's name, split at the system's
    // separator.
    const std::string folder = dir_ + "/Sortie \xC3\xA9";
    ASSERT_TRUE(std::filesystem::create_directory(std::filesystem::u8path(folder)));
#ifdef _WIN32
    const std::string input = dir_ + "\\" + name;
#else
    const std::string input = file;
#endif
    run = RunCli({"roundtrip", input, "-d", folder});
    EXPECT_EQ(run.status, 0) << run.err;
    const auto written = ReadRegularFile(folder + "/" + name, 257);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), 256u);
}

TEST_F(CliTest, DiffExitsZeroOneOrTwoAndShowsWhatDiffers) {
    const EdidImage a = RichImage();
    EdidImage b = a;
    b[9] = 0x44; // manufacturer "ABD"
    FixChecksums(b);
    const std::string fileA = WriteImage("a.bin", a);
    const std::string fileB = WriteImage("b.bin", b);
    const CliRun hexA = RunCli({"export", fileA});
    const std::string textA = WriteBytes("a.txt", Bytes(hexA.out.begin(), hexA.out.end()));

    // The same EDID as binary and as hex text from standard input: equal, silent.
    CliRun run = RunCli({"diff", fileA, "-"}, textA);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");

    run = RunCli({"diff", fileA, fileB});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Block 0 (offset: A B):\n  0x09: 43 44\n  0x7f: "), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Manufac_Name: \"ABC\" | \"ABD\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Manufacturer"), std::string::npos) << run.out;

    run = RunCli({"diff", "--json", fileA, fileB});
    EXPECT_EQ(run.status, 1);
    ASSERT_TRUE(run.allJson) << run.out;
    ASSERT_EQ(run.lines.size(), 1u);
    const QJsonObject diff = run.lines[0];
    EXPECT_FALSE(diff.value("equal").toBool(true));
    const QJsonArray blocks = diff.value("blocks").toArray();
    ASSERT_EQ(blocks.size(), 1); // the manufacturer and the checksum, both in block 0
    const QJsonObject first = blocks.at(0).toObject().value("bytes").toArray().at(0).toObject();
    EXPECT_EQ(first.value("offset").toInt(), 9);
    EXPECT_EQ(first.value("a").toInt(), 0x43);
    EXPECT_EQ(first.value("b").toInt(), 0x44);
    EXPECT_EQ(blocks.at(0).toObject().value("block").toInt(), 0);
    const QJsonObject field = diff.value("fields").toArray().at(0).toObject();
    EXPECT_EQ(field.value("name").toString(), "Manufac_Name");
    EXPECT_EQ(field.value("b").toString(), "ABD");
    const QJsonObject item = diff.value("items").toArray().at(0).toObject();
    EXPECT_EQ(item.value("item").toString(), "manufacturer");
    EXPECT_EQ(item.value("a").toString(), "ABC");

    EXPECT_EQ(RunCli({"diff", fileA, dir_ + "/none.bin"}).status, 2);
    EXPECT_EQ(RunCli({"diff", fileA}).status, 2);
    EXPECT_EQ(RunCli({"diff", fileA, fileB, fileB}).status, 2);
    EXPECT_EQ(RunCli({"diff", "-", "-"}, textA).status, 2);
    const CliRun help = RunCli({"diff", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("0 when the EDIDs are equal, 1 when they differ, 2"),
              std::string::npos);
}

// Output that does not reach standard output is a failure, whatever the command, also
// when it fails past the first buffer's worth.
TEST_F(CliTest, AFailedWriteToStandardOutputExitsOneWithTheSystemsReason) {
    const std::string good = WriteImage("good.bin", RichImage());
    EdidImage other = RichImage();
    other[9] = 0x44;
    FixChecksums(other);
    const std::string changed = WriteImage("other.bin", other);
    const std::vector<std::string> many(200, good);
    std::vector<std::string> dumpMany = {"dump"};
    dumpMany.insert(dumpMany.end(), many.begin(), many.end());
    const std::vector<std::string> commands[] = {
        {"export", good, "--format", "bin"},
        {"export", good, "-o", "-"},
        {"analyse", good},
        {"analyse", "--json", good},
        {"dump", good},
        dumpMany,
        {"validate", good},
        {"validate", "--json", good},
        {"diff", good, changed},
        {"diff", "--json", good, changed},
        {"roundtrip", good, "-o", "-"},
        {"brandnew", "-o", "-"},
        {"--help"},
        {"export", "--help"},
    };
    for (const std::vector<std::string>& args : commands) {
        const CliRun run = RunCli(args, "", "/dev/full");
        EXPECT_EQ(run.status, 1) << args[0] << " " << args[1];
        EXPECT_EQ(run.err, "write error: No space left on device\n") << args[0] << " " << args[1];
    }
    // Nothing to write, nothing failed.
    const CliRun equal = RunCli({"diff", good, good}, "", "/dev/full");
    EXPECT_EQ(equal.status, 0);
    EXPECT_EQ(equal.err, "");
}

// The box holds 256 bytes, so no more are read; a longer input says so once, and diff,
// which compares inputs, compares them whole.
TEST_F(CliTest, InputsLongerThan256BytesAreNotedAndDiffComparesThemWhole) {
    const EdidImage image = RichImage();
    Bytes four = BytesOf(image);
    four.insert(four.end(), 256, 0x5A);
    const std::string fourFile = WriteBytes("four.bin", four);
    Bytes changedFar = four;
    changedFar[400] ^= 0xFF;
    const std::string changedFile = WriteBytes("m.bin", changedFar);
    const std::string twoFile = WriteImage("two.bin", image);
    const std::string note = " bytes; only the first 256 (the base block and one extension) are "
                             "read.\n";

    for (const char* command : {"analyse", "dump", "validate"}) {
        const CliRun run = RunCli({command, fourFile, twoFile});
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_EQ(run.err, fourFile + ": 512" + note) << command;
    }
    CliRun run = RunCli({"export", "--format", "bin", "-"}, fourFile);
    EXPECT_EQ(run.out, std::string(image.begin(), image.end()));
    EXPECT_EQ(run.err, "-: 512" + note);
    run = RunCli({"roundtrip", fourFile, "-o", dir_ + "/out.bin"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, fourFile + ": 512" + note);
    // Four blocks of hex text hold 512 bytes too; a file past the size read is counted
    // whole, from a file and from standard input.
    std::string fourHex;
    for (const std::uint8_t byte : four) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02x ", byte);
        fourHex += pair;
    }
    const std::string fourText = WriteBytes("four.txt", Bytes(fourHex.begin(), fourHex.end()));
    EXPECT_EQ(RunCli({"validate", fourText}).err, fourText + ": 512" + note);
    Bytes huge = BytesOf(image);
    huge.resize(3 << 20, 0x00);
    const std::string hugeFile = WriteBytes("huge.bin", huge);
    EXPECT_EQ(RunCli({"validate", hugeFile}).err, hugeFile + ": 3145728" + note);
    EXPECT_EQ(RunCli({"validate", "-"}, hugeFile).err, "-: 3145728" + note);
    // Exactly 256 bytes: nothing to say.
    EXPECT_EQ(RunCli({"validate", twoFile}).err, "");

    // diff: a difference at byte 400 is one; so is a longer input, whatever it holds.
    run = RunCli({"diff", fourFile, changedFile});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "bytes 256..511 differ\n");
    EXPECT_EQ(run.err, "");
    run = RunCli({"diff", "--json", fourFile, changedFile});
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_FALSE(run.lines[0].value("equal").toBool(true));
    EXPECT_EQ(run.lines[0].value("beyond").toObject().value("from").toInt(), 256);
    EXPECT_EQ(run.lines[0].value("beyond").toObject().value("to").toInt(), 511);
    EXPECT_EQ(RunCli({"diff", twoFile, fourFile}).out, "bytes 256..511 differ\n");
    EXPECT_EQ(RunCli({"diff", fourFile, twoFile}).out, "bytes 256..511 differ\n");
    // The same bytes, binary or text, are equal; so are two inputs that hold no more than
    // 256 bytes and read the same (missing bytes read as 0xFF).
    run = RunCli({"diff", "--json", fourFile, fourText});
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(run.lines.at(0).contains("beyond"));
    Bytes shortBytes = BytesOf(image);
    shortBytes.resize(200);
    Bytes filled = shortBytes;
    filled.resize(256, 0xFF);
    EXPECT_EQ(
        RunCli({"diff", WriteBytes("short.bin", shortBytes), WriteBytes("filled.bin", filled)})
            .status,
        0);
}

// Text that is not hex is refused with its line, however it reached the command, and
// export passes on nothing that does not start with the EDID header.
TEST_F(CliTest, HexTextWithAMistakeIsRefusedWithItsLineAndExportWantsAnEdid) {
    const std::string hex = RunCli({"export", WriteImage("rich.bin", RichImage())}).out;
    std::string odd = hex;
    odd[2 * 48 + 4] = 'g'; // line 3, the second pair
    const std::string oddFile = WriteBytes("odd.txt", Bytes(odd.begin(), odd.end()));
    const std::string message = "line 3: 'g' is not a hex digit";

    EXPECT_EQ(RunCli({"validate", oddFile}).out, oddFile + ": " + message + "\n");
    const CliRun analyse = RunCli({"analyse", "--json", "-"}, oddFile);
    EXPECT_EQ(analyse.status, 1);
    EXPECT_EQ(analyse.lines.at(0).value("error").toString().toStdString(), message);
    const std::string out = dir_ + "/x.bin";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export", oddFile, "--format", "bin", "-o", out},
          {"upload", oddFile, "--port", dir_ + "/no-such-port"}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 1) << args[0];
        // Refused before anything else: no port is looked for.
        EXPECT_EQ(run.err, oddFile + ": " + message + "\n") << args[0];
    }
    EXPECT_EQ(RunCli({"diff", oddFile, oddFile}).err, oddFile + ": " + message + "\n");
    EXPECT_EQ(RunCli({"roundtrip", oddFile, "-o", out}).err, message + "\n");

    // Empty and blank inputs say so; a text of one NUL-ended line reads.
    const std::string empty = WriteBytes("empty.bin", {});
    EXPECT_EQ(RunCli({"export", empty}).err, empty + ": empty input\n");
    EXPECT_EQ(RunCli({"validate", "-"}).out, "-: empty input\n");
    const std::string blank = WriteBytes("blank.txt", {' ', '\n', '\0'});
    EXPECT_EQ(RunCli({"export", blank}).err, blank + ": blank input (only whitespace)\n");
    std::string ended = hex;
    ended += '\0';
    // Not "nul.txt": on Windows that names the null device.
    EXPECT_EQ(
        RunCli({"validate", WriteBytes("ended.txt", Bytes(ended.begin(), ended.end()))}).status, 0);

    // A binary without the header is no EDID to export, in any format.
    EdidImage headless = RichImage();
    headless[0] = 0x01;
    const std::string headlessFile = WriteImage("headless.bin", headless);
    for (const char* format : {"hex", "c", "bin"}) {
        const CliRun run = RunCli({"export", headlessFile, "--format", format, "-o", out});
        EXPECT_EQ(run.status, 1) << format;
        EXPECT_EQ(run.err, headlessFile + ": Illegal Edid Header.\n") << format;
    }
    EXPECT_FALSE(TestBytes::readFile(out).size());
    // A broken checksum is still an EDID to look at.
    EdidImage broken = RichImage();
    broken[127] ^= 1;
    EXPECT_EQ(RunCli({"export", WriteImage("broken.bin", broken)}).status, 0);
}

// The smaller file-command faults: the diff help's key, "-o -", the reason of a refused
// input, and control characters on a terminal (CliTextTest holds the escaping itself).
TEST_F(CliTest, SmallerFileCommandFaults) {
    const std::string good = WriteImage("good.bin", RichImage());
    const CliRun help = RunCli({"diff", "--help"});
    EXPECT_NE(help.out.find("\"items\": [{\"item\": ..."), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("\"label\""), std::string::npos);

    // "-o -" is standard output, the bytes as they are; no file named "-" appears.
    const CliRun bin =
        runCli({"export", QString::fromStdString(good), "--format", "bin", "-o", "-"}, {},
               QString::fromStdString(dir_));
    EXPECT_EQ(bin.status, 0);
    const EdidImage rich = RichImage();
    EXPECT_EQ(bin.out, std::string(rich.begin(), rich.end()));
    EXPECT_FALSE(TestBytes::readFile(dir_ + "/-").size());

    // A FIFO (on Windows, which has none, a device) or a folder is refused with its
    // reason, as the other commands refuse it.
#ifdef _WIN32
    const std::string special = "NUL";
    const std::string specialReason = ": is a device, not a regular file\n";
#else
    const std::string special = dir_ + "/fifo.bin";
    const std::string specialReason = ": is a FIFO, not a regular file\n";
    const FedFifo fed(special, BytesOf(RichImage()));
    ASSERT_TRUE(fed.ok());
#endif
    for (const std::vector<std::string>& args : {std::vector<std::string>{"export", special},
                                                 {"diff", good, special},
                                                 {"diff", dir_, good}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, args[0] == "diff" ? 2 : 1);
        const std::string& path = args[0] == "diff" && args[1] == good ? args[2] : args[1];
        EXPECT_EQ(run.err, "redaviv-cli " + args[0] + ": " + path +
                               (path == special ? specialReason : ": is a directory, not a file\n"))
            << args[0];
    }

    // An ESC, a BEL and a DEL in a monitor name reach the terminal escaped, and JSON
    // escapes them its own way.
    EdidImage image = RichImage();
    PutNameDescriptor(image, 108, std::string("A\x1b[2J\x07\x7fZ\n"));
    FixChecksums(image);
#ifdef _WIN32
    // A Windows name holds no control character.
    const std::string named = WriteImage("named.bin", image);
    const std::string shownName = "named.bin", jsonName = "named.bin";
#else
    const std::string named = WriteImage("named\x1b.bin", image);
    const std::string shownName = "named\\x1b.bin", jsonName = "named\\u001B.bin";
#endif
    const CliRun table = RunCli({"analyse", named});
    EXPECT_NE(table.out.find("A\\x1b[2J\\x07\\x7fZ"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find(shownName + "\n"), std::string::npos) << table.out;
    for (unsigned char c : table.out)
        EXPECT_TRUE(c >= 0x20 || c == '\n') << int(c);
    const CliRun json = RunCli({"analyse", "--json", named});
    EXPECT_NE(json.out.find("A\\u001B[2J\\u0007\\u007FZ"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find(jsonName), std::string::npos) << json.out;
}

} // namespace

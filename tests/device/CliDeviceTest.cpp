// redaviv-cli's device commands run as a user runs them, against devsim: what they print,
// what reaches the device, what is written, and the exit status of every failure.
#include "CliRunner.h"
#include "DevsimProcess.h"
#include "EdidTestFiles.h"
#include "EventWait.h"
#include "FirmwareFiles.h"
#include "TestBytes.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <csignal>

using namespace EdidTestFiles;

namespace {

// A run's output as text, for the checks of its lines below.
struct CliResult {
    CliResult(const CliRun& run)
        : status(run.status), out(QString::fromStdString(run.out)),
          err(QString::fromStdString(run.err)) {}

    int status;
    QString out;
    QString err;
};

QStringList lines(const QString& text) {
    return text.split('\n', Qt::SkipEmptyParts);
}

const QByteArray ModeWrite = Frame({0x81, 0x01, 0x01, 0x0D});
const QByteArray Block0Write = Frame({0x81, 0x05, 0x80, 0x0D});
const QByteArray BlockWrites[] = {Block0Write, Frame({0x81, 0x06, 0x80, 0x0D})};
const QByteArray LoaderWrite = Frame({0x86});
const QByteArray SelectUser = Frame({0x81, 0x08, 0x01, 0x0D, 0x00});

// A devsim for one test, with files in a directory of the test's own.
class CliDevice : public ::testing::Test {
protected:
    void start(const QStringList& options = {}) {
        device = std::make_unique<DevsimProcess>(options);
        ASSERT_FALSE(device->path().isEmpty());
    }

    CliResult run(QStringList args) {
        args << QStringLiteral("--port") << device->path();
        return runCli(args);
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    std::unique_ptr<DevsimProcess> device;
};

TEST_F(CliDevice, InfoShowsModelVersionAndPresentedEdid) {
    start({"--model", "BOX-7", "--version", "4.56", "--mode", "2"});
    const CliResult result = run({"info"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(lines(result.out),
              QStringList({"Port: " + device->path(), "Model: BOX-7", "Firmware version: v4.56",
                           "Presented EDID: External"}));
    // The search's own log lines, as the window logs them.
    EXPECT_TRUE(result.err.contains("Got One Device!\nManufac: VRN\n"));
}

TEST_F(CliDevice, InfoJsonNamesPortModelFirmwareAndPresentedEdidOrTheLoader) {
    start({"--model", "BOX-7", "--version", "4.56", "--mode", "2"});
    CliResult result = run({"info", "--json"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    QJsonObject info = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(info.keys(), QStringList({"firmware", "model", "port", "presented"}));
    EXPECT_EQ(info.value("port").toString(), device->path());
    EXPECT_EQ(info.value("model").toString(), "BOX-7");
    EXPECT_EQ(info.value("firmware").toString(), "v4.56");
    EXPECT_EQ(info.value("presented").toString(), "external");

    start({"--isp", "--banner"});
    result = run({"info", "--json"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    info = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(info.value("mode").toString(), "isp");
    EXPECT_EQ(info.value("model").toString(), "ISP Mode.");
    EXPECT_EQ(info.value("loader_variant").toInt(), 1);
    EXPECT_FALSE(info.contains("presented"));
}

TEST_F(CliDevice, PortsMayComeBeforeTheCommand) {
    start();
    const CliResult result =
        runCli({"--port", path("no-such-port"), "--port=" + device->path(), "info"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.startsWith("Open " + path("no-such-port") + " Failed.\nCheck "));
    EXPECT_TRUE(result.out.startsWith("Port: " + device->path() + "\nModel: EM-01\n"));
}

TEST_F(CliDevice, InfoNamesTheLoaderVariantInIspMode) {
    start({"--isp"});
    CliResult result = run({"info"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(lines(result.out),
              QStringList({"Port: " + device->path(), "Model: ISP Mode.", "Loader variant: 0"}));

    start({"--isp", "--banner"});
    result = run({"info"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.contains("Loader variant: 1 (KQB707)\n"));
}

TEST_F(CliDevice, InfoWithoutADeviceFailsWithTheSearchLog) {
    start({"--silent"});
    CliResult result = run({"info"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.contains("No Device Detected.\nNot Found.\n"));

    start({"--manufacturer", "XYZ"});
    result = run({"info"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("Manufac: XYZ\nNot Found.\n"));

    const QString missing = path("no-such-port");
    result = runCli({"info", "--port", missing});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("Open " + missing + " Failed.\n"));
}

TEST_F(CliDevice, InfoAsksALateBoxAgainAndTakesNoAnswerForAnotherRequest) {
    // 80 and 100 ms: whether the search's 160 ms waits take the model's and the version's
    // answers depends on where its receive tick falls (the window shows them in some
    // runs). 200 ms: each answer comes after the search stopped waiting for it, while
    // the next request is pending, and is dropped, never taken for the next one's.
    for (const char* delay : {"80", "100", "200"}) {
        start({"--delay-ms", delay, "--model", "BOX-7", "--version", "4.56"});
        const CliResult result = run({"info"});
        EXPECT_EQ(result.status, 0) << delay << " ms: " << result.err.toStdString();
        EXPECT_TRUE(result.out.contains("\nModel: BOX-7\nFirmware version: v4.56\n"))
            << delay << " ms: " << result.out.toStdString();
        if (QByteArray(delay) == "200") {
            EXPECT_TRUE(result.err.contains("Unexpected Answer 00 01 Dropped.\n"))
                << result.err.toStdString();
        }
    }

    for (const char* type : {"0x0001", "0x0002"}) {
        start({"--ignore-type", type});
        const CliResult result = run({"info"});
        EXPECT_EQ(result.status, 1) << type;
        EXPECT_TRUE(result.out.isEmpty()) << type;
        EXPECT_TRUE(result.err.endsWith("API Timeout.\n")) << type;
    }
}

TEST_F(CliDevice, UsageErrorsExitTwoWithoutTouchingThePort) {
    start();
    const QStringList usageErrors[] = {
        {"info", "extra"},
        {"info", "--bogus"},
        {"download", "internal"},
        {"download", "sideways", "-o", path("x.bin")},
        {"download", "internal", "-o"},
        {"upload"},
        {"mode", "stored"},
        {"firmware"},
        {"analyse", "internal", "external"},
        {"analyse", "user", "--no-verify"},
    };
    for (const QStringList& args : usageErrors) {
        const CliResult result = run(args);
        EXPECT_EQ(result.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains("usage: redaviv-cli " + args[0]))
            << result.err.toStdString();
    }
    EXPECT_TRUE(device->sentStream().isEmpty());
    EXPECT_FALSE(QFile::exists(path("x.bin")));

    const CliResult help = runCli({"download", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("usage: redaviv-cli download internal|external|user|stored"));
    // analyse's help covers its file and its device form.
    const CliResult analyseHelp = runCli({"analyse", "--help"});
    EXPECT_TRUE(analyseHelp.out.contains("usage: redaviv-cli analyse [--json] FILE..."));
    EXPECT_TRUE(analyseHelp.out.contains("usage: redaviv-cli analyse internal|external|user"));
}

class CliEdids : public CliDevice {
protected:
    static constexpr std::array<const char*, 4> Sources = {"internal", "external", "user",
                                                           "stored"};

    // devsim holding four different EDIDs; `extra` options after them.
    void startWithEdids(const QStringList& extra = {}) {
        QStringList options;
        for (std::size_t i = 0; i < Sources.size(); ++i) {
            edids[i] = i % 2 ? PlainEdid(std::string("PLAIN ") + Sources[i])
                             : RichEdid(std::string("RICH ") + Sources[i]);
            const QString file = dir.filePath(QString::fromLatin1(Sources[i]) + ".src");
            ASSERT_TRUE(WriteImage(file, edids[i]));
            options << QStringLiteral("--%1").arg(QString::fromLatin1(Sources[i])) << file;
        }
        start(options + extra);
    }

    std::array<EdidImage, 4> edids{};
};

TEST_F(CliEdids, DownloadWritesEachOfTheFourEdids) {
    startWithEdids();
    for (std::size_t i = 0; i < Sources.size(); ++i) {
        const QString target = dir.filePath(QString::fromLatin1(Sources[i]) + ".bin");
        const CliResult result = run({"download", Sources[i], "-o", target});
        EXPECT_EQ(result.status, 0) << Sources[i] << ": " << result.err.toStdString();
        EXPECT_TRUE(result.err.contains("Edid Open OK.\n"));
        EXPECT_EQ(ReadBytes(target), Bytes(edids[i])) << Sources[i];
    }
}

TEST_F(CliEdids, DownloadAllWritesTheFourEdidsUnderTheWindowsNames) {
    startWithEdids();
    const char* const names[] = {"Internal_Edid.bin", "External_Edid.bin", "User_Edid.bin",
                                 "Stored_Edid.bin"};
    ASSERT_TRUE(QDir(dir.path()).mkdir("all"));
    CliResult result = run({"download", "all", "-o", path("all")});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    for (std::size_t i = 0; i < Sources.size(); ++i)
        EXPECT_EQ(ReadBytes(path("all/") + names[i]), Bytes(edids[i])) << names[i];
    EXPECT_EQ(QDir(path("all")).entryList(QDir::Files).size(), 4);

    // A folder that cannot be made is refused before the port is opened.
    const qsizetype before = device->sentStream().size();
    result = run({"download", "all", "-o", path("missing/all")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains(path("missing/all") + ": cannot be made: " + path("missing") +
                                    " does not exist\n"))
        << result.err.toStdString();
    EXPECT_EQ(device->sentStream().size(), before);
}

// "download all -o DIR" makes DIR when its parent is there, once a device is found.
TEST_F(CliEdids, DownloadAllMakesItsFolderWhenItsParentExists) {
    startWithEdids();
    CliResult result = run({"download", "all", "-o", path("edids/")});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(ReadBytes(path("edids/Stored_Edid.bin")), Bytes(edids[3]));
    EXPECT_EQ(QDir(path("edids")).entryList(QDir::Files).size(), 4);

    // No device: no folder either.
    result = runCli({"download", "all", "-o", path("none"), "--port", path("no-such-port")});
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(QFile::exists(path("none")));
    // A file where the folder or its parent should be: refused, the port untouched.
    ASSERT_TRUE(WriteBytes(path("file"), "x"));
    const qsizetype before = device->sentStream().size();
    result = run({"download", "all", "-o", path("file")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains(path("file") + ": is not a folder\n"));
    result = run({"download", "all", "-o", path("file/sub")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains(path("file/sub") + ": cannot be made: " + path("file") +
                                    " is not a folder\n"))
        << result.err.toStdString();
    EXPECT_EQ(device->sentStream().size(), before);
}

// The smaller device-command faults: "download -o -" writes standard output, and the
// device's texts reach a terminal with their control characters escaped.
TEST_F(CliEdids, DownloadToStandardOutputAndDeviceTextsEscaped) {
    startWithEdids();
    const CliRun raw =
        runCli({"download", "user", "-o", "-", "--port", device->path()}, {}, dir.path());
    EXPECT_EQ(raw.status, 0) << raw.err;
    EXPECT_EQ(QByteArray::fromStdString(raw.out), Bytes(edids[2]));
    EXPECT_FALSE(QFile::exists(path("-")));
    EXPECT_EQ(run({"download", "all", "-o", "-"}).status, 2);

    // The model answer holds five characters: these clear the screen and ring the bell.
    start({"--model", "\x1b[2J\a", "--version",
           "1.\x1b"
           "2"});
    const CliResult result = run({"info"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains("Model: \\x1b[2J\\x07\nFirmware version: v1.\\x1b2\n"))
        << result.out.toStdString();
    EXPECT_FALSE(result.out.contains('\x1b'));
    EXPECT_FALSE(result.err.contains('\x1b'));
}

TEST_F(CliEdids, AFailedDownloadLeavesTheFileAsItWas) {
    startWithEdids({"--ignore-type", "0x0108"});
    const QString existing = path("keep.bin");
    ASSERT_TRUE(WriteBytes(existing, "previous contents"));
    CliResult result = run({"download", "user", "-o", existing});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("API Timeout.\n"));
    EXPECT_EQ(ReadBytes(existing), QByteArray("previous contents"));

    // The External EDID needs no selection, but a missing folder cannot take a file.
    result = run({"download", "external", "-o", path("missing/ext.bin")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("Edid Open Fail.\n"));
    EXPECT_FALSE(QFile::exists(path("missing")));
}

TEST_F(CliEdids, DeviceAnalyseShowsWhatTheFileFormShowsForTheSameEdid) {
    startWithEdids();
    for (std::size_t i = 0; i < 3; ++i) {
        const CliResult device = run({"analyse", Sources[i], "--json"});
        EXPECT_EQ(device.status, 0) << Sources[i] << ": " << device.err.toStdString();
        const QString file = dir.filePath(QString::fromLatin1(Sources[i]) + ".src");
        const CliResult fromFile = runCli({"analyse", "--json", file});
        ASSERT_EQ(fromFile.status, 0);
        // Everything after the name of the source is the same.
        const QString prefix = QStringLiteral("{\"source\": \"%1\", ").arg(Sources[i]);
        ASSERT_TRUE(device.out.startsWith(prefix)) << device.out.toStdString();
        const QString summary = fromFile.out.mid(fromFile.out.indexOf("\"summary\""));
        EXPECT_EQ(device.out.mid(prefix.size()), summary);
    }
    const CliResult table = run({"analyse", "internal"});
    EXPECT_TRUE(table.out.startsWith("internal\n    EDID Header :         Good\n"));
    EXPECT_TRUE(table.out.contains("RICH internal"));
}

TEST_F(CliEdids, DeviceAnalyseOfAnInvalidEdidRetriesThenShowsIllegal) {
    EdidImage broken = PlainEdid("BROKEN");
    broken[127] ^= 0x01;
    ASSERT_TRUE(WriteImage(path("broken.src"), broken));
    start({"--internal", path("broken.src")});
    const CliResult result = run({"analyse", "internal", "--json"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.count("Retry Edid.\n"), 5);
    EXPECT_TRUE(result.out.contains("\"edid_header\": \"Illegal\""));
}

TEST_F(CliEdids, DeviceAnalyseFailsWhenBlockOneNeverComes) {
    // Block 1 unanswered, or the line hung up at its request: the zeros it would be read
    // as pass the checksum, and no summary may be made of them.
    const struct {
        QStringList options;
        const char* source;
    } cases[] = {
        {{"--ignore-type", "0x0106"}, "internal"},
        {{"--drop-after", "6"}, "internal"},
        {{"--ignore-type", "0x0207"}, "external"},
        {{"--ignore-type", "0x0106"}, "user"},
    };
    for (const auto& c : cases) {
        for (const char* json : {"", "--json"}) {
            // A line that hung up stays down: a fresh box for each run.
            startWithEdids(c.options);
            QStringList args{"analyse", c.source};
            if (*json)
                args << json;
            const CliResult result = run(args);
            const std::string what =
                args.join(' ').toStdString() + " with devsim " + c.options.join(' ').toStdString();
            EXPECT_EQ(result.status, 1) << what;
            EXPECT_TRUE(result.err.endsWith(
                QStringLiteral("Read Failed: block 1 of the %1 EDID did not arrive.\n")
                    .arg(c.source)))
                << what << ": " << result.err.toStdString();
            EXPECT_TRUE(result.out.isEmpty()) << what << ": " << result.out.toStdString();
        }
    }
}

TEST_F(CliEdids, UploadSendsTheFileShowsProgressAndPresentsIt) {
    startWithEdids({"--dump-user", path("user.dump")});
    const EdidImage image = RichEdid("UPLOADED");
    ASSERT_TRUE(WriteImage(path("upload.bin"), image));
    const CliResult result = run({"upload", path("upload.bin")});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    // Not a terminal: a line at the first percentage and at each tenth.
    const QStringList errLines = lines(result.err);
    EXPECT_EQ(
        errLines.filter(QRegularExpression("^[0-9]+%$")),
        QStringList({"1%", "10%", "20%", "30%", "40%", "50%", "60%", "70%", "80%", "90%", "100%"}));
    EXPECT_EQ(errLines.last(), "100%");
    // What was done, in the line upload --each writes for each box.
    EXPECT_EQ(result.out, device->path() + ": EM-01: Uploaded, verified, presented.\n");
    const QByteArray sent = device->sentStream();
    EXPECT_LT(sent.indexOf(Block0Write), sent.indexOf(ModeWrite + char(0x03)));
    // Then the User EDID is read back.
    EXPECT_GT(sent.indexOf(SelectUser, sent.indexOf(ModeWrite + char(0x03))), 0);
    device->stop();
    EXPECT_EQ(ReadBytes(path("user.dump")), Bytes(image));
}

TEST_F(CliEdids, AnUploadTheDeviceDidNotStoreFailsItsReadBack) {
    const EdidImage image = RichEdid("NOT STORED");
    const QString file = path("upload.bin");
    ASSERT_TRUE(WriteImage(file, image));
    // Block 0's write is neither stored nor answered; reads are answered.
    startWithEdids({"--ignore-write", "0x0105"});
    CliResult result = run({"upload", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(
        result.err.contains("Verify Failed: the device's User EDID differs from " + file + " in "))
        << result.err.toStdString();

    // Without the check the upload is taken on trust, as the window takes it.
    const qsizetype before = device->sentStream().size();
    result = run({"upload", file, "--no-verify"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(device->sentStream().mid(before).indexOf(SelectUser), -1);
    EXPECT_EQ(result.out, device->path() + ": EM-01: Uploaded, presented.\n");

    // Block 0 ignored altogether: the read-back gets no answer either.
    startWithEdids({"--ignore-type", "0x0105"});
    result = run({"upload", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.endsWith("Verify Failed: the User EDID could not be read back.\n"))
        << result.err.toStdString();
}

TEST_F(CliEdids, AnUploadThatCannotBeValidatedSendsNothing) {
    startWithEdids();
    EdidImage image = RichEdid("BAD");
    image[127] ^= 0x01;
    ASSERT_TRUE(WriteImage(path("bad.bin"), image));
    CliResult result = run({"upload", path("bad.bin")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("Edid Open OK.\nIllegal Edid CheckSum0.\n"));

    result = run({"upload", path("absent.bin")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("Edid Open Fail.\nUpload Edid Failed.\n"));
    EXPECT_EQ(device->sentStream().indexOf(Block0Write), -1);
}

TEST_F(CliEdids, UploadEachProgramsEveryAnsweringBoxAndReportsTheSilentOne) {
    const EdidImage image = RichEdid("RACK");
    ASSERT_TRUE(WriteImage(path("rack.bin"), image));
    // The hex text the decoder prints, as a person would hand it over.
    ASSERT_EQ(runCli({"export", path("rack.bin"), "-o", path("rack.txt")}).status, 0);
    DevsimProcess first({"--model", "BOX-A", "--dump-user", path("a.dump")});
    DevsimProcess silent({"--silent"});
    DevsimProcess second({"--model", "BOX-B", "--dump-user", path("b.dump")});
    const CliResult result = runCli({"upload", path("rack.txt"), "--each", "--port", first.path(),
                                     "--port", silent.path(), "--port", second.path()});
    EXPECT_EQ(result.status, 1) << result.err.toStdString();
    EXPECT_EQ(lines(result.out),
              QStringList({first.path() + ": BOX-A: Uploaded, verified, presented.",
                           silent.path() + ": -: Not Found.",
                           second.path() + ": BOX-B: Uploaded, verified, presented.",
                           "2 of 3 boxes programmed, 1 failed."}));
    // Each answering box was read back in its own session, and holds the bytes.
    EXPECT_TRUE(first.sentStream().contains(SelectUser));
    EXPECT_TRUE(second.sentStream().contains(SelectUser));
    first.stop();
    second.stop();
    EXPECT_EQ(ReadBytes(path("a.dump")), Bytes(image));
    EXPECT_EQ(ReadBytes(path("b.dump")), Bytes(image));
}

TEST_F(CliEdids, UploadEachProgramsAPortOnceAndSaysWhyABoxInItsLoaderIsNot) {
    const EdidImage image = RichEdid("ONCE");
    ASSERT_TRUE(WriteImage(path("once.bin"), image));
    DevsimProcess box({"--model", "BOX-A"});
    DevsimProcess loader({"--isp"});
    // The same box by its name twice and through a link: one box, programmed once.
    ASSERT_TRUE(QFile::link(box.path(), path("box-link")));
    const CliResult result =
        runCli({"upload", path("once.bin"), "--each", "--port", box.path(), "--port", box.path(),
                "--port", path("box-link"), "--port", loader.path()});
    EXPECT_EQ(result.status, 1) << result.err.toStdString();
    EXPECT_EQ(lines(result.out),
              QStringList({box.path() + ": BOX-A: Uploaded, verified, presented.",
                           loader.path() + ": ISP Mode.: Not uploaded, its firmware loader runs.",
                           "1 of 2 boxes programmed, 1 failed."}));
    EXPECT_EQ(box.countRequests(Block0Write), 1);
}

TEST_F(CliEdids, ModeIsSentOnceAndConfirmedByTheDevice) {
    startWithEdids();
    const CliResult result = run({"mode", "external"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(device->countRequests(ModeWrite), 1);
    EXPECT_TRUE(device->sentStream().contains(ModeWrite + char(0x02)));
    EXPECT_TRUE(run({"info"}).out.contains("Presented EDID: External\n"));
}

TEST_F(CliEdids, DeviceCommandsFailWhenTheDeviceDoesNotAnswerOrRunsItsLoader) {
    startWithEdids({"--ignore-type", "0x0101"});
    CliResult result = run({"mode", "user"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("API Timeout.\n"));

    start({"--isp"});
    for (const QStringList& args : {QStringList{"mode", "user"}, QStringList{"analyse", "user"},
                                    QStringList{"download", "user", "-o", path("isp.bin")}}) {
        result = run(args);
        EXPECT_EQ(result.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(result.err.endsWith("ISP Mode.\n")) << result.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("isp.bin")));
}

// The requests of the framed protocol in what the program sent: a header of four bytes
// (the type's high byte carries 0x80 for a write, the count is byte 2) and a write's
// data bytes. A request the stream ends inside of is its last, with the end cut short.
struct Request {
    qsizetype start;
    qsizetype end;
    bool whole;
};

std::vector<Request> framedRequests(const QByteArray& stream) {
    std::vector<Request> requests;
    for (qsizetype at = 0; at < stream.size();) {
        const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(stream[i]); };
        qsizetype length = 4;
        if (at + 4 <= stream.size() && (byte(at) & 0x80) != 0)
            length += byte(at + 2);
        const qsizetype end = at + length;
        requests.push_back({at, std::min(end, stream.size()), end <= stream.size()});
        at = end;
    }
    return requests;
}

// The same for the loader's commands, after the search's framed probe.
std::vector<Request> loaderCommands(const QByteArray& stream) {
    std::vector<Request> commands;
    for (qsizetype at = 4; at < stream.size();) {
        qsizetype length = 1; // 81, 85, 87
        switch (static_cast<unsigned char>(stream[at])) {
        case 0x83:
            length = 2;
            break;
        case 0x84:
            length = 3;
            break;
        case 0x86:
            length = 513;
            break;
        default:
            break;
        }
        const qsizetype end = at + length;
        commands.push_back({at, std::min(end, stream.size()), end <= stream.size()});
        at = end;
    }
    return commands;
}

// No request was cut in half, and none began after `atSignal` bytes had come: the one
// in flight when the signal came was the last. What the device has had lags what the
// program has sent, so the request in flight may be one that begins just where the
// device's bytes ended when the signal went.
void expectStoppedAfterTheRequestInFlight(const std::vector<Request>& requests,
                                          qsizetype atSignal) {
    ASSERT_FALSE(requests.empty());
    EXPECT_TRUE(requests.back().whole);
    EXPECT_LE(requests.back().start, atSignal);
}

// Firmware images of the largest size the update writes, with the version tag unless told.
class CliFirmware : public CliDevice {
protected:
    QString writeImage(const char* name, bool tagged = true) {
        image = FirmwareFiles::image(0x1F600);
        if (!tagged)
            image[0x1010] = 'X';
        const QString file = path(name);
        EXPECT_TRUE(TestBytes::writeFile(file.toStdString(), image));
        return file;
    }

    // The loader's memory holds the image where the update maps it, erased elsewhere.
    void expectFlashHoldsImage(const TestBytes::Bytes& flash) {
        const TestBytes::Bytes expected = FirmwareFiles::expectedFlash(image);
        ASSERT_EQ(flash.size(), expected.size());
        EXPECT_TRUE(flash == expected);
    }

    TestBytes::Bytes image;
};

TEST_F(CliFirmware, UpdateWritesTheImageWithProgress) {
    start({"--isp", "--dump-flash", path("flash.bin")});
    const CliResult result = run({"firmware", writeImage("fw.bin")});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("Target Version : v2.015\n"));
    EXPECT_TRUE(result.err.contains("ISP Mode Confirmed!\n"));
    EXPECT_TRUE(result.err.contains("\n0%\n"));
    EXPECT_TRUE(result.err.endsWith("\n100%\n"));
    device->stop();
    const TestBytes::Bytes flash = TestBytes::readFile(path("flash.bin").toStdString());
    ASSERT_FALSE(flash.empty());
    expectFlashHoldsImage(flash);
}

TEST_F(CliFirmware, WithoutVerificationCorruptReadBacksAreAccepted) {
    const QString file = writeImage("fw.bin");
    // Verified: the first block never reads back right, and the update gives up.
    start({"--isp", "--corrupt-readback", "200"});
    CliResult result = run({"firmware", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("Verify Error! Try Again.\n"));
    EXPECT_TRUE(result.err.endsWith("Update Fw Failed.\n"));

    start({"--isp", "--corrupt-readback", "200"});
    result = run({"firmware", file, "--no-verify"});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("Verify Error!"));
}

TEST_F(CliFirmware, RefusedUpdatesSendNoBlock) {
    // A device running its firmware, not its loader.
    start();
    CliResult result = run({"firmware", writeImage("fw.bin")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.endsWith("Not ISP Mode.\n"));

    start({"--isp"});
    result = run({"firmware", writeImage("untagged.bin", false)});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.endsWith("Target Version : Illegal !\n"));
    result = run({"firmware", path("absent.bin")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("Fw Open Fail.\nUpdate Fw Failed.\n"));
    EXPECT_EQ(device->sentStream().indexOf(LoaderWrite), -1);

    // The loader variant whose commands are not known.
    start({"--isp", "--banner"});
    result = run({"firmware", writeImage("fw.bin")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.endsWith("Update Fw Failed.\n"));
}

TEST_F(CliFirmware, ASignalDuringADeviceWriteFinishesTheRequestInFlightAndSendsNothingMore) {
    // Runs redaviv-cli with `args` against the device, and once the device has had
    // `mark`, sends `signal` (twice with `twice`, the second once the first has come).
    // Returns the run and how much the device had had when the signal went.
    const auto interrupt = [&](QStringList args, const QByteArray& mark, int signal,
                               bool twice = false) {
        args << "--port" << device->path();
        CliProcess cli(args);
        EXPECT_TRUE(waitUntil([&] { return device->sentStream().contains(mark); }, 60000));
        const qsizetype atSignal = device->sentStream().size();
        cli.signal(signal);
        if (twice) {
            // Bytes sent since show that the first signal has been taken.
            EXPECT_TRUE(waitUntil([&] { return device->sentStream().size() >= atSignal + 3; }));
            cli.signal(signal);
        }
        return std::make_pair(CliResult(cli.finish()), atSignal);
    };
    const EdidImage before = PlainEdid("BEFORE");
    const EdidImage uploaded = RichEdid("UPLOADED");
    ASSERT_TRUE(WriteImage(path("before.bin"), before));
    ASSERT_TRUE(WriteImage(path("uploaded.bin"), uploaded));
    const QStringList userEdids = {"--user", path("before.bin"), "--dump-user", path("user.bin")};

    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal == SIGINT ? "upload, SIGINT" : "upload, SIGTERM");
        start(userEdids);
        const auto [result, atSignal] =
            interrupt({"upload", path("uploaded.bin")}, Block0Write, signal);
        EXPECT_EQ(result.status, 128 + signal);
        EXPECT_TRUE(result.err.endsWith("Interrupted: the User EDID on " + device->path() +
                                        " may be incomplete; upload again.\n"))
            << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        const std::vector<Request> requests = framedRequests(device->sentStream());
        expectStoppedAfterTheRequestInFlight(requests, atSignal);
        // The device holds each block whose request went out whole, and no other.
        QByteArray expected = Bytes(before);
        for (const Request& request : requests) {
            const QByteArray head = device->sentStream().mid(request.start, 4);
            for (int block = 0; block < 2; ++block) {
                if (request.whole && head == BlockWrites[block])
                    expected.replace(block * 128, 128, Bytes(uploaded).mid(block * 128, 128));
            }
        }
        EXPECT_EQ(device->countRequests(ModeWrite), 0);
        device->stop();
        EXPECT_EQ(ReadBytes(path("user.bin")), expected);
    }

    {
        SCOPED_TRACE("mode");
        start();
        const auto [result, atSignal] = interrupt({"mode", "external"}, ModeWrite, SIGINT);
        EXPECT_EQ(result.status, 130);
        EXPECT_TRUE(result.err.endsWith("Interrupted: the presented EDID on " + device->path() +
                                        " may not have changed; choose it again.\n"))
            << result.err.toStdString();
        expectStoppedAfterTheRequestInFlight(framedRequests(device->sentStream()), atSignal);
        EXPECT_TRUE(device->sentStream().endsWith(ModeWrite + char(0x02)));
    }

    {
        SCOPED_TRACE("firmware");
        start({"--isp"});
        const auto [result, atSignal] =
            interrupt({"firmware", writeImage("fw.bin")}, LoaderWrite, SIGINT);
        EXPECT_EQ(result.status, 130);
        EXPECT_TRUE(result.err.endsWith("Interrupted: the firmware on " + device->path() +
                                        " may be incomplete; update again while the loader "
                                        "runs.\n"))
            << result.err.toStdString();
        expectStoppedAfterTheRequestInFlight(loaderCommands(device->sentStream()), atSignal);
    }

    {
        SCOPED_TRACE("a second signal");
        start(userEdids);
        const auto [result, atSignal] =
            interrupt({"upload", path("uploaded.bin")}, Block0Write, SIGINT, true);
        EXPECT_EQ(result.status, 130);
        EXPECT_FALSE(result.err.contains("Interrupted:")) << result.err.toStdString();
    }

    {
        SCOPED_TRACE("outside a device write");
        start(userEdids);
        const auto [result, atSignal] =
            interrupt({"upload", path("uploaded.bin")}, Frame({0x00, 0x09, 0x03, 0x0D}), SIGINT);
        // Ended by the signal itself, as before.
        EXPECT_EQ(result.status, -1);
        EXPECT_FALSE(device->sentStream().contains(Block0Write));
    }
}

} // namespace

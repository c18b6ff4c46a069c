// The program and redaviv-cli reaching devsim through Debian's ser2net, over its raw TCP
// accepter and its telnet(rfc2217) one: every device command, servers that cannot be
// reached or do not answer, a server that fails mid-operation, a server that sends Telnet
// options nobody asked for, and a device whose answers come late.
#include "CliRunner.h"
#include "DeviceLink.h"
#include "DevsimProcess.h"
#include "EdidTestFiles.h"
#include "EventWait.h"
#include "FirmwareFiles.h"
#include "LoopbackServers.h"
#include "ProcessCpu.h"
#include "ScriptedPrompts.h"
#include "Ser2netProcess.h"
#include "TestBytes.h"
#include "TestText.h"
#include "TestWindow.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

using namespace EdidTestFiles;
using TestText::contains;

namespace {

const QByteArray Block0Write = Frame({0x81, 0x05, 0x80, 0x0D});
constexpr std::array<const char*, 4> Sources = {"internal", "external", "user", "stored"};

// A devsim, and ser2net in front of it.
struct ServedDevice {
    explicit ServedDevice(const QStringList& options) : device(options) {
        if (!device.path().isEmpty())
            server = std::make_unique<Ser2netProcess>(device.path());
    }
    bool ready() const { return server && server->listening(); }
    // The port name of each of ser2net's accepters: raw, then rfc2217.
    std::array<QString, 2> names() const { return {server->rawName(), server->rfc2217Name()}; }

    DevsimProcess device;
    std::unique_ptr<Ser2netProcess> server;
};

class NetworkE2E : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef Q_OS_WIN
        if (!HostedProcess::hostNamed())
            GTEST_SKIP() << "no host to start devsim and ser2net: REDAVIV_SERVED_DEVICES "
                            "names none (scripts/windows starts one)";
#endif
    }

    // A devsim with `options` behind ser2net, holding four different EDIDs (kept in
    // `edids`) unless told not to.
    void start(QStringList options = {}, bool withEdids = true) {
        served.reset();
        for (std::size_t i = 0; withEdids && i < Sources.size(); ++i) {
            edids[i] = i % 2 ? PlainEdid(std::string("PLAIN ") + Sources[i])
                             : RichEdid(std::string("RICH ") + Sources[i]);
            const QString file = path(Sources[i]) + ".src";
            ASSERT_TRUE(WriteImage(file, edids[i]));
            options << QStringLiteral("--%1").arg(QLatin1String(Sources[i])) << file;
        }
        served = std::make_unique<ServedDevice>(options);
        ASSERT_TRUE(served->ready()) << "ser2net did not start (scripts/setup installs it)";
    }

    QString path(const char* name) const {
        return dir.filePath(QString::fromLatin1(name));
    }
    DevsimProcess& device() {
        return served->device;
    }

    QTemporaryDir dir;
    std::unique_ptr<ServedDevice> served;
    std::array<EdidImage, 4> edids{};
};

// redaviv-cli's run as text.
struct Cli {
    explicit Cli(const CliRun& run)
        : status(run.status), out(QString::fromStdString(run.out)),
          err(QString::fromStdString(run.err)) {}
    int status;
    QString out;
    QString err;
};

Cli cli(QStringList args, const QStringList& ports) {
    for (const QString& port : ports)
        args << QStringLiteral("--port") << port;
    return Cli(runCli(args));
}

// Between the program and ser2net's rfc2217 accepter: passes the bytes both ways, and puts
// requests for Telnet options the program does not know (terminal type, window size,
// environment, status), a subnegotiation of one and a no-operation before the server's
// first bytes and before each piece that begins a device's answer (0xA1).
class NoisyTelnetRelay {
public:
    explicit NoisyTelnetRelay(const QString& upstreamName) {
        const quint16 upstreamPort = upstreamName.section(':', -1).toUShort();
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this, upstreamPort] {
            client_.reset(server_.nextPendingConnection());
            QObject::connect(client_.get(), &QTcpSocket::readyRead, [this] {
                const QByteArray bytes = client_->readAll();
                fromClient += bytes;
                upstream_.write(bytes);
            });
            upstream_.connectToHost(QHostAddress::LocalHost, upstreamPort);
        });
        QObject::connect(&upstream_, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = upstream_.readAll();
            const bool noisy = !greeted_ || bytes.startsWith('\xA1');
            greeted_ = true;
            client_->write(noisy ? Noise + bytes : bytes);
            noises += noisy ? 1 : 0;
        });
    }
    QString name() const { return loopbackName("rfc2217", server_.serverPort()); }

    static inline const QByteArray Noise =
        Frame({0xFF, 0xFB, 0x18, 0xFF, 0xFD, 0x1F, 0xFF, 0xFD, 0x27, 0xFF,
               0xFB, 0x05, 0xFF, 0xFA, 0x18, 0x01, 0xFF, 0xF0, 0xFF, 0xF1});
    // The program's refusals of each: don't terminal type, won't window size, won't
    // environment, don't status.
    static inline const QByteArray Refusals =
        Frame({0xFF, 0xFE, 0x18, 0xFF, 0xFC, 0x1F, 0xFF, 0xFC, 0x27, 0xFF, 0xFE, 0x05});

    QByteArray fromClient;
    int noises = 0;

private:
    QTcpServer server_;
    std::unique_ptr<QTcpSocket> client_;
    QTcpSocket upstream_;
    bool greeted_ = false;
};

// Whether the window shows a connected box.
void expectConnected(TestWindow& window, const QString& name) {
    EXPECT_EQ(window.link().connection(), Connection::Connected);
    EXPECT_EQ(window.text("Label_Model_Name"), "EM-01");
    EXPECT_EQ(window.text("Label_FW_Version"), "Current Version : v1.23");
    EXPECT_TRUE(contains(window.log(), "Check " + name.toStdString() + "\r\n"));
}

} // namespace

TEST_F(NetworkE2E, EveryDeviceCommandWorksThroughBothForms) {
    ASSERT_TRUE(WriteImage(path("upload.bin"), RichEdid("UPLOADED")));
    for (int form = 0; form < 2; ++form) {
        ASSERT_NO_FATAL_FAILURE(start({"--mode", "3", "--dump-user", path("user.bin")}));
        const QString name = served->names()[form];
        SCOPED_TRACE(name.toStdString());

        Cli run = cli({"info"}, {name});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, "Port: " + name +
                               "\nModel: EM-01\nFirmware version: v1.23\nPresented EDID: User\n");
        EXPECT_TRUE(run.err.startsWith("Check " + name + "\nGot One Device!\nManufac: VRN\n"));

        for (std::size_t i = 0; i < Sources.size(); ++i) {
            const QString target = path(Sources[i]) + ".bin";
            run = cli({"download", Sources[i], "-o", target}, {name});
            EXPECT_EQ(run.status, 0) << Sources[i] << run.err.toStdString();
            EXPECT_EQ(ReadBytes(target), Bytes(edids[i])) << Sources[i];
        }
        run = cli({"download", "all", "-o", path("all")}, {name});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        const char* offered[] = {"Internal_Edid.bin", "External_Edid.bin", "User_Edid.bin",
                                 "Stored_Edid.bin"};
        for (std::size_t i = 0; i < Sources.size(); ++i)
            EXPECT_EQ(ReadBytes(path("all") + "/" + offered[i]), Bytes(edids[i])) << offered[i];

        // The read-back compares what the box holds with the file: 0xFF both ways.
        run = cli({"upload", path("upload.bin")}, {name});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, name + ": EM-01: Uploaded, verified, presented.\n");

        run = cli({"mode", "external"}, {name});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        run = cli({"info", "--json"}, {name});
        EXPECT_TRUE(run.out.contains("\"presented\": \"external\"")) << run.out.toStdString();

        device().stop();
        EXPECT_EQ(ReadBytes(path("user.bin")), Bytes(RichEdid("UPLOADED")));
    }
}

TEST_F(NetworkE2E, UploadEachProgramsALocalPortAndANetworkLine) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "under Wine devsim's pty is no port: there is no local line to mix in";
#endif
    ASSERT_NO_FATAL_FAILURE(start({}, false));
    DevsimProcess local({"--model", "LOCAL"});
    ASSERT_FALSE(local.path().isEmpty());
    ASSERT_TRUE(WriteImage(path("upload.bin"), PlainEdid("RACK")));
    const QString network = served->server->rfc2217Name();
    const Cli run = cli({"upload", path("upload.bin"), "--each"}, {local.path(), network});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, local.path() + ": LOCAL: Uploaded, verified, presented.\n" + network +
                           ": EM-01: Uploaded, verified, presented.\n" +
                           "2 of 2 boxes programmed, 0 failed.\n");
}

TEST_F(NetworkE2E, AFirmwareUpdateInIspModeThroughBothForms) {
    const TestBytes::Bytes image = FirmwareFiles::image(0x1F600);
    ASSERT_TRUE(TestBytes::writeFile(path("fw.bin").toStdString(), image));
    for (int form = 0; form < 2; ++form) {
        ASSERT_NO_FATAL_FAILURE(start({"--isp", "--dump-flash", path("flash.bin")}, false));
        const QString name = served->names()[form];
        SCOPED_TRACE(name.toStdString());
        Cli run = cli({"info"}, {name});
        EXPECT_TRUE(run.out.contains("Model: ISP Mode.\n")) << run.out.toStdString();
        run = cli({"firmware", path("fw.bin")}, {name});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("ISP Mode Confirmed!\n"));
        EXPECT_TRUE(run.err.contains("\n100%\n"));
        device().stop();
        EXPECT_TRUE(TestBytes::readFile(path("flash.bin").toStdString()) ==
                    FirmwareFiles::expectedFlash(image));
    }
}

TEST_F(NetworkE2E, ServersAreNamedByHostOrIpv6AddressAndBadNamesAreUsageErrors) {
    ASSERT_NO_FATAL_FAILURE(start({}, false));
    const QString byHost =
        served->server->rawName().replace(QStringLiteral("127.0.0.1"), QStringLiteral("localhost"));
    Cli run = cli({"info"}, {byHost});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Port: " + byHost + "\nModel: EM-01\n"));

    DevsimProcess device6;
    ASSERT_FALSE(device6.path().isEmpty());
    Ser2netProcess server6(device6.path(), QStringLiteral("::1"));
    if (server6.listening()) {
        EXPECT_TRUE(server6.rfc2217Name().startsWith("rfc2217://[::1]:"));
        run = cli({"info"}, {server6.rfc2217Name()});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
    } else {
        ADD_FAILURE() << "no IPv6 loopback here: the bracketed form was not tried";
    }

    // Nothing is probed: the name is refused before any port opens.
    const qsizetype sent = device().sentStream().size();
    const struct {
        const char* name;
        const char* error;
    } bad[] = {
        {"tcp://127.0.0.1", "tcp://127.0.0.1: no port given (tcp://HOST:PORT)"},
        {"rfc2217://box:http", "rfc2217://box:http: 'http' is not a port number (1 to 65535)"},
    };
    for (const auto& entry : bad) {
        SCOPED_TRACE(entry.name);
        run = cli({"info"}, {device().path(), entry.name});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("redaviv-cli info: ") + entry.error + "\n"))
            << run.err.toStdString();
        QProcess window;
        window.start(QStringLiteral(REDAVIV_WINDOW), {QStringLiteral("--port"), entry.name});
        ASSERT_TRUE(window.waitForFinished(30000));
        EXPECT_EQ(window.exitCode(), 1);
        EXPECT_TRUE(window.readAllStandardError().contains(QByteArray("Redaviv: ") + entry.error))
            << entry.name;
    }
    EXPECT_EQ(device().sentStream().size(), sent);
}

TEST_F(NetworkE2E, UnreachableAndSilentServersAreLoggedAndTheSearchGoesOn) {
    ASSERT_NO_FATAL_FAILURE(start({}, false));
    // A server whose queue of connections not taken yet is full: a new one is never
    // answered.
    FullServer full;
    ASSERT_TRUE(full.ready());

    const QString refused = loopbackName("tcp", closedLoopbackPort());
    const QString unknown = QStringLiteral("tcp://no-such-host.invalid:7001");
    const QString timedOut = full.name("rfc2217");
    const QString good = served->server->rfc2217Name();
    Cli run = cli({"info"}, {refused, unknown, timedOut, good});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith("Open " + refused + " Failed.\nConnection refused.\nOpen " +
                                   unknown + " Failed.\nHost not found.\nOpen " + timedOut +
                                   " Failed.\nTimed out.\nCheck " + good + "\n"))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Port: " + good + "\n"));

    // A server that takes the connection and never answers is a silent box, over either
    // form; the search goes on to the next line.
    PlayedServer silent;
    for (const char* scheme : {"tcp", "rfc2217"}) {
        SCOPED_TRACE(scheme);
        const QString name = silent.name(scheme);
        run = cli({"info"}, {name});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Check " + name + "\nNo Device Detected.\nNot Found.\n");
        run = cli({"info"}, {name, good});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith("Port: " + good + "\n"));
    }
}

TEST_F(NetworkE2E, AServerThatFailsMidOperationIsALostLine) {
    ASSERT_TRUE(WriteImage(path("upload.bin"), RichEdid("LOST")));
    for (int form = 0; form < 2; ++form) {
        ASSERT_NO_FATAL_FAILURE(start({}, false));
        const QString name = served->names()[form];
        SCOPED_TRACE(name.toStdString());
        CliProcess upload({"upload", path("upload.bin"), "--port", name});
        ASSERT_TRUE(waitUntil([&] { return device().sentStream().contains(Block0Write); }));
        served->server->kill();
        const Cli run(upload.finish());
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.endsWith("Line lost during the upload.\nUpload Edid Failed.\n"))
            << run.err.toStdString();
    }

    // The window: connected, the line closes at once and the watchdog disconnects; in ISP
    // mode the line's end is the disconnect. Nothing spins meanwhile.
    for (const bool isp : {false, true}) {
        SCOPED_TRACE(isp ? "ISP mode" : "connected");
        ASSERT_NO_FATAL_FAILURE(start(isp ? QStringList{"--isp"} : QStringList{}, false));
        TestWindow window({served->server->rawName()});
        window.search();
        ASSERT_EQ(window.link().connection(), isp ? Connection::Isp : Connection::Connected);
        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = cpuMs();
        served->server->kill();
        ASSERT_TRUE(waitUntil([&] { return !window.link().portOpen(); }));
        EXPECT_EQ(window.enabled("BitBtn_Search"), isp);
        ASSERT_TRUE(waitUntil([&] { return window.enabled("BitBtn_Search"); }, 15000));
        EXPECT_EQ(window.text("Label_Model_Name"), "Not Found.");
        // Connected, the watchdog's seconds pass with the line closed.
        if (!isp) {
            EXPECT_LT(cpuMs() - cpuBefore, wall.elapsed() * 0.25);
        }
    }
}

TEST_F(NetworkE2E, AServerSendingUnknownTelnetOptionsIsRefusedAndStillServes) {
    ASSERT_NO_FATAL_FAILURE(start());
    NoisyTelnetRelay relay(served->server->rfc2217Name());
    TestWindow window({relay.name()});
    window.search();
    expectConnected(window, relay.name());
    window.prompts().saveAnswers.push_back(path("internal.bin").toStdString());
    window.click("Button_DL_IntEdid");
    EXPECT_EQ(ReadBytes(path("internal.bin")), Bytes(edids[0]));
    EXPECT_GE(relay.noises, 3);
    EXPECT_TRUE(relay.fromClient.contains(NoisyTelnetRelay::Refusals));
}

TEST_F(NetworkE2E, TheWindowSearchesConnectsAndPollsThroughBothForms) {
    for (int form = 0; form < 2; ++form) {
        ASSERT_NO_FATAL_FAILURE(start({"--mode", "2"}, false));
        const QString name = served->names()[form];
        SCOPED_TRACE(name.toStdString());
        TestWindow window({name});
        window.search();
        expectConnected(window, name);
        ASSERT_TRUE(device().waitForLaterPoll());
        EXPECT_TRUE(window.control<QRadioButton>("RadioButton_Set_ExtEdid")->isChecked());
        EXPECT_FALSE(window.enabled("BitBtn_Search"));
    }
}

// devsim answers 150 ms late, as a server across a site network would: every operation of
// the command line and of the window still succeeds.
TEST_F(NetworkE2E, EveryOperationSucceedsWhenTheAnswersComeLate) {
    ASSERT_NO_FATAL_FAILURE(start({"--delay-ms", "150"}));
    ASSERT_TRUE(WriteImage(path("upload.bin"), RichEdid("LATE")));
    const QString raw = served->server->rawName();
    Cli run = cli({"info"}, {raw});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("Model: EM-01\nFirmware version: v1.23\n"));
    run = cli({"download", "all", "-o", path("all")}, {raw});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(ReadBytes(path("all") + "/Stored_Edid.bin"), Bytes(edids[3]));
    run = cli({"upload", path("upload.bin")}, {raw});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    edids[2] = RichEdid("LATE");
    run = cli({"mode", "internal"}, {raw});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    run = cli({"analyse", "external"}, {raw});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("Monitor Name :        PLAIN externa\n")) << run.out.toStdString();

    const QString rfc2217 = served->server->rfc2217Name();
    TestWindow window({rfc2217});
    window.search();
    expectConnected(window, rfc2217);
    for (std::size_t i = 0; i < Sources.size(); ++i) {
        const QString target = path(Sources[i]) + ".bin";
        window.prompts().saveAnswers.push_back(target.toStdString());
        window.control<QPushButton>(DownloadButtons[i])->click();
        EXPECT_EQ(ReadBytes(target), Bytes(edids[i])) << Sources[i];
    }
    window.prompts().openAnswers.push_back(path("upload.bin").toStdString());
    window.click("Button_Open_Edid");
    window.click("Button_Upload_Edid");
    EXPECT_EQ(window.text("Label2"), "100%");
    window.control<QTabWidget>("PageControl1")
        ->setCurrentWidget(window.control<QWidget>("TabSheet3"));
    window.click("RadioButton_Analysis_UserEdid");
    EXPECT_EQ(window.text("Label_Monitor_Name"), "LATE");
    window.click("RadioButton_Set_ExtEdid");
    ASSERT_TRUE(device().waitForLaterPoll());
    EXPECT_TRUE(window.control<QRadioButton>("RadioButton_Set_ExtEdid")->isChecked());
    window.click("RadioButton_Brand_New");
    window.click("Button_Upload_Created");
    EXPECT_EQ(window.text("Label3"), "100%");
    EXPECT_EQ(window.log().find("API Timeout."), std::string::npos) << window.log();

    // The firmware update: each read-back comes 150 ms late.
    ASSERT_NO_FATAL_FAILURE(
        start({"--isp", "--delay-ms", "150", "--dump-flash", path("flash.bin")}, false));
    const TestBytes::Bytes image = FirmwareFiles::image(0x1F600);
    ASSERT_TRUE(TestBytes::writeFile(path("fw.bin").toStdString(), image));
    TestWindow loader({served->server->rfc2217Name()});
    loader.search();
    ASSERT_EQ(loader.link().connection(), Connection::Isp);
    loader.prompts().openAnswers.push_back(path("fw.bin").toStdString());
    loader.click("Button_Open_Fw");
    loader.click("Button_Update_Fw");
    EXPECT_EQ(loader.text("Label1"), "100%");
    device().stop();
    EXPECT_TRUE(TestBytes::readFile(path("flash.bin").toStdString()) ==
                FirmwareFiles::expectedFlash(image));
}

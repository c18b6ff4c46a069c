// The network lines without a device: port names, the Telnet COM port client's bytes
// against exchanges recorded from ser2net, and both lines against a server the test plays.
#include "EdidTestFiles.h"
#include "EventWait.h"
#include "LoopbackServers.h"
#include "NetworkAddress.h"
#include "Rfc2217Client.h"
#include "Rfc2217Line.h"
#include "TcpLine.h"

#include <gtest/gtest.h>

#include <tuple>

using EdidTestFiles::Frame;

namespace {

// Recorded from ser2net's telnet(rfc2217) accepter: its greeting (will and do suppress go
// ahead, will echo, don't echo, do and will binary, do COM port), what it sent after the
// client's greeting (a modem state notification, don't suppress go ahead), its answers
// to the five line settings, its answer to a purge, and a device's answer.
const QByteArray ServerGreeting =
    Frame({0xFF, 0xFB, 0x03, 0xFF, 0xFD, 0x03, 0xFF, 0xFB, 0x01, 0xFF, 0xFE,
           0x01, 0xFF, 0xFD, 0x00, 0xFF, 0xFB, 0x00, 0xFF, 0xFD, 0x2C});
const QByteArray ServerNotice = Frame({0xFF, 0xFA, 0x2C, 0x6B, 0x00, 0xFF, 0xF0, 0xFF, 0xFE, 0x03});
const QByteArray SettingsAnswers =
    Frame({0xFF, 0xFA, 0x2C, 0x65, 0x00, 0x00, 0xE1, 0x00, 0xFF, 0xF0, 0xFF, 0xFA, 0x2C,
           0x66, 0x08, 0xFF, 0xF0, 0xFF, 0xFA, 0x2C, 0x67, 0x01, 0xFF, 0xF0, 0xFF, 0xFA,
           0x2C, 0x68, 0x01, 0xFF, 0xF0, 0xFF, 0xFA, 0x2C, 0x69, 0x01, 0xFF, 0xF0});
const QByteArray PurgeAnswer = Frame({0xFF, 0xFA, 0x2C, 0x70, 0x01, 0xFF, 0xF0});
const QByteArray DeviceAnswer = Frame({0xA1, 0x00, 0x09, 0x56, 0x52, 0x4E});

// What the client sends: its greeting, its refusals of suppress go ahead (both ways) and
// echo, the line settings (57600 baud, 8 data bits, no parity, 1 stop bit, no flow
// control) and the purge of the server's received bytes.
const QByteArray ClientGreeting = Frame({0xFF, 0xFB, 0x2C, 0xFF, 0xFB, 0x00, 0xFF, 0xFD, 0x00});
const QByteArray Refusals = Frame({0xFF, 0xFE, 0x03, 0xFF, 0xFC, 0x03, 0xFF, 0xFE, 0x01});
const QByteArray Settings =
    Frame({0xFF, 0xFA, 0x2C, 0x01, 0x00, 0x00, 0xE1, 0x00, 0xFF, 0xF0, 0xFF, 0xFA, 0x2C,
           0x02, 0x08, 0xFF, 0xF0, 0xFF, 0xFA, 0x2C, 0x03, 0x01, 0xFF, 0xF0, 0xFF, 0xFA,
           0x2C, 0x04, 0x01, 0xFF, 0xF0, 0xFF, 0xFA, 0x2C, 0x05, 0x01, 0xFF, 0xF0});
const QByteArray Purge = Frame({0xFF, 0xFA, 0x2C, 0x0C, 0x01, 0xFF, 0xF0});

// A client that took the server's recorded greeting.
Rfc2217Client greeted() {
    Rfc2217Client client;
    client.greeting();
    client.receive(ServerGreeting);
    client.takeReplies();
    return client;
}

// `bytes` given to the client in pieces of `piece` bytes: the data it returned and what
// it queued meanwhile.
std::pair<QByteArray, QByteArray> receiveInPieces(Rfc2217Client& client, const QByteArray& bytes,
                                                  int piece) {
    QByteArray data;
    QByteArray replies;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        data += client.receive(bytes.mid(at, piece));
        replies += client.takeReplies();
    }
    return {data, replies};
}

} // namespace

TEST(NetworkNames, NameTheServerOrSayWhyNot) {
    using Protocol = NetworkAddress::Protocol;
    const struct {
        const char* name;
        Protocol protocol;
        const char* host;
        quint16 port;
    } usable[] = {
        {"tcp://gateway.rack-3:7001", Protocol::Raw, "gateway.rack-3", 7001},
        {"rfc2217://10.0.0.5:4001", Protocol::Rfc2217, "10.0.0.5", 4001},
        {"tcp://[::1]:7001", Protocol::Raw, "::1", 7001},
        {"RFC2217://[fe80::1]:65535", Protocol::Rfc2217, "fe80::1", 65535},
    };
    for (const auto& entry : usable) {
        SCOPED_TRACE(entry.name);
        EXPECT_TRUE(isNetworkName(entry.name));
        const std::optional<NetworkAddress> address = parseNetworkName(entry.name);
        ASSERT_TRUE(address);
        EXPECT_EQ(address->protocol, entry.protocol);
        EXPECT_EQ(address->host, entry.host);
        EXPECT_EQ(address->port, entry.port);
    }

    const struct {
        const char* name;
        const char* error;
    } unusable[] = {
        {"tcp://box", "tcp://box: no port given (tcp://HOST:PORT)"},
        {"rfc2217://box:", "rfc2217://box:: no port given (rfc2217://HOST:PORT)"},
        {"tcp://:7001", "tcp://:7001: no host given (tcp://HOST:PORT)"},
        {"tcp://box:0", "tcp://box:0: '0' is not a port number (1 to 65535)"},
        {"tcp://box:65536", "tcp://box:65536: '65536' is not a port number (1 to 65535)"},
        {"tcp://box:70x", "tcp://box:70x: '70x' is not a port number (1 to 65535)"},
        {"tcp://::1:7001",
         "tcp://::1:7001: an IPv6 address goes in brackets (tcp://[ADDRESS]:PORT)"},
        {"tcp://[::1]7001", "tcp://[::1]7001: no port given (tcp://HOST:PORT)"},
        {"tcp://[::1:7001",
         "tcp://[::1:7001: no ']' after the IPv6 address (tcp://[ADDRESS]:PORT)"},
        {"telnet://box:23", "telnet://box:23: unknown kind of line 'telnet://' (tcp://HOST:PORT "
                            "or rfc2217://HOST:PORT)"},
    };
    for (const auto& entry : unusable) {
        SCOPED_TRACE(entry.name);
        EXPECT_TRUE(isNetworkName(entry.name));
        std::string error;
        EXPECT_FALSE(parseNetworkName(entry.name, &error));
        EXPECT_EQ(error, entry.error);
    }

    for (const char* port : {"/dev/ttyUSB0", "COM3", "/tmp/tcp://x", "tcp:/x:1"})
        EXPECT_FALSE(isNetworkName(port)) << port;
}

TEST(Rfc2217Client, NegotiatesWithARecordedServerHoweverItsBytesAreSplit) {
    for (const int piece : {1, 2, 3, 5, 1000}) {
        SCOPED_TRACE(piece);
        Rfc2217Client client;
        EXPECT_EQ(client.greeting(), ClientGreeting);
        EXPECT_TRUE(client.purgeRequest().isEmpty()) << "not before the option is in force";

        auto [data, replies] = receiveInPieces(client, ServerGreeting, piece);
        EXPECT_TRUE(data.isEmpty());
        // The options it did not offer are refused; its own offers, agreed, need no
        // answer; the COM port option in force, the settings follow.
        EXPECT_EQ(replies, Refusals + Settings);
        EXPECT_EQ(client.settings(), Rfc2217Client::Settings::Pending);

        std::tie(data, replies) = receiveInPieces(client, ServerNotice, piece);
        EXPECT_TRUE(data.isEmpty());
        EXPECT_TRUE(replies.isEmpty()) << "a refusal of what is off is not answered";

        std::tie(data, replies) = receiveInPieces(client, SettingsAnswers, piece);
        EXPECT_EQ(client.settings(), Rfc2217Client::Settings::Confirmed);
        EXPECT_EQ(client.purgeRequest(), Purge);

        std::tie(data, replies) = receiveInPieces(client, PurgeAnswer + DeviceAnswer, piece);
        EXPECT_EQ(data, DeviceAnswer);
        EXPECT_TRUE(replies.isEmpty());
    }
}

TEST(Rfc2217Client, EscapesTheDevicesBytesBothWaysAndRefusesWhatItDoesNotKnow) {
    // 0xFF doubled on the way out; a carriage return goes alone in binary transmission.
    Rfc2217Client client = greeted();
    EXPECT_EQ(client.escaped(Frame({0x00, 0xFF, 0x0D, 0x00, 0xFF, 0xFF})),
              Frame({0x00, 0xFF, 0xFF, 0x0D, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));

    // Among the device's bytes: escaped 0xFF, options nobody asked for (terminal type,
    // window size, status, environment), refusals of options that are off, no operation,
    // go ahead, a subnegotiation of another option with an escaped 0xFF inside, and a
    // COM port notification; split anywhere, the device's bytes come out whole.
    const QByteArray stream =
        Frame({0xA1, 0xFF, 0xFF, 0x01, 0xFF, 0xFB, 0x18, 0x0D, 0x00, 0xFF, 0xFD, 0x1F,
               0xFF, 0xFB, 0x05, 0xFF, 0xFD, 0x27, 0xFF, 0xFE, 0x63, 0xFF, 0xFC, 0x63,
               0xFF, 0xF1, 0xFF, 0xF9, 0x02, 0xFF, 0xFA, 0x18, 0x01, 0xFF, 0xFF, 0x41,
               0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 0xFA, 0x2C, 0x6A, 0x60, 0xFF, 0xF0, 0x03});
    const QByteArray deviceBytes = Frame({0xA1, 0xFF, 0x01, 0x0D, 0x00, 0x02, 0xFF, 0x03});
    const QByteArray refusals =
        Frame({0xFF, 0xFE, 0x18, 0xFF, 0xFC, 0x1F, 0xFF, 0xFE, 0x05, 0xFF, 0xFC, 0x27});
    for (const int piece : {1, 2, 3, 7, 1000}) {
        SCOPED_TRACE(piece);
        Rfc2217Client split = greeted();
        const auto [data, replies] = receiveInPieces(split, stream, piece);
        EXPECT_EQ(data, deviceBytes);
        EXPECT_EQ(replies, refusals);
        EXPECT_EQ(split.settings(), Rfc2217Client::Settings::Pending);
    }

    // A request repeated is refused again; the server's agreement to the client's own
    // offers is not answered, its repetition neither.
    Rfc2217Client again = greeted();
    again.receive(Frame({0xFF, 0xFD, 0x1F, 0xFF, 0xFD, 0x1F, 0xFF, 0xFD, 0x00, 0xFF, 0xFB, 0x00}));
    EXPECT_EQ(again.takeReplies(), Frame({0xFF, 0xFC, 0x1F, 0xFF, 0xFC, 0x1F}));
}

TEST(Rfc2217Client, TheSettingsCountOnlyAsSentAndTheServerMayRefuseThem) {
    // Another baud rate in the answer: the server's port is not at the protocol's.
    Rfc2217Client slower = greeted();
    QByteArray answers = SettingsAnswers;
    answers.replace(Frame({0x65, 0x00, 0x00, 0xE1, 0x00}), Frame({0x65, 0x00, 0x00, 0x25, 0x80}));
    slower.receive(answers);
    EXPECT_EQ(slower.settings(), Rfc2217Client::Settings::Refused);

    // The server refuses the option: no settings are sent, nothing is purged.
    Rfc2217Client refused;
    refused.greeting();
    refused.receive(Frame({0xFF, 0xFE, 0x2C}));
    EXPECT_EQ(refused.settings(), Rfc2217Client::Settings::Refused);
    EXPECT_TRUE(refused.takeReplies().isEmpty());
    EXPECT_TRUE(refused.purgeRequest().isEmpty());

    // Without binary transmission a carriage return travels with a filler zero, both
    // ways (the server refuses, or withdraws, binary transmission).
    Rfc2217Client text;
    text.greeting();
    text.receive(Frame({0xFF, 0xFE, 0x00, 0xFF, 0xFC, 0x00, 0xFF, 0xFD, 0x2C}));
    EXPECT_EQ(text.takeReplies(), Settings);
    EXPECT_EQ(text.escaped(Frame({0x00, 0x0D, 0x05})), Frame({0x00, 0x0D, 0x00, 0x05}));
    QByteArray received = text.receive(Frame({0x0D, 0x00, 0x0D}));
    received += text.receive(Frame({0x00, 0x00}));
    EXPECT_EQ(received, Frame({0x0D, 0x0D, 0x00}));
    Rfc2217Client withdrawn = greeted();
    withdrawn.receive(Frame({0xFF, 0xFE, 0x00}));
    EXPECT_EQ(withdrawn.takeReplies(), Frame({0xFF, 0xFC, 0x00}));
    EXPECT_EQ(withdrawn.escaped(Frame({0x0D})), Frame({0x0D, 0x00}));
}

TEST(TcpLine, ConnectsOrSaysWhyNotAndItsEndIsTheLineLost) {
    {
        SCOPED_TRACE("nothing listens");
        TcpLine line;
        EXPECT_EQ(line.open(loopbackName("tcp", closedLoopbackPort())),
                  LineOpen::ConnectionRefused);
        EXPECT_FALSE(line.isOpen());
    }
    {
        SCOPED_TRACE("no such host");
        TcpLine line;
        EXPECT_EQ(line.open(QStringLiteral("tcp://no-such-host.invalid:7001")),
                  LineOpen::HostNotFound);
    }
    {
        SCOPED_TRACE("a server that takes no connection");
        FullServer full;
        ASSERT_TRUE(full.ready());
        TcpLine line;
        EXPECT_EQ(line.open(full.name("tcp")), LineOpen::TimedOut);
    }

    PlayedServer server;
    TcpLine line;
    const QString name = server.name("tcp");
    ASSERT_EQ(line.open(name), LineOpen::Opened);
    EXPECT_TRUE(line.isOpen());
    EXPECT_EQ(line.systemName(), name);
    EXPECT_EQ(line.answerAllowanceMs(), TcpLine::AnswerAllowanceMs);
    ASSERT_TRUE(waitUntil([&] { return server.peer != nullptr; }));

    // The bytes pass unchanged both ways, 0xFF included.
    const QByteArray request = Frame({0x00, 0x09, 0x03, 0x0D, 0xFF});
    line.write(request);
    ASSERT_TRUE(waitUntil([&] { return server.received == request; }));
    int arrivals = 0;
    QObject::connect(&line, &Line::bytesArrived, [&] { ++arrivals; });
    server.peer->write(DeviceAnswer + Frame({0xFF}));
    ASSERT_TRUE(waitUntil([&] { return line.bytesWaiting() == DeviceAnswer.size() + 1; }));
    EXPECT_GE(arrivals, 1);
    char got[3] = {};
    EXPECT_EQ(line.read(got, sizeof got), 3);
    EXPECT_EQ(QByteArray(got, 3), DeviceAnswer.left(3));
    line.discardInput();
    EXPECT_EQ(line.bytesWaiting(), 0);

    // The server ends the connection: the line is lost, and stays open until closed.
    bool lost = false;
    QObject::connect(&line, &Line::lost, [&] { lost = true; });
    server.peer->disconnectFromHost();
    ASSERT_TRUE(waitUntil([&] { return lost; }));
    EXPECT_TRUE(line.isOpen());
    line.close();
    EXPECT_FALSE(line.isOpen());
}

TEST(Rfc2217Line, OpensOnceTheServerConfirmedTheSettingsAndEscapesOnTheWire) {
    PlayedServer server;
    // The recorded server: its greeting at once, its answers once the settings came, its
    // purge answer, then a device's answer with an escaped 0xFF.
    QObject::connect(&server.server, &QTcpServer::newConnection,
                     [&] { server.peer->write(ServerGreeting); });
    server.answer = [&](QTcpSocket& peer) {
        if (server.received.endsWith(Settings))
            peer.write(SettingsAnswers);
        if (server.received.endsWith(Purge))
            peer.write(PurgeAnswer + Frame({0xA1, 0xFF, 0xFF, 0x01}));
    };
    Rfc2217Line line;
    ASSERT_EQ(line.open(server.name("rfc2217")), LineOpen::Opened);
    EXPECT_EQ(server.received, ClientGreeting + Refusals + Settings);

    line.write(Frame({0x01, 0xFF, 0x0D, 0x00}));
    ASSERT_TRUE(waitUntil([&] {
        return server.received.endsWith(Frame({0x01, 0xFF, 0xFF, 0x0D, 0x00}));
    }));
    line.discardInput();
    ASSERT_TRUE(waitUntil([&] { return line.bytesWaiting() == 3; }));
    char got[3] = {};
    line.read(got, sizeof got);
    EXPECT_EQ(QByteArray(got, 3), Frame({0xA1, 0xFF, 0x01}));

    // A server that refuses the COM port option cannot set the line.
    PlayedServer refusing;
    refusing.answer = [](QTcpSocket& peer) { peer.write(Frame({0xFF, 0xFE, 0x2C})); };
    Rfc2217Line unset;
    EXPECT_EQ(unset.open(refusing.name("rfc2217")), LineOpen::Unconfigured);
    EXPECT_FALSE(unset.isOpen());

    // A server that never answers is used as it is, once the negotiation's time is over:
    // the probe finds it silent.
    PlayedServer silent;
    Rfc2217Line quiet;
    EXPECT_EQ(quiet.open(silent.name("rfc2217")), LineOpen::Opened);
}

#include "Rfc2217Client.h"

#include <iterator>
#include <utility>

namespace {

// Telnet's command bytes.
constexpr std::uint8_t Iac = 0xFF;
constexpr std::uint8_t Dont = 0xFE;
constexpr std::uint8_t Do = 0xFD;
constexpr std::uint8_t Wont = 0xFC;
constexpr std::uint8_t Will = 0xFB;
constexpr std::uint8_t Sb = 0xFA;
constexpr std::uint8_t Se = 0xF0;
// The options the client takes.
constexpr std::uint8_t Binary = 0;
constexpr std::uint8_t ComPort = 44;
constexpr char Return = 0x0D;

// COM port option commands; the server's answer to command c is c + ServerAnswer.
constexpr std::uint8_t PurgeData = 12;
constexpr std::uint8_t PurgeReceived = 1; // the server's buffer of bytes its port received
constexpr std::uint8_t ServerAnswer = 100;
// A subnegotiation longer than this is no COM port answer: the rest is dropped.
constexpr int SubLimit = 16;

// The line settings, each a command and its value, confirmed by the server's answer
// with the same value.
const struct {
    std::uint8_t command;
    QByteArray value;
} LineSettings[] = {
    {1, QByteArray("\x00\x00\xE1\x00", 4)}, // 57600 baud
    {2, QByteArray(1, 8)},                  // 8 data bits
    {3, QByteArray(1, 1)},                  // no parity
    {4, QByteArray(1, 1)},                  // 1 stop bit
    {5, QByteArray(1, 1)},                  // no flow control
};
constexpr std::uint8_t AllConfirmed = (1U << std::size(LineSettings)) - 1;

QByteArray bytes(std::initializer_list<std::uint8_t> list) {
    QByteArray out;
    for (std::uint8_t b : list)
        out.append(static_cast<char>(b));
    return out;
}

// A COM port option subnegotiation: the command and its value, 0xFF doubled.
QByteArray comPortCommand(std::uint8_t command, const QByteArray& value) {
    QByteArray out = bytes({Iac, Sb, ComPort, command});
    for (char c : value) {
        out.append(c);
        if (static_cast<std::uint8_t>(c) == Iac)
            out.append(c);
    }
    return out + bytes({Iac, Se});
}

} // namespace

QByteArray Rfc2217Client::greeting() {
    comPort_.asked = true;
    localBinary_.asked = true;
    remoteBinary_.asked = true;
    return bytes({Iac, Will, ComPort, Iac, Will, Binary, Iac, Do, Binary});
}

QByteArray Rfc2217Client::receive(const QByteArray& incoming) {
    QByteArray data;
    for (const char c : incoming) {
        const auto byte = static_cast<std::uint8_t>(c);
        switch (in_) {
        case In::Data:
            if (byte == Iac) {
                in_ = In::Command;
            } else if (!(afterReturn_ && byte == 0 && !remoteBinary_.on)) {
                data.append(c);
            }
            afterReturn_ = c == Return;
            break;
        case In::Command:
            in_ = In::Data;
            if (byte == Iac) {
                data.append(c);
                afterReturn_ = false;
            } else if (byte >= Will && byte <= Dont) {
                verb_ = byte;
                in_ = In::Verb;
            } else if (byte == Sb) {
                sub_.clear();
                in_ = In::Sub;
            }
            // Any other command (no operation, go ahead, a break...) means nothing here.
            break;
        case In::Verb:
            command(verb_, byte);
            in_ = In::Data;
            break;
        case In::Sub:
            if (byte == Iac)
                in_ = In::SubCommand;
            else if (sub_.size() < SubLimit)
                sub_.append(c);
            break;
        case In::SubCommand:
            if (byte == Iac) {
                if (sub_.size() < SubLimit)
                    sub_.append(c);
                in_ = In::Sub;
            } else {
                // SE ends it; anything else ends a malformed one all the same.
                subnegotiation();
                in_ = In::Data;
            }
            break;
        }
    }
    return data;
}

QByteArray Rfc2217Client::takeReplies() {
    QByteArray out;
    out.swap(replies_);
    return out;
}

QByteArray Rfc2217Client::escaped(const QByteArray& data) const {
    QByteArray out;
    out.reserve(data.size());
    for (const char c : data) {
        out.append(c);
        if (static_cast<std::uint8_t>(c) == Iac)
            out.append(c);
        else if (c == Return && !localBinary_.on)
            out.append('\0');
    }
    return out;
}

QByteArray Rfc2217Client::purgeRequest() const {
    return comPort_.on ? comPortCommand(PurgeData, QByteArray(1, PurgeReceived)) : QByteArray();
}

Rfc2217Client::Option* Rfc2217Client::local(std::uint8_t option) {
    return option == ComPort ? &comPort_ : option == Binary ? &localBinary_ : nullptr;
}

Rfc2217Client::Option* Rfc2217Client::remote(std::uint8_t option) {
    return option == Binary ? &remoteBinary_ : nullptr;
}

void Rfc2217Client::command(std::uint8_t verb, std::uint8_t option) {
    const bool enable = verb == Do || verb == Will;
    const bool ours = verb == Do || verb == Dont;
    Option* side = ours ? local(option) : remote(option);
    if (!side) {
        // An option the client does not take: a request for it is refused; a refusal of
        // it needs no answer.
        if (enable)
            reply(ours ? Wont : Dont, option);
        return;
    }
    const bool wasOn = side->on;
    const bool asked = std::exchange(side->asked, false);
    side->on = enable;
    // Only a change of state is answered, and not when it answers the client's own
    // request: two sides that agree fall silent.
    if (wasOn != enable && !asked)
        reply(enable ? (ours ? Will : Do) : (ours ? Wont : Dont), option);
    if (side != &comPort_)
        return;
    if (!enable)
        settings_ = Settings::Refused;
    else if (!wasOn)
        sendSettings();
}

void Rfc2217Client::sendSettings() {
    for (const auto& setting : LineSettings)
        replies_ += comPortCommand(setting.command, setting.value);
}

void Rfc2217Client::subnegotiation() {
    if (sub_.size() < 2 || static_cast<std::uint8_t>(sub_[0]) != ComPort)
        return;
    const auto command = static_cast<std::uint8_t>(sub_[1]);
    const QByteArray value = sub_.mid(2);
    // Notifications of the line and modem state, purge and flow answers: nothing to do.
    for (std::size_t i = 0; i < std::size(LineSettings); ++i) {
        if (command != LineSettings[i].command + ServerAnswer || settings_ == Settings::Refused)
            continue;
        if (value != LineSettings[i].value) {
            settings_ = Settings::Refused;
            return;
        }
        confirmed_ |= static_cast<std::uint8_t>(1U << i);
    }
    if (confirmed_ == AllConfirmed && settings_ == Settings::Pending)
        settings_ = Settings::Confirmed;
}

void Rfc2217Client::reply(std::uint8_t verb, std::uint8_t option) {
    replies_ += bytes({Iac, verb, option});
}

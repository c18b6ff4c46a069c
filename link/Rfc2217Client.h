#pragma once
#include <QByteArray>

#include <cstdint>

// The client's side of a Telnet connection to a serial server with the COM port control
// option (RFC 2217), as bytes: what the client sends to take the option and set the line
// to 57600 baud, 8 data bits, no parity, 1 stop bit and no flow control; the device's
// bytes taken out of what the server sends, the server's option requests answered on the
// way (the COM port option and binary transmission are taken, every other option is
// refused); the device's bytes escaped on their way out. The line does the sending.
class Rfc2217Client {
public:
    enum class Settings { Pending, Confirmed, Refused };

    // What the client sends first: it offers the COM port option and binary transmission,
    // and asks the server for binary transmission.
    QByteArray greeting();
    // Takes the server's bytes as they come (a command may be split between two calls)
    // and returns the device's bytes among them. Answers are queued for takeReplies().
    QByteArray receive(const QByteArray& bytes);
    // What the client owes the server now: its answers to the server's requests, and the
    // line settings once the server took the COM port option. Empties the queue.
    QByteArray takeReplies();
    // The device's bytes as they go to the server.
    QByteArray escaped(const QByteArray& data) const;
    // Asks the server to drop the bytes its port received and has not sent yet; nothing
    // while the COM port option is not in force.
    QByteArray purgeRequest() const;
    // Whether the server confirmed the line settings, refused them (or the option), or
    // has not answered yet.
    Settings settings() const { return settings_; }

private:
    // One direction of an option the client takes: in force, or asked for and not
    // answered yet.
    struct Option {
        bool on = false;
        bool asked = false;
    };
    enum class In { Data, Command, Verb, Sub, SubCommand };

    void command(std::uint8_t verb, std::uint8_t option);
    void subnegotiation();
    void sendSettings();
    void reply(std::uint8_t verb, std::uint8_t option);
    // The client's own side of `option` (what it will do), or null for one it refuses.
    Option* local(std::uint8_t option);
    // The server's side of `option` (what the client lets it do), or null.
    Option* remote(std::uint8_t option);

    Option localBinary_;
    Option comPort_;
    Option remoteBinary_;
    In in_ = In::Data;
    std::uint8_t verb_ = 0;
    // Without binary transmission a carriage return is followed by a filler zero.
    bool afterReturn_ = false;
    QByteArray sub_;
    QByteArray replies_;
    Settings settings_ = Settings::Pending;
    std::uint8_t confirmed_ = 0; // one bit per line setting the server confirmed
};

#pragma once
#include "Rfc2217Client.h"
#include "TcpLine.h"

// A serial server's port reached over Telnet with the COM port control option
// ("rfc2217://HOST:PORT"): the line sets the server's port to the protocol's settings
// itself, and has the server drop what its port received where the link discards the
// bytes waiting.
class Rfc2217Line : public TcpLine {
    Q_OBJECT
public:
    // A server that has neither confirmed nor refused the line settings this long after
    // the connection does not speak the option: the line is used as it is, and a silent
    // server is then found silent by the probe.
    static constexpr int NegotiationLimitMs = 2000;

protected:
    LineOpen settle() override;
    void take(const QByteArray& incoming) override;
    QByteArray outgoing(const QByteArray& bytes) override { return client_.escaped(bytes); }
    void discardServerInput() override;

private:
    Rfc2217Client client_;
};

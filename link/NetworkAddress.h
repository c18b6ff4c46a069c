#pragma once
#include <QString>

#include <optional>
#include <string>

// Where a network line reaches its serial server, from a port name of the form
// "tcp://HOST:PORT" (the bytes pass unchanged) or "rfc2217://HOST:PORT" (Telnet with the
// COM port control option). HOST is a name or an address, an IPv6 address in brackets.
struct NetworkAddress {
    enum class Protocol { Raw, Rfc2217 };
    Protocol protocol = Protocol::Raw;
    QString host; // an IPv6 address without its brackets
    quint16 port = 0;
};

// Whether `name` names a network line rather than a local port: it begins with a scheme
// and "://", which no port name or device path does.
bool isNetworkName(const QString& name);

// The address of the network line `name`; nothing when it is not a usable one (an
// unknown scheme, no host, no port or one that is no port number), and then why in
// `error`, the name first.
std::optional<NetworkAddress> parseNetworkName(const QString& name, std::string* error = nullptr);

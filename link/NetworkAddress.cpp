#include "NetworkAddress.h"

#include <QRegularExpression>

namespace {

constexpr struct {
    const char* scheme;
    NetworkAddress::Protocol protocol;
} Schemes[] = {
    {"tcp", NetworkAddress::Protocol::Raw},
    {"rfc2217", NetworkAddress::Protocol::Rfc2217},
};

const QRegularExpression& schemePrefix() {
    static const QRegularExpression prefix(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*)://"));
    return prefix;
}

} // namespace

bool isNetworkName(const QString& name) {
    return schemePrefix().match(name).hasMatch();
}

std::optional<NetworkAddress> parseNetworkName(const QString& name, std::string* error) {
    const auto fail = [&](const std::string& why) -> std::optional<NetworkAddress> {
        if (error)
            *error = name.toStdString() + ": " + why;
        return std::nullopt;
    };
    const QRegularExpressionMatch prefix = schemePrefix().match(name);
    if (!prefix.hasMatch())
        return fail("not a network line (tcp://HOST:PORT or rfc2217://HOST:PORT)");
    NetworkAddress address;
    const QString scheme = prefix.captured(1).toLower();
    bool known = false;
    for (const auto& entry : Schemes) {
        if (scheme == QLatin1String(entry.scheme)) {
            address.protocol = entry.protocol;
            known = true;
        }
    }
    if (!known)
        return fail("unknown kind of line '" + scheme.toStdString() +
                    "://' (tcp://HOST:PORT or rfc2217://HOST:PORT)");
    const std::string form = scheme.toStdString() + "://HOST:PORT";

    const QString rest = name.mid(prefix.capturedLength());
    QString portText;
    if (rest.startsWith('[')) {
        const qsizetype close = rest.indexOf(']');
        if (close < 0)
            return fail("no ']' after the IPv6 address (" + scheme.toStdString() +
                        "://[ADDRESS]:PORT)");
        address.host = rest.mid(1, close - 1);
        if (rest.mid(close + 1, 1) != QLatin1String(":"))
            return fail("no port given (" + form + ")");
        portText = rest.mid(close + 2);
    } else {
        const qsizetype colon = rest.lastIndexOf(':');
        if (colon < 0)
            return fail("no port given (" + form + ")");
        address.host = rest.left(colon);
        portText = rest.mid(colon + 1);
        if (address.host.contains(':'))
            return fail("an IPv6 address goes in brackets (" + scheme.toStdString() +
                        "://[ADDRESS]:PORT)");
    }
    if (address.host.isEmpty())
        return fail("no host given (" + form + ")");
    if (portText.isEmpty())
        return fail("no port given (" + form + ")");
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    const int port = digits.match(portText).hasMatch() ? portText.toInt() : 0;
    if (port < 1 || port > 65535)
        return fail("'" + portText.toStdString() + "' is not a port number (1 to 65535)");
    address.port = static_cast<quint16>(port);
    return address;
}

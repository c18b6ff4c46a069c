#include "MakeLine.h"

#include "NetworkAddress.h"
#include "Rfc2217Line.h"
#include "SerialLine.h"
#include "TcpLine.h"

std::unique_ptr<Line> makeLine(const QString& name) {
    if (!isNetworkName(name))
        return std::make_unique<SerialLine>();
    const std::optional<NetworkAddress> address = parseNetworkName(name);
    if (address && address->protocol == NetworkAddress::Protocol::Rfc2217)
        return std::make_unique<Rfc2217Line>();
    // A name that is no usable address is refused when the line opens it.
    return std::make_unique<TcpLine>();
}

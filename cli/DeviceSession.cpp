#include "DeviceSession.h"

#include "ApiTypes.h"
#include "ConsoleReporter.h"
#include "DeviceIdentity.h"
#include "IntegerText.h"
#include "PortNames.h"

#include <QElapsedTimer>

namespace {

constexpr std::uint32_t AnswerPollMs = 20;
constexpr std::uint32_t WriteSettleMs = 50;
// The version caption once the device's answer was shown.
const std::string AnsweredVersionCaption = "Current Version : v";

} // namespace

DeviceSession::DeviceSession(ConsoleReporter& reporter, const QStringList& ports)
    : reporter_(reporter), link_(reporter, view_) {
    link_.setPortOverride(ports);
}

DeviceSession::~DeviceSession() {
    link_.disconnect();
}

bool DeviceSession::search() {
    try {
        link_.search();
    } catch (const ConversionError& error) {
        // A port name the window could not open either (Windows naming).
        reporter_.message(error.what());
        return false;
    }
    if (link_.connection() == Connection::NotConnected) {
        reporter_.message(view_.modelName);
        return false;
    }
    if (link_.connection() == Connection::Connected && !(modelNameShown() && firmwareVersion()))
        AskIdentityAgain(link_, !modelNameShown(), !firmwareVersion());
    return true;
}

bool DeviceSession::findDevice() {
    if (!search())
        return false;
    if (link_.connection() != Connection::Connected) {
        reporter_.message(view_.modelName);
        return false;
    }
    awaitPresentedEdid();
    return true;
}

std::string DeviceSession::portName() {
    const QStringList ports = link_.listPorts();
    // The link holds the port by its system name; find the entry that opens it.
    for (const QString& name : ports) {
        try {
            if (portSystemName(name) == link_.portName())
                return name.toStdString();
        } catch (const ConversionError&) {
            // Not a name the search could have opened.
        }
    }
    return link_.portName().toStdString();
}

bool DeviceSession::modelNameShown() const {
    return view_.led == Colour::Green;
}

std::optional<std::string> DeviceSession::firmwareVersion() const {
    const std::string& caption = view_.firmwareVersion;
    if (caption.rfind(AnsweredVersionCaption, 0) != 0)
        return std::nullopt;
    return caption.substr(AnsweredVersionCaption.size());
}

std::optional<PresentedEdid> DeviceSession::awaitPresentedEdid(int limitMs) {
    view_.presented.reset();
    QElapsedTimer waited;
    waited.start();
    while (!view_.presented && link_.portOpen() && waited.elapsed() < limitMs)
        link_.waitMs(AnswerPollMs);
    return view_.presented;
}

void DeviceSession::askPresentedEdid() {
    // A head-only answer to the write before has landed after the settle each uploaded
    // block gets; taken after the request, it would pass for the start of its answer.
    link_.waitMs(WriteSettleMs);
    link_.awaitAnswerInFlight();
    link_.sendRead(Api_Edid_Mode, 1);
}

bool DeviceSession::confirmPresentedEdid(PresentedEdid which) {
    const std::optional<PresentedEdid> presented = awaitPresentedEdid();
    if (!presented) {
        reporter_.message("API Timeout.");
        return false;
    }
    if (*presented != which) {
        reporter_.message(std::string("The device presents its ") + PresentedEdidName(*presented) +
                          " EDID.");
        return false;
    }
    return true;
}

const char* PresentedEdidName(PresentedEdid which) {
    switch (which) {
    case PresentedEdid::Internal:
        return "Internal";
    case PresentedEdid::External:
        return "External";
    case PresentedEdid::User:
        return "User";
    }
    return "";
}

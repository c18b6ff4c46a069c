#pragma once
#include "DeviceLink.h"
#include "LinkView.h"
#include "RecordingLinkView.h"

#include <QStringList>

#include <optional>
#include <string>

class ConsoleReporter;

// The device for one command: the link with its own timers wired as the window wires
// its own, a view without widgets, and Search over the given ports (the machine's
// ports when none are given). Disconnects when destroyed.
class DeviceSession {
public:
    DeviceSession(ConsoleReporter& reporter, const QStringList& ports);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Presses Search. True when a device was found, connected or in ISP mode; otherwise
    // "Not Found." has been shown. A connected box whose model name or version came too
    // late for Search's waits is asked for them again.
    bool search();
    // Search that must end connected to a device running its firmware: a device in ISP
    // mode is reported as "ISP Mode.". Lets the answer to Search's last request land, so
    // that it cannot pass for the answer to the command's first one.
    bool findDevice();

    DeviceLink& link() { return link_; }
    const RecordingLinkView& view() const { return view_; }
    // The port the device was found on, as it was given or listed.
    std::string portName();
    // Whether the device's model name came (the link LED turns green with it).
    bool modelNameShown() const;
    // The firmware version the device answered ("1.23"); nothing when none came.
    std::optional<std::string> firmwareVersion() const;

    // Waits until the device answers a status request with the EDID it presents: the
    // answer to a mode request just sent, or the next status poll. Nothing when no
    // answer came within `limitMs`.
    std::optional<PresentedEdid> awaitPresentedEdid(int limitMs = PresentedAnswerMs);
    // Asks the device which EDID it presents, as the next status poll would, once the
    // answer to the last write had the time to land.
    void askPresentedEdid();
    // Waits for the device to report that it presents `which`. False, with "API Timeout."
    // or what it presents instead, when it does not.
    bool confirmPresentedEdid(PresentedEdid which);

    // A status answer comes within one status poll of the request, or of the next poll.
    static constexpr int PresentedAnswerMs = 2500;

private:
    ConsoleReporter& reporter_;
    RecordingLinkView view_;
    DeviceLink link_;
};

// "Internal", "External" or "User".
const char* PresentedEdidName(PresentedEdid which);

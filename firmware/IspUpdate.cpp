#include "IspUpdate.h"

#include "LoaderSession.h"
#include "Reporter.h"

#include <algorithm>

namespace {

// Loader commands.
constexpr std::uint8_t CmdSync = 0x81;
constexpr std::uint8_t CmdSelectBank = 0x83;
constexpr std::uint8_t CmdSetAddress = 0x84;
constexpr std::uint8_t CmdReadBack = 0x85;
constexpr std::uint8_t CmdWriteBlock = 0x86;
constexpr std::uint8_t CmdIdentify = 0x87;

// LinkMode while the loader is being confirmed, and while blocks are transferred.
constexpr std::uint8_t LinkModeChecking = 0;
constexpr std::uint8_t LinkModeTransfer = 1;

constexpr int PassWaitMs = 1;
constexpr std::uint32_t StartWaitMs = 500;
constexpr std::uint32_t NotConfirmedWaitMs = 200;
constexpr std::uint32_t CommandWaitMs = 2;
constexpr std::uint32_t IdentifyWaitMs = 10;
constexpr std::uint32_t WriteWaitMs = 10;
constexpr std::uint32_t ReadBackLimitMs = 220;

constexpr std::size_t CheckedBytes = 16;
constexpr std::uint16_t ConfirmCount = 16;
constexpr std::uint16_t SyncPasses = 10;

constexpr std::uint32_t BlockSize = FirmwareImage::BlockSize;
constexpr std::uint32_t Bank0Gap = 0x7000;  // 0x7000-0x7FFF is never written
constexpr std::uint32_t UpperHalf = 0x8000; // banks map to 0x8000-0xFFFF
constexpr std::uint32_t BankEnd = 0xFFFF;
constexpr std::uint32_t LastBankEnd = 0xF600;
constexpr std::uint8_t LastBank = 2;
// FileOffset of the last block: the progress reaches 100% there.
constexpr std::uint32_t ProgressSpan = 128000;
// Block bytes 2..510 are compared; at least this many of those 509 must match.
constexpr std::size_t CompareFirst = 2;
constexpr std::size_t CompareLast = 510;
constexpr int MatchesNeeded = 420;
constexpr std::uint8_t MaxRetries = 15;

// The system's millisecond counter.
std::uint32_t tickCount() {
    QElapsedTimer clock;
    clock.start();
    return static_cast<std::uint32_t>(clock.msecsSinceReference());
}

} // namespace

const IspUpdate::StepFunction IspUpdate::Steps[ReadBack + 1] = {
    &IspUpdate::checkIsp,   &IspUpdate::sync,       &IspUpdate::identify, &IspUpdate::selectBank,
    &IspUpdate::setAddress, &IspUpdate::writeBlock, &IspUpdate::readBack,
};

IspUpdate::IspUpdate(DeviceLink& link, Reporter& reporter, const BusyGuard::Operation& operation,
                     std::function<bool()> verify)
    : link_(link), reporter_(reporter), operation_(operation), verify_(std::move(verify)) {}

bool IspUpdate::run(const std::string& path) {
    LoaderSession session(link_, reporter_);
    image_ = FirmwareImage::load(path);
    if (!image_) {
        reporter_.appendLog("Fw Open Fail.\r\n");
        session.fail();
        return false;
    }
    const bool finished = driveLoader(session.channel());
    if (!finished)
        session.fail();
    return finished;
}

bool IspUpdate::driveLoader(RawChannel& channel) {
    channel_ = &channel;
    rx_.fill(0);
    rxFill_ = 0;
    channel.setMode(LinkModeChecking);
    link_.waitMs(StartWaitMs);

    QElapsedTimer sinceStart;
    sinceStart.start();
    while (IspState != Finish) {
        const bool fresh = readPort();
        // Disconnected, closing or stopped, also while the pass handled events: nothing
        // more is sent.
        if (operation_.cancelled() || !link_.portOpen())
            return false;
        if (IspState <= Sync && sinceStart.elapsed() > SilentLoaderLimitMs) {
            reporter_.appendLog("ISP Timeout.\r\n");
            return false;
        }
        if (!fresh)
            continue;
        const StepFunction step = Steps[IspState];
        (this->*step)();
    }
    return !gaveUp_;
}

// Moves what the line has into the buffer at its fill, never past its capacity; a
// flood's bytes land at the fill too, which stays. False when the pass ends here (a flood
// was dropped).
bool IspUpdate::readPort() {
    const qint64 waiting = channel_->waiting(PassWaitMs);
    if (waiting <= 0)
        return true;
    if (!channel_->receive(waiting, rx_, rxFill_, rxFill_))
        return false;
    LastFirst = rx_[0];
    return true;
}

void IspUpdate::SendRaw(std::initializer_list<std::uint8_t> bytes) {
    SendRaw(bytes.begin(), bytes.size());
}

void IspUpdate::SendRaw(const std::uint8_t* bytes, std::size_t count) {
    rxFill_ = 0;
    channel_->write(
        QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(count)));
}

void IspUpdate::checkIsp() {
    const auto& buffer = rx_;
    Step += static_cast<std::uint16_t>(
        CheckedBytes - std::count(buffer.begin(), buffer.begin() + CheckedBytes, std::uint8_t{0}));
    if (Step >= ConfirmCount) {
        Step = 0;
        reporter_.appendLog("ISP Mode Confirmed!\r\n");
        channel_->setMode(LinkModeTransfer);
        IspState = Sync;
        return;
    }
    reporter_.appendLog("ISP Mode Not Confirmed.\r\n");
    link_.waitMs(NotConfirmedWaitMs);
}

void IspUpdate::sync() {
    if (LastFirst == CmdSync) {
        Step = 0;
        IspState = Identify;
        return;
    }
    if (++Step > SyncPasses) {
        Step = 0;
        SendRaw({CmdSync});
        link_.waitMs(CommandWaitMs);
    }
}

void IspUpdate::identify() {
    if (Step == 0) {
        Step = 1;
        SendRaw({CmdIdentify});
        link_.waitMs(IdentifyWaitMs);
        return;
    }
    const auto& buffer = rx_;
    const auto textEnd = std::find(buffer.begin() + 2, buffer.end(), std::uint8_t{0});
    reporter_.appendLog(std::string(buffer.begin() + 2, textEnd) + "\r\n");
    Step = 0;
    IspState = SelectBank;
}

void IspUpdate::selectBank() {
    if (Step == 0) {
        Step = 1;
        SendRaw({CmdSelectBank, Bank});
        link_.waitMs(CommandWaitMs);
        return;
    }
    Step = 0;
    IspState = SetAddress;
}

void IspUpdate::setAddress() {
    if (Step == 1) {
        Step = 0;
        IspState = WriteBlock;
        return;
    }
    if (Bank == 0 && Address == Bank0Gap) {
        Address = FileOffset = UpperHalf;
    } else if (Bank == LastBank && Address >= LastBankEnd) {
        IspState = Finish;
        return;
    } else if (Address >= BankEnd) {
        if (++Bank > LastBank) {
            IspState = Finish;
            return;
        }
        Address = UpperHalf;
        IspState = SelectBank;
        return;
    }
    Step = 1;
    SendRaw({CmdSetAddress, static_cast<std::uint8_t>(Address >> 8),
             static_cast<std::uint8_t>(Address & 0xFF)});
    link_.waitMs(CommandWaitMs);
}

void IspUpdate::writeBlock() {
    if (Step == 1) {
        Step = 0;
        IspState = ReadBack;
        return;
    }
    reporter_.setStatusText(StatusLabel::Firmware,
                            std::to_string(FileOffset * 100 / ProgressSpan) + "%");
    Step = 1;
    SendRaw({CmdWriteBlock});
    Block = image_->blockAt(FileOffset);
    SendRaw(Block.data(), BlockSize / 2);
    SendRaw(Block.data() + BlockSize / 2, BlockSize / 2);
    link_.waitMs(WriteWaitMs);
    FileOffset += BlockSize;
    Address += BlockSize;
}

void IspUpdate::readBack() {
    if (Step == 0) {
        Step = 1;
        std::fill_n(rx_.begin(), RxCapacity, std::uint8_t{0});
        SendRaw({CmdReadBack});
        ReadStart = tickCount();
    }
    if (rxFill_ < BlockSize) {
        if (tickCount() - ReadStart > ReadBackLimitMs + link_.answerAllowanceMs()) {
            reporter_.addLogLine("Read Wait=" + std::to_string(ReadStart));
            blockFailed(false);
        }
        return;
    }
    const bool compared = verify_();
    if (compared && !blockMatches()) {
        blockFailed(true);
        return;
    }
    Step = 0;
    Retries = 0;
    IspState = SetAddress;
}

// The read-back carries two leading bytes; each difference is logged.
bool IspUpdate::blockMatches() {
    const auto& buffer = rx_;
    int matches = 0;
    for (std::size_t i = CompareFirst; i <= CompareLast; ++i) {
        const std::uint8_t read = buffer[i + 2];
        if (Block[i] == read) {
            ++matches;
            continue;
        }
        reporter_.addLogLine("ROM: Bank" + std::to_string(Bank) + ", Addr " +
                             std::to_string(Address - BlockSize + i) + ": " +
                             std::to_string(Block[i]) + " != " + std::to_string(read));
    }
    return matches >= MatchesNeeded;
}

void IspUpdate::blockFailed(bool compared) {
    if (++Retries > MaxRetries) {
        gaveUp_ = true;
        IspState = Finish;
        return;
    }
    if (compared)
        reporter_.addLogLine("Verify Error! Try Again.");
    Step = 0;
    FileOffset -= BlockSize;
    Address -= BlockSize;
    IspState = SetAddress;
}

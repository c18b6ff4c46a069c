#pragma once
#include "DeviceLink.h"
#include "FirmwareImage.h"

#include <QElapsedTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class Reporter;

// One run of UpdateFirmware: the loader's byte protocol driven as a state machine, one
// step per pass. Each pass handles the window's events and waits at most 1 ms for bytes,
// which it reads into its own buffer from the link's raw channel. Blocks go out in the order the
// device maps them: bank 0 0x0000-0x6FFF and 0x8000-0xFFFF, bank 1 0x8000-0xFFFF, bank 2
// 0x8000-0xF5FF, each written, read back and (when `verify` says so) compared.
class IspUpdate {
public:
    IspUpdate(DeviceLink& link, Reporter& reporter, const BusyGuard::Operation& operation,
              std::function<bool()> verify);

    // True when the last block was written; false when the update ended as a failure
    // (file, silent loader, sixteen failed read-backs of one block, disconnect).
    bool run(const std::string& path);

    // A loader that stays silent this long after the start is given up.
    static constexpr qint64 SilentLoaderLimitMs = 10000;

private:
    enum State : std::uint8_t {
        CheckIsp = 0,
        Sync = 1,
        Identify = 2,
        SelectBank = 3,
        SetAddress = 4,
        WriteBlock = 5,
        ReadBack = 6,
        // 7 is never entered.
        Finish = 8,
    };
    using StepFunction = void (IspUpdate::*)();
    static const StepFunction Steps[ReadBack + 1];

    bool driveLoader(RawChannel& channel);
    bool readPort();
    void SendRaw(std::initializer_list<std::uint8_t> bytes);
    void SendRaw(const std::uint8_t* bytes, std::size_t count);

    void checkIsp();
    void sync();
    void identify();
    void selectBank();
    void setAddress();
    void writeBlock();
    void readBack();
    bool blockMatches();
    void blockFailed(bool compared);

    DeviceLink& link_;
    RawChannel* channel_ = nullptr; // while run() holds the line
    Reporter& reporter_;
    const BusyGuard::Operation& operation_;
    std::function<bool()> verify_;
    std::optional<FirmwareImage> image_;
    bool gaveUp_ = false;
    // The loader's bytes since the last command; one spare byte holds a terminating zero.
    RxBytes rx_{};
    std::uint32_t rxFill_ = 0;

    std::uint8_t IspState = CheckIsp;
    std::uint16_t Step = 0;
    std::uint8_t LastFirst = 0xFF;
    std::uint8_t Bank = 0;
    std::uint32_t Address = 0;
    std::uint32_t FileOffset = 0;
    std::uint8_t Retries = 0;
    std::uint32_t ReadStart = 0;
    FirmwareImage::Block Block{};
};

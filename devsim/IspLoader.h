#pragma once
#include "Device.h"
#include "DeviceWire.h"
#include "Faults.h"
#include "Streamer.h"

#include <cstdint>

// The device's firmware loader. It announces itself by streaming its banner until a
// command comes (the program sends 0x81 first), and again after a pause without
// commands, so a later search or update finds it as at power-up. Commands:
//   81           synchronise: answers 81
//   87           identify: answers 87, the text's length, the text, 00
//   83 b         select bank b (0..2); no answer
//   84 hh ll     set the block address, high byte first; no answer
//   86 + 512     write a block at the set address; no answer
//   85           read back: answers 85 00 then the 512 bytes at the set address
// The memory is three banks of 64 KiB, erased (0xFF) at start.
class IspLoader : public Device {
public:
    static constexpr std::size_t kBanks = 3;
    static constexpr std::size_t kBankSize = 0x10000;
    static constexpr std::size_t kBlockSize = 512;
    static constexpr double kResumeStreamMs = 2000.0;
    static constexpr double kCommandIdleMs = 1000.0;

    IspLoader(DeviceWire& line, Faults& faults, bool announceKqb707);

    void receive(const Bytes& bytes, double now) override;
    void tick(double now) override;
    double nextWakeup() const override;

    const Bytes& memory() const { return memory_; }

private:
    struct Command {
        std::uint8_t code;
        std::size_t length; // code byte included
        void (IspLoader::*run)(const Bytes& command, double now);
    };
    static const Command kCommands[];

    void sync(const Bytes& command, double now);
    void identify(const Bytes& command, double now);
    void selectBank(const Bytes& command, double now);
    void setAddress(const Bytes& command, double now);
    void writeBlock(const Bytes& command, double now);
    void readBack(const Bytes& command, double now);

    void answer(Bytes bytes, double now);

    DeviceWire& line_;
    Faults& faults_;
    Streamer streamer_;
    Bytes memory_;
    Bytes pending_;
    const Command* current_ = nullptr;
    double lastByte_ = 0;
    std::size_t bank_ = 0;
    std::size_t address_ = 0;
};

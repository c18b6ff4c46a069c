#pragma once
#include <array>
#include <cstdint>

// Bits of LinkState::LinkFlags.
namespace LinkFlag {
constexpr std::uint8_t IspMode = 0x08;   // the device's firmware loader is running
constexpr std::uint8_t LinkAlive = 0x10; // the device answered, or a long transfer runs
} // namespace LinkFlag

// LinkMode value for the framed request/response protocol.
constexpr std::uint8_t FramedLinkMode = 8;

// Capacity of a receive buffer; one spare byte after it always holds a terminating zero.
constexpr std::uint32_t RxCapacity = 1024;

// Where the link stands; the watchdog and the status poll read it.
enum class Connection { NotConnected, Connected, Isp };

// What the link knows of the device. Touched on the GUI thread only.
struct LinkState {
    std::uint8_t LinkFlags = 0;
    std::uint8_t WatchdogTicks = 0;
    std::array<std::uint8_t, 3> DeviceManufacId{};
    std::uint8_t IspVariant = 0;
};

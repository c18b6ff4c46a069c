#pragma once
#include <array>
#include <cstdint>

// Bits of LinkState::LinkFlags.
namespace LinkFlag {
constexpr std::uint8_t ResponseComplete = 0x01; // a whole response sits in RxBuffer
constexpr std::uint8_t IspMode = 0x08;          // the device's firmware loader is running
constexpr std::uint8_t LinkAlive = 0x10;        // the device answered, or a long transfer runs
} // namespace LinkFlag

// LinkMode value for the framed request/response protocol.
constexpr std::uint8_t FramedLinkMode = 8;

// Capacity of RxBuffer; one spare byte after it always holds a terminating zero.
constexpr std::uint32_t RxCapacity = 1024;

// Where the link stands; the watchdog and the status poll read it.
enum class Connection { NotConnected, Connected, Isp };

// The receive side and the request in flight. Touched on the GUI thread only.
struct LinkState {
    std::array<std::uint8_t, RxCapacity + 1> RxBuffer{};
    std::uint32_t RxFill = 0;
    std::uint32_t LastRequestType = 0;
    std::uint32_t LastRequestCount = 0;
    std::uint8_t LinkFlags = 0;
    std::uint8_t LinkMode = FramedLinkMode;
    std::uint8_t WatchdogTicks = 0;
    std::array<std::uint8_t, 3> DeviceManufacId{};
    std::uint8_t IspVariant = 0;
};

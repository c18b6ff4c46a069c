#pragma once
#include <cstdint>

// Request types of the device's framed protocol.
constexpr std::uint16_t Api_Model_Name = 0x0001;
constexpr std::uint16_t Api_Fw_Version = 0x0002;
constexpr std::uint16_t Api_Manufac_Id = 0x0009;
constexpr std::uint16_t Api_Edid_Mode = 0x0101;
constexpr std::uint16_t Api_Edid_Block0 = 0x0105;
constexpr std::uint16_t Api_Edid_Block1 = 0x0106;
constexpr std::uint16_t Api_Edid_Select = 0x0108;
constexpr std::uint16_t Api_Ext_Edid_Block0 = 0x0206;
constexpr std::uint16_t Api_Ext_Edid_Block1 = 0x0207;

// The counts the model name and firmware version reads ask for.
constexpr std::uint16_t ModelNameBytes = 5;
constexpr std::uint16_t FwVersionBytes = 4;

// The rw argument of a request.
constexpr std::uint8_t ApiRead = 0;
constexpr std::uint8_t ApiWrite = 1;

// First byte of every valid response.
constexpr std::uint8_t ApiAck = 0xA1;

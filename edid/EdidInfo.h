#pragma once
#include "EdidImage.h"

#include <array>
#include <cstdint>

// Status bits of an EdidInfo record.
namespace EdidStatus {
constexpr std::uint16_t BadHeader = 0x0008;
constexpr std::uint16_t BadChecksum0 = 0x0010;
constexpr std::uint16_t BadChecksum1 = 0x0020;
constexpr std::uint16_t OverBanks = 0x0040;
constexpr std::uint16_t BrandNew = 0x0080;
// The four validation bits together.
constexpr std::uint16_t ValidationMask = 0x0078;
} // namespace EdidStatus

// Bits of an EdidInfo record's Flags.
namespace EdidFlag {
constexpr std::uint16_t ThreeD = 0x0008;      // the HDMI block announces 3D
constexpr std::uint16_t Yuv420Has4k = 0x0010; // a 4K code among the 4:2:0-only codes
constexpr std::uint16_t VideoHas4k = 0x0020;  // a 4K code among the video codes
} // namespace EdidFlag

// The one EDID record: validation status, the image and every decoded field.
// Plain fixed-size fields; zero-initialised by value-initialisation (EdidInfo info{}).
struct EdidInfo {
    std::uint16_t Status;
    std::uint16_t Flags;
    EdidImage Image;
    std::array<char, 4> Manufac_Name;
    std::array<char, 14> Monitor_Name;
    std::uint16_t Product_Code;
    std::uint32_t Serial_Number;
    std::uint8_t Manufac_Year;
    std::uint8_t Manufac_Week;
    std::uint32_t Establish_Timing;
    std::array<std::uint16_t, 8> Standard_Timing;
    std::array<std::array<std::uint8_t, 18>, 3> Ext_Dtd;
    std::uint8_t Color_Space;
    std::uint8_t Color_Depth;
    std::uint8_t Max_Color_Depth;
    std::array<std::uint8_t, 24> Video_Id_Code;
    std::array<std::array<std::uint8_t, 3>, 10> Audio_Sad;
    std::uint32_t Speaker_Alloc;
    std::array<std::uint8_t, 8> Yuv420_Vdb;
    std::array<std::uint8_t, 4> Hdmi_Vic;
    std::uint8_t Hdmi_3D_Len;
    std::uint8_t Hdmi_3D_Byte;
    std::array<std::uint8_t, 14> Hdmi_3D_Data;
    std::uint8_t Video_Cap;
    std::uint8_t Colorimetry;
    std::uint8_t Hdr_Eotf;
    std::uint8_t Hdr_Despt;
    std::array<std::uint8_t, 3> Hdr_Dcld;
    std::uint8_t Hdr_Spare;
    std::array<char, 12> Max_Resolution;
    std::uint8_t Support_600MHz;
    std::uint8_t Hf_Dc420;
    std::uint8_t Support_SCDC;
    std::uint8_t Support_YUV420;
    std::array<std::uint8_t, 2> Cec_Address;
    std::uint16_t Audio_Formats;
    std::uint8_t Audio_Max_Channel;
};

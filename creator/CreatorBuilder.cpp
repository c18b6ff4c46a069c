#include "CreatorBuilder.h"

#include "CreatorAudioBuilder.h"
#include "CreatorControls.h"
#include "CreatorItems.h"
#include "CreatorTables.h"

#include <EdidInfo.h>
#include <IntegerText.h>

#include <algorithm>

namespace {

// A video code above this is not one the creator can name: its slot counts as free.
constexpr std::uint8_t HighestVic = 107;
constexpr std::uint16_t NoStandardTiming = 0x0101;

std::int32_t readInt(const CreatorControls& controls, const std::string& edit) {
    return StrToInt(controls.text(edit));
}

template <std::size_t N>
void copyText(std::array<char, N>& field, const std::string& text, std::size_t length) {
    field.fill('\0');
    std::copy_n(text.begin(), std::min(text.size(), length), field.begin());
}

void readStandardTimings(const CreatorControls& controls, EdidInfo& info) {
    auto& slots = info.Standard_Timing;
    for (std::size_t i = 0; i < StandardTimingCodes.size(); ++i) {
        const std::uint16_t code = StandardTimingCodes[i];
        const auto found = std::find(slots.begin(), slots.end(), code);
        const bool ticked = controls.checked(StandardTimingPrefix, static_cast<int>(i + 1));
        if (ticked && found == slots.end()) {
            const auto empty = std::find_if(slots.begin(), slots.end(), [](std::uint16_t c) {
                return c == 0x0000 || c == NoStandardTiming;
            });
            if (empty != slots.end())
                *empty = code;
        } else if (!ticked && found != slots.end()) {
            *found = NoStandardTiming;
        }
    }
}

// Ticked and absent: the first free slot takes the code; unticked: every slot holding
// it is emptied. Slots holding other codes stay.
template <class Slots, class Vics>
void readVideoBoxes(const CreatorControls& controls, const char* prefix, const Vics& vics,
                    Slots& slots) {
    for (std::uint8_t vic : vics) {
        const bool present = std::find(slots.begin(), slots.end(), vic) != slots.end();
        if (controls.checked(prefix, vic)) {
            if (present)
                continue;
            const auto free = std::find_if(slots.begin(), slots.end(),
                                           [](std::uint8_t c) { return c == 0 || c > HighestVic; });
            if (free != slots.end())
                *free = vic;
        } else if (present) {
            std::replace(slots.begin(), slots.end(), vic, std::uint8_t{0});
        }
    }
}

void readHdmiVics(const CreatorControls& controls, EdidInfo& info) {
    info.Hdmi_Vic.fill(0);
    std::size_t next = 0;
    for (const HdmiVicBox& box : HdmiVicBoxes) {
        if (controls.checked(VideoBoxPrefix, box.vic))
            info.Hdmi_Vic[next++] = box.hdmiVic;
    }
}

// Each of the four characters is one hexadecimal digit of the physical address.
std::uint8_t cecDigit(const std::string& text, std::size_t index) {
    if (index >= text.size())
        throw ConversionError(std::string());
    const char c = text[index];
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint8_t>(c - 'a' + 10);
    throw ConversionError(std::string(1, c));
}

void readCecAddress(const CreatorControls& controls, EdidInfo& info) {
    const std::string text = controls.text("Edit_Creator_CEC_Address");
    std::uint8_t d[4];
    for (std::size_t i = 0; i < 4; ++i)
        d[i] = cecDigit(text, i);
    info.Cec_Address[0] = static_cast<std::uint8_t>((d[0] << 4) | d[1]);
    info.Cec_Address[1] = static_cast<std::uint8_t>((d[2] << 4) | d[3]);
}

} // namespace

EncodeResult ReadCreatorControls(const CreatorControls& controls, EdidInfo& CreatorSettings) {
    EdidInfo& info = CreatorSettings;
    copyText(info.Manufac_Name, controls.text("Edit_Creator_Manufac_Name"), 3);
    copyText(info.Monitor_Name, controls.text("Edit_Creator_Monitor_Name"), 13);
    info.Product_Code = static_cast<std::uint16_t>(readInt(controls, "Edit_Creator_Product_Code"));
    info.Serial_Number =
        static_cast<std::uint32_t>(readInt(controls, "Edit_Creator_Serial_Number"));
    info.Manufac_Year = static_cast<std::uint8_t>(readInt(controls, "Edit_Creator_Manufac_Year"));
    info.Manufac_Week = static_cast<std::uint8_t>(readInt(controls, "Edit_Creator_Manufac_Week"));

    info.Establish_Timing = ReadBits(controls, CreatorBits::EstablishTiming);
    readStandardTimings(controls, info);

    info.Color_Space =
        static_cast<std::uint8_t>((controls.checked("CheckBox_ColorSpace_1") ? 0x20 : 0) |
                                  (controls.checked("CheckBox_ColorSpace_2") ? 0x10 : 0));
    info.Support_YUV420 = controls.checked("CheckBox_ColorSpace_3") ? 1 : 0;
    info.Color_Depth = static_cast<std::uint8_t>(ReadBits(controls, CreatorBits::ColorDepth));
    if (info.Color_Depth != 0 && (info.Color_Space & 0x20))
        info.Color_Depth |= 0x08; // DC_Y444
    info.Colorimetry = static_cast<std::uint8_t>(ReadBits(controls, CreatorBits::Colorimetry));

    readVideoBoxes(controls, VideoBoxPrefix, CreatorVicList, info.Video_Id_Code);
    readVideoBoxes(controls, Yuv420BoxPrefix, CreatorYuv420VicList, info.Yuv420_Vdb);
    readHdmiVics(controls, info);

    if (controls.checked("CheckBox_3D_Present"))
        info.Flags |= 0x0008;
    else
        info.Flags &= static_cast<std::uint16_t>(~0x0008u);
    info.Hf_Dc420 = static_cast<std::uint8_t>(ReadBits(controls, CreatorBits::HdrDeepColour));
    info.Hdr_Eotf = static_cast<std::uint8_t>(ReadBits(controls, CreatorBits::HdrEotf));
    info.Hdr_Despt = static_cast<std::uint8_t>((info.Hdr_Despt & 0xFE) |
                                               (controls.checked("CheckBox_HDR_Despt_1") ? 1 : 0));
    for (std::size_t k = 0; k < info.Hdr_Dcld.size(); ++k) {
        info.Hdr_Dcld[k] = static_cast<std::uint8_t>(readInt(
            controls, CreatorControls::numbered("Edit_HDR_DCLD_", static_cast<int>(k + 1))));
    }

    ReadAudioControls(controls, info);
    info.Speaker_Alloc = ReadBits(controls, CreatorBits::SpeakerByte1) |
                         ReadBits(controls, CreatorBits::SpeakerByte2);
    readCecAddress(controls, info);
    return EncodeEdid(info);
}

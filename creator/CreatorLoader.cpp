#include "CreatorLoader.h"

#include "CreatorControls.h"
#include "CreatorItems.h"
#include "CreatorTables.h"
#include "CreatorText.h"
#include "SadFormats.h"

#include <EdidDecoder.h>
#include <EdidInfo.h>

#include <QDate>

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char* ManufacName = "Edit_Creator_Manufac_Name";
constexpr const char* MonitorName = "Edit_Creator_Monitor_Name";
constexpr const char* ProductCode = "Edit_Creator_Product_Code";
constexpr const char* SerialNumber = "Edit_Creator_Serial_Number";
constexpr const char* ManufacYear = "Edit_Creator_Manufac_Year";
constexpr const char* ManufacWeek = "Edit_Creator_Manufac_Week";
constexpr const char* CecAddress = "Edit_Creator_CEC_Address";
constexpr const char* ColorSpacePrefix = "CheckBox_ColorSpace_";
constexpr const char* Present3D = "CheckBox_3D_Present";
constexpr const char* HdrDcldPrefix = "Edit_HDR_DCLD_";
constexpr const char* HdrDespt = "CheckBox_HDR_Despt_1";
// Audio2 bit-rate edits read "     0" when no descriptor sets them.
constexpr const char* EmptyBitRateText = "     0";
constexpr int StandardBoxCount = static_cast<int>(StandardTimingCodes.size());

template <class Entries> bool holds(const Entries& entries, std::uint8_t value) {
    return std::find(entries.begin(), entries.end(), value) != entries.end();
}

// Resets every Audio2 row: channels "0", bit rate "     0", frequencies and "For
// Detail" unticked (when `collapse`) in the rows' order.
void clearAudio2Rows(const CreatorControls& controls, bool collapse) {
    for (const SadFormat& format : SadFormats) {
        if (format.code == LpcmCode)
            continue;
        controls.setText(MaxChEdit(format), "0");
        if (format.byte3Kind == AudioByte3::BitRate)
            controls.setText(BitRateEdit(format), EmptyBitRateText);
        const std::string frequencies = FrequencyPrefix(format);
        ClearBits(controls, FrequencyBoxes(frequencies.c_str()));
        if (collapse)
            controls.setChecked(DetailBox(format), false);
    }
}

void clearAudioFormatBoxes(const CreatorControls& controls) {
    for (int v = 1; v <= AudioFormatBoxCount; ++v)
        controls.setChecked(AudioFormatBoxPrefix, v, false);
}

void loadInvalid(const CreatorControls& controls) {
    controls.setText(ManufacName, "Error.");
    controls.setText(MonitorName, "Error.");
    for (const char* name : {ProductCode, SerialNumber, ManufacYear, ManufacWeek})
        controls.setText(name, "0");
    controls.setText(CecAddress, "0000");

    ClearBits(controls, CreatorBits::EstablishTiming);
    for (int i = 1; i <= StandardBoxCount; ++i)
        controls.setChecked(StandardTimingPrefix, i, false);
    for (int i = 1; i <= 3; ++i)
        controls.setChecked(ColorSpacePrefix, i, false);
    ClearBits(controls, CreatorBits::ColorDepth);
    ClearBits(controls, CreatorBits::Colorimetry);
    for (std::uint8_t vic : CreatorVicList)
        controls.setChecked(VideoBoxPrefix, vic, false);
    for (std::uint8_t vic : CreatorYuv420VicList)
        controls.setChecked(Yuv420BoxPrefix, vic, false);

    const SadFormat& lpcm = *FindSadFormat(LpcmCode);
    controls.setText(MaxChEdit(lpcm), "0");
    const std::string lpcmFrequencies = FrequencyPrefix(lpcm);
    ClearBits(controls, FrequencyBoxes(lpcmFrequencies.c_str()));
    ClearBits(controls, CreatorBits::LpcmSampleSize);
    ClearBits(controls, CreatorBits::SpeakerByte1);
    ClearBits(controls, CreatorBits::SpeakerByte2);
    clearAudioFormatBoxes(controls);
    // The "Yes" rule collapses the rows; "For Detail" is not touched directly.
    clearAudio2Rows(controls, false);

    controls.setChecked(Present3D, false);
    ClearBits(controls, CreatorBits::HdrDeepColour);
    ClearBits(controls, CreatorBits::HdrEotf);
    for (int i = 1; i <= 3; ++i)
        controls.setText(CreatorControls::numbered(HdrDcldPrefix, i), LuminanceText(0));
    controls.setChecked(HdrDespt, false);
}

std::string zeroEnded(const char* text, std::size_t size) {
    return std::string(text, std::find(text, text + size, '\0'));
}

// One decoded short audio descriptor into its format's controls.
void showDescriptor(const CreatorControls& controls, const std::array<std::uint8_t, 3>& sad) {
    const SadFormat* format = FindSadFormat((sad[0] >> 3) & 0x0F);
    if (!format)
        return;
    const std::string channels = std::to_string((sad[0] & 0x07) + 1);
    const std::string maxCh = MaxChEdit(*format);
    const std::string frequencies = FrequencyPrefix(*format);
    if (format->code == LpcmCode) {
        controls.setText(maxCh, channels);
        if (controls.text(maxCh) == "2")
            controls.setChecked(AudioFormatBoxPrefix, format->v, true);
        ShowBits(controls, FrequencyBoxes(frequencies.c_str()), sad[1]);
        ShowBits(controls, CreatorBits::LpcmSampleSize, sad[2]);
        return;
    }
    controls.setChecked(AudioFormatBoxPrefix, format->v, true);
    controls.setText(maxCh, channels);
    if (format->byte3Kind == AudioByte3::BitRate)
        controls.setText(BitRateEdit(*format), BitRateText(sad[2]));
    ShowBits(controls, FrequencyBoxes(frequencies.c_str()), sad[1]);
}

std::string cecText(const std::array<std::uint8_t, 2>& address) {
    char text[5];
    std::snprintf(text, sizeof text, "%02X%02X", address[0], address[1]);
    return text;
}

void loadValid(const CreatorControls& controls, const EdidInfo& info, const QDate& today) {
    controls.setText(ManufacName, zeroEnded(info.Manufac_Name.data(), 3));
    controls.setText(MonitorName, info.Monitor_Name[0] != '\0'
                                      ? zeroEnded(info.Monitor_Name.data(), 13)
                                      : std::string("-"));
    controls.setText(ProductCode, std::to_string(info.Product_Code));
    controls.setText(SerialNumber, FormatSerial(info.Serial_Number));
    if (info.Status & EdidStatus::BrandNew) {
        controls.setText(ManufacYear, std::to_string(today.year()));
        controls.setText(ManufacWeek, std::to_string(today.weekNumber()));
    } else {
        controls.setText(ManufacYear, std::to_string(info.Manufac_Year + 1990));
        controls.setText(ManufacWeek, std::to_string(info.Manufac_Week));
    }

    ShowBits(controls, CreatorBits::EstablishTiming, info.Establish_Timing);
    for (int i = 1; i <= StandardBoxCount; ++i)
        controls.setChecked(StandardTimingPrefix, i, false);
    for (std::uint16_t code : info.Standard_Timing) {
        for (int i = 1; i <= StandardBoxCount; ++i) {
            if (code == StandardTimingCodes[i - 1])
                controls.setChecked(StandardTimingPrefix, i, true);
        }
    }

    controls.setChecked(CreatorControls::numbered(ColorSpacePrefix, 1), info.Color_Space & 0x20);
    controls.setChecked(CreatorControls::numbered(ColorSpacePrefix, 2), info.Color_Space & 0x10);
    controls.setChecked(CreatorControls::numbered(ColorSpacePrefix, 3), info.Support_YUV420 == 1);
    ShowBits(controls, CreatorBits::ColorDepth, info.Color_Depth);
    ShowBits(controls, CreatorBits::Colorimetry, info.Colorimetry);

    for (std::uint8_t vic : CreatorVicList) {
        controls.setChecked(VideoBoxPrefix, vic, false);
        if (holds(info.Video_Id_Code, vic))
            controls.setChecked(VideoBoxPrefix, vic, true);
    }
    for (std::uint8_t vic : CreatorYuv420VicList) {
        controls.setChecked(Yuv420BoxPrefix, vic, false);
        if (holds(info.Yuv420_Vdb, vic))
            controls.setChecked(Yuv420BoxPrefix, vic, true);
    }
    for (std::uint8_t hdmiVic : info.Hdmi_Vic) {
        for (const HdmiVicBox& box : HdmiVicBoxes) {
            if (hdmiVic == box.hdmiVic)
                controls.setChecked(VideoBoxPrefix, box.vic, true);
        }
        if (hdmiVic == HdmiVicSmpte24.hdmiVic)
            controls.setChecked(VideoBoxPrefix, HdmiVicSmpte24.vic, true);
    }

    controls.setChecked(Present3D, info.Flags & 0x0008);
    ShowBits(controls, CreatorBits::HdrDeepColour, info.Hf_Dc420);
    ShowBits(controls, CreatorBits::HdrEotf, info.Hdr_Eotf);
    for (int i = 1; i <= 3; ++i) {
        controls.setText(CreatorControls::numbered(HdrDcldPrefix, i),
                         LuminanceText(info.Hdr_Dcld[static_cast<std::size_t>(i - 1)]));
    }
    controls.setChecked(HdrDespt, info.Hdr_Despt & 0x01);

    clearAudioFormatBoxes(controls);
    clearAudio2Rows(controls, true);
    for (const auto& sad : info.Audio_Sad)
        showDescriptor(controls, sad);

    ShowBits(controls, CreatorBits::SpeakerByte1, info.Speaker_Alloc);
    ShowBits(controls, CreatorBits::SpeakerByte2, info.Speaker_Alloc);
    controls.setText(CecAddress, cecText(info.Cec_Address));
}

} // namespace

void LoadCreator(const CreatorControls& controls, EdidInfo& CreatorSettings,
                 const EdidImage& source, const QDate& today) {
    DecodeEdid(CreatorSettings, source);
    if (CreatorSettings.Status & EdidStatus::ValidationMask)
        loadInvalid(controls);
    else
        loadValid(controls, CreatorSettings, today);
}

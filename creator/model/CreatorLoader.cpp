#include "CreatorLoader.h"

#include "BrandNewEdid.h"
#include "CreatorItems.h"
#include "CreatorModel.h"
#include "CreatorTables.h"
#include "CreatorText.h"
#include "SadFormats.h"

#include <EdidDecoder.h>
#include <EdidInfo.h>

#include <QDate>

#include <algorithm>
#include <cstdio>

namespace {

using E = CreatorEdit;
using F = BoxFamily;

constexpr int StandardBoxCount = static_cast<int>(StandardTimingCodes.size());
constexpr std::array<CreatorEdit, 3> HdrDcld = {E::HdrDcld1, E::HdrDcld2, E::HdrDcld3};

template <class Entries> bool holds(const Entries& entries, std::uint8_t value) {
    return std::find(entries.begin(), entries.end(), value) != entries.end();
}

// Texts a load sets are Latin-1, one byte per character. None of them holds a number
// that a rule could fail to convert.
void setText(CreatorModel& model, CreatorEdit edit, const std::string& text) {
    model.setText(edit, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

// Resets every Audio2 row: channels "0", bit rate "     0", frequencies and "For
// Detail" unticked (when `collapse`) in the rows' order.
void clearAudio2Rows(CreatorModel& model, bool collapse) {
    for (const SadFormat& format : SadFormats) {
        if (format.code == LpcmCode)
            continue;
        setText(model, format.maxCh, "0");
        if (format.byte3Kind == AudioByte3::BitRate)
            setText(model, format.bitRate, EmptyBitRateText);
        ClearBits(model, FrequencyBoxes(format.frequencies));
        if (collapse)
            model.setChecked(F::AudioDetail, format.v, false);
    }
}

void clearAudioFormatBoxes(CreatorModel& model) {
    for (int v = 1; v <= AudioFormatBoxCount; ++v)
        model.setChecked(F::AudioFormat, v, false);
}

void loadInvalid(CreatorModel& model) {
    setText(model, E::ManufacName, "Error.");
    setText(model, E::MonitorName, "Error.");
    for (CreatorEdit edit : {E::ProductCode, E::SerialNumber, E::ManufacYear, E::ManufacWeek})
        setText(model, edit, "0");
    setText(model, E::CecAddress, "0000");

    ClearBits(model, CreatorBits::EstablishTiming);
    for (int i = 1; i <= StandardBoxCount; ++i)
        model.setChecked(F::StandardTiming, i, false);
    for (int i = 1; i <= 3; ++i)
        model.setChecked(F::ColorSpace, i, false);
    ClearBits(model, CreatorBits::ColorDepth);
    ClearBits(model, CreatorBits::Colorimetry);
    for (std::uint8_t vic : CreatorVicList)
        model.setChecked(F::VideoIdCode, vic, false);
    for (std::uint8_t vic : CreatorYuv420VicList)
        model.setChecked(F::Yuv420Vdb, vic, false);

    setText(model, E::LpcmMaxCh, "0");
    ClearBits(model, FrequencyBoxes(F::LpcmFreq));
    ClearBits(model, CreatorBits::LpcmSampleSize);
    ClearBits(model, CreatorBits::SpeakerByte1);
    ClearBits(model, CreatorBits::SpeakerByte2);
    clearAudioFormatBoxes(model);
    // The "Yes" rule collapses the rows; "For Detail" is not touched directly.
    clearAudio2Rows(model, false);

    model.setChecked(F::Present3D, 1, false);
    ClearBits(model, CreatorBits::HdrDeepColour);
    ClearBits(model, CreatorBits::HdrEotf);
    for (CreatorEdit edit : HdrDcld)
        setText(model, edit, LuminanceText(0));
    model.setChecked(F::HdrDespt, 1, false);
}

std::string zeroEnded(const char* text, std::size_t size) {
    return std::string(text, std::find(text, text + size, '\0'));
}

// One decoded short audio descriptor into its format's fields.
void showDescriptor(CreatorModel& model, const std::array<std::uint8_t, 3>& sad) {
    const SadFormat* format = FindSadFormat((sad[0] >> 3) & 0x0F);
    if (!format)
        return;
    const std::string channels = std::to_string((sad[0] & 0x07) + 1);
    const BitBoxFamily frequencies = FrequencyBoxes(format->frequencies);
    if (format->code == LpcmCode) {
        setText(model, format->maxCh, channels);
        if (model.text(format->maxCh) == QLatin1String("2"))
            model.setChecked(F::AudioFormat, format->v, true);
        ShowBits(model, frequencies, sad[1]);
        ShowBits(model, CreatorBits::LpcmSampleSize, sad[2]);
        return;
    }
    model.setChecked(F::AudioFormat, format->v, true);
    setText(model, format->maxCh, channels);
    if (format->byte3Kind == AudioByte3::BitRate)
        setText(model, format->bitRate, BitRateText(sad[2]));
    ShowBits(model, frequencies, sad[1]);
}

std::string cecText(const std::array<std::uint8_t, 2>& address) {
    char text[5];
    std::snprintf(text, sizeof text, "%02X%02X", address[0], address[1]);
    return text;
}

void loadValid(CreatorModel& model, const EdidInfo& info, const QDate& today) {
    setText(model, E::ManufacName, zeroEnded(info.Manufac_Name.data(), 3));
    setText(model, E::MonitorName,
            info.Monitor_Name[0] != '\0' ? zeroEnded(info.Monitor_Name.data(), 13)
                                         : std::string("-"));
    setText(model, E::ProductCode, std::to_string(info.Product_Code));
    setText(model, E::SerialNumber, FormatSerial(info.Serial_Number));
    if (info.Status & EdidStatus::BrandNew) {
        setText(model, E::ManufacYear, std::to_string(today.year()));
        setText(model, E::ManufacWeek, std::to_string(today.weekNumber()));
    } else {
        setText(model, E::ManufacYear, std::to_string(info.Manufac_Year + 1990));
        setText(model, E::ManufacWeek, std::to_string(info.Manufac_Week));
    }

    ShowBits(model, CreatorBits::EstablishTiming, info.Establish_Timing);
    for (int i = 1; i <= StandardBoxCount; ++i)
        model.setChecked(F::StandardTiming, i, false);
    for (std::uint16_t code : info.Standard_Timing) {
        for (int i = 1; i <= StandardBoxCount; ++i) {
            if (code == StandardTimingCodes[i - 1])
                model.setChecked(F::StandardTiming, i, true);
        }
    }

    model.setChecked(F::ColorSpace, 1, info.Color_Space & 0x20);
    model.setChecked(F::ColorSpace, 2, info.Color_Space & 0x10);
    model.setChecked(F::ColorSpace, 3, info.Support_YUV420 == 1);
    ShowBits(model, CreatorBits::ColorDepth, info.Color_Depth);
    ShowBits(model, CreatorBits::Colorimetry, info.Colorimetry);

    for (std::uint8_t vic : CreatorVicList) {
        model.setChecked(F::VideoIdCode, vic, false);
        if (holds(info.Video_Id_Code, vic))
            model.setChecked(F::VideoIdCode, vic, true);
    }
    for (std::uint8_t vic : CreatorYuv420VicList) {
        model.setChecked(F::Yuv420Vdb, vic, false);
        if (holds(info.Yuv420_Vdb, vic))
            model.setChecked(F::Yuv420Vdb, vic, true);
    }
    for (std::uint8_t hdmiVic : info.Hdmi_Vic) {
        for (const HdmiVicBox& box : HdmiVicBoxes) {
            if (hdmiVic == box.hdmiVic)
                model.setChecked(F::VideoIdCode, box.vic, true);
        }
        if (hdmiVic == HdmiVicSmpte24.hdmiVic)
            model.setChecked(F::VideoIdCode, HdmiVicSmpte24.vic, true);
    }

    model.setChecked(F::Present3D, 1, info.Flags & EdidFlag::ThreeD);
    ShowBits(model, CreatorBits::HdrDeepColour, info.Hf_Dc420);
    ShowBits(model, CreatorBits::HdrEotf, info.Hdr_Eotf);
    for (std::size_t i = 0; i < HdrDcld.size(); ++i)
        setText(model, HdrDcld[i], LuminanceText(info.Hdr_Dcld[i]));
    model.setChecked(F::HdrDespt, 1, info.Hdr_Despt & 0x01);

    clearAudioFormatBoxes(model);
    clearAudio2Rows(model, true);
    for (const auto& sad : info.Audio_Sad)
        showDescriptor(model, sad);

    ShowBits(model, CreatorBits::SpeakerByte1, info.Speaker_Alloc);
    ShowBits(model, CreatorBits::SpeakerByte2, info.Speaker_Alloc);
    setText(model, E::CecAddress, cecText(info.Cec_Address));
}

// Every start begins from the record as it is at start-up, holding only the new image
// and the BrandNew bit: the decoder leaves some fields alone (the video capability, the
// extension's timings, ...), and the encoder would write them back into the next EDID.
// The image is a copy: it may be the record's own.
void startAfresh(EdidInfo& CreatorSettings, EdidImage image, std::uint16_t status) {
    CreatorSettings = EdidInfo{};
    CreatorSettings.Status = status;
    CreatorSettings.Image = image;
}

} // namespace

void LoadCreator(CreatorModel& model, EdidInfo& CreatorSettings, const EdidImage& source,
                 const QDate& today) {
    DecodeEdid(CreatorSettings, source);
    if (CreatorSettings.Status & EdidStatus::ValidationMask)
        loadInvalid(model);
    else
        loadValid(model, CreatorSettings, today);
}

void StartBrandNew(CreatorModel& model, EdidInfo& CreatorSettings, const QDate& today) {
    startAfresh(CreatorSettings, BrandNewEdid, EdidStatus::BrandNew);
    LoadCreator(model, CreatorSettings, CreatorSettings.Image, today);
}

void StartFromFile(CreatorModel& model, EdidInfo& CreatorSettings, const QDate& today) {
    startAfresh(CreatorSettings, CreatorSettings.Image, 0);
    LoadCreator(model, CreatorSettings, CreatorSettings.Image, today);
}

#include "CreatorBuilder.h"

#include "CreatorAudioBuilder.h"
#include "CreatorItems.h"
#include "CreatorModel.h"
#include "CreatorTables.h"

#include <EdidInfo.h>
#include <IntegerText.h>

#include <algorithm>

namespace {

// A video code above this is not one the creator can name: its slot counts as free.
constexpr std::uint8_t HighestVic = 107;
constexpr std::uint16_t NoStandardTiming = 0x0101;
constexpr const char* NotWrittenStart = "Not Written: ";

std::int32_t readInt(const CreatorModel& model, CreatorEdit edit) {
    return StrToInt(model.text(edit).toStdString());
}

// Texts are read as Latin-1, one byte per character.
std::string latin1(const CreatorModel& model, CreatorEdit edit) {
    return model.text(edit).toLatin1().toStdString();
}

template <std::size_t N>
void copyText(std::array<char, N>& field, const std::string& text, std::size_t length) {
    field.fill('\0');
    std::copy_n(text.begin(), std::min(text.size(), length), field.begin());
}

void readStandardTimings(const CreatorModel& model, EdidInfo& info) {
    auto& entries = info.Standard_Timing;
    for (std::size_t i = 0; i < StandardTimingCodes.size(); ++i) {
        const std::uint16_t code = StandardTimingCodes[i];
        const auto found = std::find(entries.begin(), entries.end(), code);
        const bool ticked = model.checked(BoxFamily::StandardTiming, static_cast<int>(i + 1));
        if (ticked && found == entries.end()) {
            const auto empty = std::find_if(entries.begin(), entries.end(), [](std::uint16_t c) {
                return c == 0x0000 || c == NoStandardTiming;
            });
            if (empty != entries.end())
                *empty = code;
        } else if (!ticked && found != entries.end()) {
            *found = NoStandardTiming;
        }
    }
}

// Ticked and absent: the first free slot takes the code; unticked: every slot holding
// it is emptied. Slots holding other codes stay.
template <class Slots, class Vics>
void readVideoBoxes(const CreatorModel& model, BoxFamily family, const Vics& vics, Slots& entries) {
    for (std::uint8_t vic : vics) {
        const bool present = std::find(entries.begin(), entries.end(), vic) != entries.end();
        if (model.checked(family, vic)) {
            if (present)
                continue;
            const auto free = std::find_if(entries.begin(), entries.end(),
                                           [](std::uint8_t c) { return c == 0 || c > HighestVic; });
            if (free != entries.end())
                *free = vic;
        } else if (present) {
            std::replace(entries.begin(), entries.end(), vic, std::uint8_t{0});
        }
    }
}

void readHdmiVics(const CreatorModel& model, EdidInfo& info) {
    info.Hdmi_Vic.fill(0);
    std::size_t next = 0;
    for (const HdmiVicBox& box : HdmiVicBoxes) {
        if (model.checked(BoxFamily::VideoIdCode, box.vic))
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

void readCecAddress(const CreatorModel& model, EdidInfo& info) {
    const std::string text = latin1(model, CreatorEdit::CecAddress);
    std::uint8_t d[4];
    for (std::size_t i = 0; i < 4; ++i)
        d[i] = cecDigit(text, i);
    info.Cec_Address[0] = static_cast<std::uint8_t>((d[0] << 4) | d[1]);
    info.Cec_Address[1] = static_cast<std::uint8_t>((d[2] << 4) | d[3]);
}

} // namespace

EncodeResult ReadBackCreator(const CreatorModel& model, EdidInfo& CreatorSettings) {
    EdidInfo& info = CreatorSettings;
    copyText(info.Manufac_Name, latin1(model, CreatorEdit::ManufacName), 3);
    copyText(info.Monitor_Name, latin1(model, CreatorEdit::MonitorName), 13);
    info.Product_Code = static_cast<std::uint16_t>(readInt(model, CreatorEdit::ProductCode));
    info.Serial_Number = static_cast<std::uint32_t>(readInt(model, CreatorEdit::SerialNumber));
    info.Manufac_Year = static_cast<std::uint8_t>(readInt(model, CreatorEdit::ManufacYear));
    info.Manufac_Week = static_cast<std::uint8_t>(readInt(model, CreatorEdit::ManufacWeek));

    info.Establish_Timing = ReadBits(model, CreatorBits::EstablishTiming);
    readStandardTimings(model, info);

    info.Color_Space =
        static_cast<std::uint8_t>((model.checked(BoxFamily::ColorSpace, 1) ? 0x20 : 0) |
                                  (model.checked(BoxFamily::ColorSpace, 2) ? 0x10 : 0));
    info.Support_YUV420 = model.checked(BoxFamily::ColorSpace, 3) ? 1 : 0;
    info.Color_Depth = static_cast<std::uint8_t>(ReadBits(model, CreatorBits::ColorDepth));
    if (info.Color_Depth != 0 && (info.Color_Space & 0x20))
        info.Color_Depth |= 0x08; // DC_Y444
    info.Colorimetry = static_cast<std::uint8_t>(ReadBits(model, CreatorBits::Colorimetry));

    readVideoBoxes(model, BoxFamily::VideoIdCode, CreatorVicList, info.Video_Id_Code);
    readVideoBoxes(model, BoxFamily::Yuv420Vdb, CreatorYuv420VicList, info.Yuv420_Vdb);
    readHdmiVics(model, info);

    if (model.checked(BoxFamily::Present3D, 1))
        info.Flags |= EdidFlag::ThreeD;
    else
        info.Flags &= static_cast<std::uint16_t>(~EdidFlag::ThreeD);
    info.Hf_Dc420 = static_cast<std::uint8_t>(ReadBits(model, CreatorBits::HdrDeepColour));
    info.Hdr_Eotf = static_cast<std::uint8_t>(ReadBits(model, CreatorBits::HdrEotf));
    info.Hdr_Despt = static_cast<std::uint8_t>((info.Hdr_Despt & 0xFE) |
                                               (model.checked(BoxFamily::HdrDespt, 1) ? 1 : 0));
    constexpr std::array<CreatorEdit, 3> dcld = {CreatorEdit::HdrDcld1, CreatorEdit::HdrDcld2,
                                                 CreatorEdit::HdrDcld3};
    for (std::size_t k = 0; k < info.Hdr_Dcld.size(); ++k)
        info.Hdr_Dcld[k] = static_cast<std::uint8_t>(readInt(model, dcld[k]));

    ReadBackAudio(model, info);
    info.Speaker_Alloc =
        ReadBits(model, CreatorBits::SpeakerByte1) | ReadBits(model, CreatorBits::SpeakerByte2);
    readCecAddress(model, info);
    return EncodeEdid(info);
}

void ShowNotWritten(CreatorModel& model, const EncodeResult& encoding) {
    const std::string notWritten = NotWrittenText(encoding);
    if (!notWritten.empty())
        model.setWarning(QString::fromLatin1(notWritten.c_str()));
    else if (model.warning().startsWith(QLatin1String(NotWrittenStart)))
        model.setWarning(QString()); // an earlier build's warning no longer holds
}

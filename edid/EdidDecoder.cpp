#include "EdidDecoder.h"

#include "EdidTables.h"
#include "EdidValidation.h"

#include <algorithm>

namespace {

// The HDR static metadata payload goes into these six bytes in order.
std::uint8_t& hdrByte(EdidInfo& info, std::size_t i) {
    switch (i) {
    case 0:
        return info.Hdr_Eotf;
    case 1:
        return info.Hdr_Despt;
    case 2:
    case 3:
    case 4:
        return info.Hdr_Dcld[i - 2];
    default:
        return info.Hdr_Spare;
    }
}
constexpr std::size_t kHdrBytes = 6;

template <std::size_t N> void setText(std::array<char, N>& field, const char* text) {
    field.fill(0);
    for (std::size_t i = 0; i + 1 < N && text[i] != 0; ++i)
        field[i] = text[i];
}

// Codes that are never a video code: skipped when storing and ranking.
bool isSkippedVic(std::uint8_t c) {
    return c == 0x00 || c == 0x80 || c == 0xFE || c == 0xFF;
}

void resetDecodedFields(EdidInfo& info) {
    setText(info.Monitor_Name, UndefinedText);
    setText(info.Max_Resolution, UndefinedText);
    info.Video_Id_Code.fill(0);
    for (auto& sad : info.Audio_Sad)
        sad.fill(0);
    info.Yuv420_Vdb.fill(0);
    info.Hdmi_Vic.fill(0);
    info.Hdmi_3D_Len = 0;
    info.Hdmi_3D_Byte = 0;
    info.Hdmi_3D_Data.fill(0);
    for (std::size_t i = 0; i < kHdrBytes; ++i)
        hdrByte(info, i) = 0;
    info.Status &= EdidStatus::BrandNew;
    info.Product_Code = 0;
    info.Flags = 0;
    info.Support_600MHz = 0;
    info.Hf_Dc420 = 0;
    info.Support_SCDC = 0;
    info.Support_YUV420 = 0;
    info.Color_Space = 0;
    info.Color_Depth = 0;
    info.Colorimetry = 0;
    info.Cec_Address.fill(0);
    info.Audio_Formats = 0;
    info.Audio_Max_Channel = 0;
    info.Speaker_Alloc = 0;
    info.Max_Color_Depth = 8;
    // Manufac_Name, Serial_Number, Manufac_Year, Manufac_Week, Establish_Timing,
    // Standard_Timing, Ext_Dtd and Video_Cap keep what the record held.
}

void decodeIdentification(EdidInfo& info) {
    const EdidImage& image = info.Image;
    const unsigned b8 = image[8];
    const unsigned b9 = image[9];
    info.Manufac_Name[0] = static_cast<char>((b8 >> 2) | 0x40);
    info.Manufac_Name[1] = static_cast<char>(((b8 << 3) & 0x1F) | (b9 >> 5) | 0x40);
    info.Manufac_Name[2] = static_cast<char>((b9 & 0x1F) | 0x40);
    info.Manufac_Name[3] = 0;

    info.Product_Code = static_cast<std::uint16_t>(image[10] | image[11] << 8);
    info.Serial_Number =
        static_cast<std::uint32_t>(image[12]) | static_cast<std::uint32_t>(image[13]) << 8 |
        static_cast<std::uint32_t>(image[14]) << 16 | static_cast<std::uint32_t>(image[15]) << 24;
    info.Manufac_Week = image[16];
    info.Manufac_Year = image[17];
}

// Every 00 00 00 FC 00 descriptor header of block 0 is copied; the last one wins.
void decodeMonitorName(EdidInfo& info) {
    const EdidImage& image = info.Image;
    constexpr std::size_t kNameLength = 13;
    for (std::size_t p = 3; p < kEdidBlockSize; ++p) {
        if (image[p] != 0xFC || image[p - 3] != 0 || image[p - 2] != 0 || image[p - 1] != 0 ||
            ImageByteAt(image, p + 1) != 0)
            continue;
        for (std::size_t i = 0; i < kNameLength; ++i) {
            const std::uint8_t c = ImageByteAt(image, p + 2 + i);
            if (c == 0x0A) {
                info.Monitor_Name[i] = 0;
                break;
            }
            info.Monitor_Name[i] = static_cast<char>(c);
        }
    }
    info.Monitor_Name[kNameLength] = 0;
}

void decodeTimings(EdidInfo& info) {
    const EdidImage& image = info.Image;
    info.Establish_Timing = static_cast<std::uint32_t>(image[35]) << 16 |
                            static_cast<std::uint32_t>(image[36]) << 8 | image[37];
    for (std::size_t i = 0; i < info.Standard_Timing.size(); ++i) {
        info.Standard_Timing[i] =
            static_cast<std::uint16_t>(image[38 + 2 * i] << 8 | image[39 + 2 * i]);
    }
}

void decodeHdmiBlock(EdidInfo& info, std::size_t p, unsigned length) {
    const EdidImage& image = info.Image;
    auto at = [&](std::size_t offset) { return ImageByteAt(image, p + offset); };

    if (length > 4) {
        info.Cec_Address[0] = at(4);
        info.Cec_Address[1] = at(5);
    }
    if (length > 5) {
        info.Color_Depth = at(6);
        if (info.Color_Depth & 0x40)
            info.Max_Color_Depth = 16;
        else if (info.Color_Depth & 0x20)
            info.Max_Color_Depth = 12;
        else if (info.Color_Depth & 0x10)
            info.Max_Color_Depth = 10;
    }
    if (length > 8 && (at(8) & 0x20)) {
        // Offsets of the 3D byte, the length byte and the first HDMI_VIC: the latency
        // fields present before them decide.
        std::size_t byte3d = 9;
        if (at(8) & 0x40)
            byte3d = 13;
        else if (at(8) & 0x80)
            byte3d = 11;
        const std::size_t lengthByte = byte3d + 1;
        const std::size_t firstVic = byte3d + 2;
        const unsigned vicCount = at(lengthByte) >> 5;
        const unsigned length3d = at(lengthByte) & 0x1F;

        if (at(byte3d) & 0x80) {
            info.Flags |= EdidFlag::ThreeD;
            info.Hdmi_3D_Len = static_cast<std::uint8_t>(length3d);
            info.Hdmi_3D_Byte = at(byte3d);
            const std::size_t first3d = lengthByte + 1 + vicCount;
            const std::size_t n = std::min<std::size_t>(length3d, info.Hdmi_3D_Data.size());
            for (std::size_t i = 0; i < n; ++i)
                info.Hdmi_3D_Data[i] = at(first3d + i);
        }
        if (length >= firstVic && vicCount > 0) {
            const std::size_t n = std::min<std::size_t>(vicCount, info.Hdmi_Vic.size());
            for (std::size_t i = 0; i < n; ++i)
                info.Hdmi_Vic[i] = at(firstVic + i);
        }
    }
}

void decodeHdmiForumBlock(EdidInfo& info, std::size_t p, unsigned length) {
    const EdidImage& image = info.Image;
    if (length > 4 && ImageByteAt(image, p + 5) > 119)
        info.Support_600MHz = 1;
    if (length > 5 && (ImageByteAt(image, p + 6) & 0x80))
        info.Support_SCDC = 1;
    if (length > 6)
        info.Hf_Dc420 = ImageByteAt(image, p + 7) & 0x07;
}

void decodeVendorBlocks(EdidInfo& info) {
    const EdidImage& image = info.Image;
    std::size_t p = 132;
    while (FindDataBlock(image, DataBlockTag::VendorSpecific, p)) {
        const unsigned length = image[p] & 0x1F;
        if (HasOui(image, p, HdmiOui))
            decodeHdmiBlock(info, p, length);
        else if (HasOui(image, p, HdmiForumOui))
            decodeHdmiForumBlock(info, p, length);
        p += length + 1;
    }
}

// The best listed format: the first table entry that any of the block's codes
// names, with the native flag removed from codes 129..192.
void rankVideoBlock(EdidInfo& info, std::size_t p, unsigned length) {
    for (const VicName& entry : VicNameTable) {
        if (entry.vic == 0)
            return;
        for (unsigned k = 0; k < length; ++k) {
            std::uint8_t c = ImageByteAt(info.Image, p + 1 + k);
            if (isSkippedVic(c))
                continue;
            if (c < 65 || (c >= 129 && c <= 192))
                c &= 0x7F;
            if (c == entry.vic) {
                setText(info.Max_Resolution, entry.name);
                return;
            }
        }
    }
}

void decodeVideoBlocks(EdidInfo& info) {
    std::size_t p = 132;
    while (FindDataBlock(info.Image, DataBlockTag::Video, p)) {
        const unsigned length = info.Image[p] & 0x1F;
        for (unsigned k = 0; k < length && k < info.Video_Id_Code.size(); ++k) {
            const std::uint8_t c = ImageByteAt(info.Image, p + 1 + k);
            if (isSkippedVic(c))
                continue;
            info.Video_Id_Code[k] = (c >= 129 && c <= 192) ? (c & 0x7F) : c;
        }
        rankVideoBlock(info, p, length);
        p += length + 1;
    }
}

void decodeExtendedTagBlocks(EdidInfo& info) {
    const EdidImage& image = info.Image;
    std::size_t p = 132;
    while (FindDataBlock(image, DataBlockTag::ExtendedTag, p)) {
        const unsigned length = image[p] & 0x1F;
        // Payload after the extended tag byte: L - 1 bytes from +2 (none when L is 0).
        const std::size_t payload = length > 0 ? length - 1 : 0;
        switch (ImageByteAt(image, p + 1)) {
        case ExtendedTagCode::VideoCapability:
            if (length == 2)
                info.Video_Cap = ImageByteAt(image, p + 2);
            break;
        case ExtendedTagCode::Colorimetry:
            if (length == 3)
                info.Colorimetry = ImageByteAt(image, p + 2);
            break;
        case ExtendedTagCode::HdrStaticMetadata:
            for (std::size_t i = 0; i < payload && i < kHdrBytes; ++i)
                hdrByte(info, i) = ImageByteAt(image, p + 2 + i);
            break;
        case ExtendedTagCode::Yuv420Video:
            for (std::size_t i = 0; i < payload && i < info.Yuv420_Vdb.size(); ++i)
                info.Yuv420_Vdb[i] = ImageByteAt(image, p + 2 + i);
            if (ImageByteAt(image, p + 2) != 0)
                info.Support_YUV420 = 1;
            break;
        case ExtendedTagCode::Yuv420CapabilityMap:
            info.Support_YUV420 = 1;
            break;
        default:
            break;
        }
        p += length + 1;
    }
}

void noteAudioFormat(EdidInfo& info, std::uint8_t s) {
    const unsigned code = (s >> 3) & 0x0F;
    const unsigned channels = (s & 0x07) + 1u;
    for (const AudioFormatBit& f : AudioFormatBits) {
        if (f.code == code && channels >= f.minChannels && channels <= f.maxChannels)
            info.Audio_Formats |= f.bit;
    }
    info.Audio_Max_Channel =
        static_cast<std::uint8_t>(std::max<unsigned>(info.Audio_Max_Channel, channels));
}

// Returns the position after the last audio block's last examined descriptor, or
// 132 when there is no audio block: where the speaker allocation search starts.
std::size_t decodeAudioBlocks(EdidInfo& info) {
    const EdidImage& image = info.Image;
    std::size_t p = 132;
    while (FindDataBlock(image, DataBlockTag::Audio, p)) {
        const unsigned length = image[p] & 0x1F;
        std::size_t next = p + 1; // a block of length 0 examines nothing
        std::size_t slot = 0;
        for (unsigned k = 0; k < length; k += 3, ++slot) {
            const std::size_t d = p + 1 + k;
            if (slot < info.Audio_Sad.size()) {
                for (std::size_t i = 0; i < 3; ++i)
                    info.Audio_Sad[slot][i] = ImageByteAt(image, d + i);
            }
            noteAudioFormat(info, ImageByteAt(image, d));
            next = d + 3;
        }
        p = next;
    }
    return p;
}

void decodeSpeakerAllocation(EdidInfo& info, std::size_t from) {
    const EdidImage& image = info.Image;
    std::size_t p = from;
    if (FindDataBlock(image, DataBlockTag::SpeakerAllocation, p)) {
        info.Speaker_Alloc = static_cast<std::uint32_t>(ImageByteAt(image, p + 1)) << 16 |
                             static_cast<std::uint32_t>(ImageByteAt(image, p + 2)) << 8 |
                             ImageByteAt(image, p + 3);
    }
}

void decodeExtensionTimings(EdidInfo& info) {
    const int d = info.Image[130];
    for (int i = 0; i < 3; ++i) {
        if (126 - d - 18 * i < 18)
            continue;
        const auto first = info.Image.begin() + 128 + d + 18 * i;
        std::copy(first, first + 18, info.Ext_Dtd[static_cast<std::size_t>(i)].begin());
    }
}

} // namespace

bool FindDataBlock(const EdidImage& image, std::uint8_t tag, std::size_t& position) {
    if (image[126] == 0)
        return false;
    const std::size_t end = std::min<std::size_t>(128 + image[130], image.size());
    for (std::size_t p = position; p < end; p += (image[p] & 0x1Fu) + 1) {
        if ((image[p] & 0xE0) == tag) {
            position = p;
            return true;
        }
    }
    return false;
}

void DecodeEdid(EdidInfo& info, const EdidImage& source) {
    const EdidImage copy = source; // the source may be info.Image itself
    resetDecodedFields(info);
    info.Image = copy;
    if (!ValidateEdid(info))
        return;

    decodeIdentification(info);
    decodeMonitorName(info);
    decodeTimings(info);
    if (info.Image[126] == 1) {
        info.Color_Space = info.Image[131];
        decodeVendorBlocks(info);
    }
    decodeVideoBlocks(info);
    decodeExtendedTagBlocks(info);
    decodeSpeakerAllocation(info, decodeAudioBlocks(info));
    decodeExtensionTimings(info);
}

void DecodeEdid(EdidInfo& info) {
    DecodeEdid(info, info.Image);
}

bool HasOui(const EdidImage& image, std::size_t header, const std::array<std::uint8_t, 3>& oui) {
    for (std::size_t i = 0; i < oui.size(); ++i) {
        if (ImageByteAt(image, header + 1 + i) != oui[i])
            return false;
    }
    return true;
}

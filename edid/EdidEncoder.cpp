#include "EdidEncoder.h"

#include "EdidDecoder.h"
#include "EdidTables.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kCollectionStart = 132;
// The last byte a data block may occupy; byte 255 is the checksum.
constexpr std::size_t kLastBlockByte = 254;
// A descriptor must start at or before extension offset 108 to end by byte 125.
constexpr std::size_t kLastDtdOffset = 108;
// A data block's header holds its payload length in 5 bits.
constexpr std::size_t kMaxPayload = 31;
constexpr std::uint16_t kNoStandardTiming = 0x0101;

bool is4kVic(std::uint8_t vic) {
    return vic >= 0x60 && vic <= 0x6B;
}

std::uint8_t low8(unsigned value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// The byte that makes `count` bytes from `first` sum to zero modulo 256.
std::uint8_t checksumFor(const EdidImage& image, std::size_t first, std::size_t count) {
    return low8(0u - SumBytes(image, first, count));
}

// --- Block 0 -----------------------------------------------------------------

void writeManufacturer(EdidImage& image, const EdidInfo& s) {
    // Compressed ASCII: 'A' = 1 ... 'Z' = 26, first letter in bits 14-10.
    const auto code = [&](int i) {
        return low8(static_cast<unsigned char>(s.Manufac_Name[i]) - 0x40u);
    };
    image[8] = low8((code(0) << 2) + (code(1) >> 3));
    image[9] = low8((code(1) << 5) + code(2));
}

void writeIdentification(EdidImage& image, const EdidInfo& s) {
    image[10] = low8(s.Product_Code);
    image[11] = low8(s.Product_Code >> 8);
    for (std::size_t i = 0; i < 4; ++i)
        image[12 + i] = low8(s.Serial_Number >> (8 * i));
    image[16] = s.Manufac_Week;
    // The record holds the calendar year's low byte; EDID counts from 1990.
    image[17] = low8(s.Manufac_Year + 0x3Au);
}

// Writes the name into the text field of every monitor name descriptor header
// (00 00 00 FC 00) of block 0. The field never reaches past block 0.
void writeMonitorName(EdidImage& image, const EdidInfo& s) {
    constexpr std::size_t kFieldLength = 13;
    std::size_t nameLength = 0;
    while (nameLength < kFieldLength && s.Monitor_Name[nameLength] != '\0')
        ++nameLength;

    for (std::size_t p = 3; p < kEdidBlockSize; ++p) {
        if (image[p] != 0xFC || image[p - 3] != 0 || image[p - 2] != 0 || image[p - 1] != 0 ||
            image[p + 1] != 0)
            continue;
        for (std::size_t i = 0; i < kFieldLength && p + 2 + i < kEdidBlockSize; ++i) {
            std::uint8_t c = 0x20;
            if (i < nameLength)
                c = static_cast<std::uint8_t>(s.Monitor_Name[i]);
            else if (i == nameLength)
                c = 0x0A;
            image[p + 2 + i] = c;
        }
    }
}

// One pass that moves each used code at most one slot forward.
void compactStandardTimings(std::array<std::uint16_t, 8>& timings) {
    for (std::size_t i = 1; i < timings.size(); ++i) {
        if (timings[i - 1] == kNoStandardTiming) {
            timings[i - 1] = timings[i];
            timings[i] = kNoStandardTiming;
        }
    }
}

void writeBlock0(EdidInfo& s) {
    EdidImage& image = s.Image;
    writeManufacturer(image, s);
    writeIdentification(image, s);
    writeMonitorName(image, s);
    image[0x23] = low8(s.Establish_Timing >> 16);
    image[0x24] = low8(s.Establish_Timing >> 8);
    image[0x25] = low8(s.Establish_Timing);
    compactStandardTimings(s.Standard_Timing);
    for (std::size_t k = 0; k < s.Standard_Timing.size(); ++k) {
        image[0x26 + 2 * k] = low8(s.Standard_Timing[k] >> 8);
        image[0x27 + 2 * k] = low8(s.Standard_Timing[k]);
    }
    image[0x7E] = 1;
    image[0x7F] = checksumFor(image, 0, kEdidBlockSize - 1);
}

// --- Reading the base extension -----------------------------------------------

// The contents the extension will be rebuilt from.
struct Contents {
    Bytes video;
    Bytes yuv420;
    Bytes audio;
    Bytes speaker;
    Bytes hdmi;      // HDMI VSDB payload; empty when the base had none
    Bytes hdmiForum; // HF-VSDB payload; empty when none
    // The base colorimetry block's metadata byte; none declared without one.
    std::uint8_t colorimetryMeta = 0x00;
};

Bytes nonZero(const std::uint8_t* first, std::size_t count, bool& has4k) {
    Bytes list;
    for (std::size_t i = 0; i < count; ++i) {
        if (first[i] == 0)
            continue;
        list.push_back(first[i]);
        has4k = has4k || is4kVic(first[i]);
    }
    return list;
}

// Calls visit(position, length) for every block of the base collection with `tag`.
template <typename Visit> void forEachBlock(const EdidImage& image, std::uint8_t tag, Visit visit) {
    std::size_t position = kCollectionStart;
    while (FindDataBlock(image, tag, position)) {
        const std::size_t length = image[position] & 0x1F;
        visit(position, length);
        position += length + 1;
    }
}

// Bytes of the HDMI VSDB payload (its byte i is the block's byte i + 1).
constexpr std::size_t kHdmiDeepColour = 5; // Supports_AI and the deep colour bits
constexpr std::size_t kHdmiMaxTmds = 6;
constexpr std::size_t kHdmiFlags = 7; // which latency fields follow; HDMI_Video_present
// Where the HDMI video byte belongs when no latency field precedes it.
constexpr std::size_t kHdmiVideoAfterFlags = 8;
constexpr std::uint8_t kVideoPresent = 0x20;   // in the flags byte
constexpr std::uint8_t kThreeDPresent = 0x80;  // in the HDMI video byte
constexpr std::uint8_t kVideoByteFlags = 0x1F; // the HDMI video byte's bits other than 3D
// Max_TMDS_Clock in units of 5 MHz: 165, 225 and 300 MHz.
constexpr std::uint8_t kTmds165 = 0x21;
constexpr std::uint8_t kTmds225 = 0x2D;
constexpr std::uint8_t kTmds300 = 0x3C;

// The HDMI VSDB payload being rebuilt, and the index of its HDMI video byte: after the
// latency fields that the flags byte announces.
struct HdmiPayload {
    Bytes bytes;
    std::size_t video = kHdmiVideoAfterFlags;

    bool hasVideoByte() const { return bytes.size() > video; }
    void setVideoByte(std::uint8_t value) {
        if (hasVideoByte())
            bytes[video] = value;
        else
            bytes.push_back(value);
    }
    void addToVideoByte(std::uint8_t bits) {
        if (hasVideoByte())
            bytes[video] |= bits;
        else
            bytes.push_back(bits);
    }
    // A payload that ends before the flags byte gets one.
    void markVideoPresent() {
        if (bytes.size() > kHdmiFlags)
            bytes[kHdmiFlags] |= kVideoPresent;
        else
            bytes.push_back(kVideoPresent);
    }
};

// The OUI, the physical address, the deep colour byte and Max_TMDS_Clock. Supports_AI
// comes from the base block, or is set when the base has no such byte.
void writeHdmiHead(HdmiPayload& p, const EdidImage& image, std::size_t block, std::size_t length,
                   const EdidInfo& s) {
    const bool baseHasDeepColour = length > kHdmiDeepColour;
    const std::uint8_t supportsAi =
        baseHasDeepColour ? ImageByteAt(image, block + 1 + kHdmiDeepColour) & 0x80 : 0x80;
    std::uint8_t maxTmds = kTmds165;
    if (s.Color_Depth != 0)
        maxTmds = kTmds225;
    if (s.Flags & (EdidFlag::Yuv420Has4k | EdidFlag::VideoHas4k))
        maxTmds = kTmds300;
    p.bytes = {HdmiOui[0],       HdmiOui[1],       HdmiOui[2],
               s.Cec_Address[0], s.Cec_Address[1], low8(supportsAi | s.Color_Depth),
               maxTmds};
}

// The base block's flags byte and the latency fields it announces, copied even where
// they announce more bytes than the block holds; the video byte goes after them.
void copyLatencyFields(HdmiPayload& p, const EdidImage& image, std::size_t block,
                       std::size_t length) {
    if (length <= kHdmiFlags)
        return;
    const auto baseByte = [&](std::size_t payloadIndex) {
        return ImageByteAt(image, block + 1 + payloadIndex);
    };
    const std::uint8_t flags = baseByte(kHdmiFlags);
    p.bytes.push_back(flags);
    // The last payload index copied.
    std::size_t last = kHdmiFlags;
    if (flags & 0x40) { // interlaced latency too: four latency bytes
        last = length > 12 ? 12 : 11;
        p.video = 12;
    } else if (flags & 0x80) { // video and audio latency
        last = length > 10 ? 10 : 9;
        p.video = 10;
    } else if ((flags & kVideoPresent) && length > 8) {
        last = 8;
    }
    for (std::size_t i = kHdmiFlags + 1; i <= last; ++i)
        p.bytes.push_back(baseByte(i));
}

// The record's HDMI_VICs in slot order: a zero between codes is an empty slot, not an
// HDMI_VIC to write.
Bytes hdmiVicList(const EdidInfo& s) {
    Bytes vics;
    for (std::uint8_t vic : s.Hdmi_Vic) {
        if (vic != 0)
            vics.push_back(vic);
    }
    return vics;
}

// The flags byte and the video byte as the record's 3D setting and HDMI_VICs want them.
void settleVideoByte(HdmiPayload& p, const EdidInfo& s, bool threeD, std::size_t vicCount) {
    Bytes& b = p.bytes;
    if (vicCount > 0) {
        b[kHdmiMaxTmds] = std::max(b[kHdmiMaxTmds], kTmds300);
        p.markVideoPresent();
    }
    if (threeD) {
        if (vicCount == 0) {
            const bool noFlagsByte = b.size() <= kHdmiFlags;
            p.markVideoPresent();
            if (noFlagsByte)
                b.push_back(kThreeDPresent);
        }
        if (s.Hdmi_3D_Len != 0)
            p.setVideoByte(s.Hdmi_3D_Byte);
        else
            p.addToVideoByte(kThreeDPresent);
    } else if (vicCount > 0) {
        if (p.hasVideoByte())
            b[p.video] &= kVideoByteFlags;
        else
            b.push_back(0x00);
    } else if (b.size() > kHdmiFlags && (b[kHdmiFlags] & 0xC0) == 0) {
        // No latency fields and no video byte: the flags byte stays for its content
        // type bits alone, without HDMI_Video_present.
        if ((b[kHdmiFlags] & 0x0F) == 0) {
            b.resize(kHdmiFlags);
        } else {
            b.resize(kHdmiFlags + 1);
            b[kHdmiFlags] &= static_cast<std::uint8_t>(~kVideoPresent);
        }
    } else if (b.size() == p.video + 1 && (b[kHdmiFlags] & kVideoPresent)) {
        // Latency fields keep the base's video byte: without 3D its 3D bits must go,
        // or the cleared setting would come back on the next decoding; and an
        // HDMI_Video_present block carries its length byte, here with no entries.
        b[p.video] &= kVideoByteFlags;
        b.push_back(0x00);
    }
}

// The length byte, the HDMI_VICs and the 3D data that follow the video byte.
void appendVideoLists(HdmiPayload& p, const EdidInfo& s, bool threeD, const Bytes& vics) {
    Bytes& b = p.bytes;
    const std::size_t lengthByte = b.size();
    b.push_back(0);
    b.insert(b.end(), vics.begin(), vics.end());
    std::size_t length3d = 0;
    if (threeD) {
        // HDMI_3D_LEN may announce more than the record holds, and the block's payload
        // must stay within 31 bytes: write what fits and say so.
        length3d = std::min<std::size_t>(s.Hdmi_3D_Len, s.Hdmi_3D_Data.size());
        length3d = std::min(length3d, kMaxPayload - b.size());
        b.insert(b.end(), s.Hdmi_3D_Data.begin(),
                 s.Hdmi_3D_Data.begin() + static_cast<std::ptrdiff_t>(length3d));
    }
    b[lengthByte] = low8((vics.size() << 5) + length3d);
}

// Rebuilds the HDMI VSDB payload from the base block at `block` (payload `length`
// bytes) and the record's settings.
Bytes rebuildHdmiVsdb(const EdidImage& image, std::size_t block, std::size_t length,
                      const EdidInfo& s) {
    const bool threeD = s.Flags & EdidFlag::ThreeD;
    HdmiPayload payload;
    writeHdmiHead(payload, image, block, length, s);
    copyLatencyFields(payload, image, block, length);
    const Bytes vics = hdmiVicList(s);
    settleVideoByte(payload, s, threeD, vics.size());
    if (!vics.empty() || threeD)
        appendVideoLists(payload, s, threeD, vics);
    return payload.bytes;
}

Contents collect(EdidInfo& s) {
    const EdidImage& image = s.Image;
    Contents c;
    bool has4k = false;
    c.video = nonZero(s.Video_Id_Code.data(), s.Video_Id_Code.size(), has4k);
    if (has4k)
        s.Flags |= EdidFlag::VideoHas4k;
    has4k = false;
    c.yuv420 = nonZero(s.Yuv420_Vdb.data(), s.Yuv420_Vdb.size(), has4k);
    if (has4k)
        s.Flags |= EdidFlag::Yuv420Has4k;
    for (const auto& sad : s.Audio_Sad) {
        if (sad[0] != 0)
            c.audio.insert(c.audio.end(), sad.begin(), sad.end());
    }
    if (s.Speaker_Alloc != 0)
        c.speaker = {low8(s.Speaker_Alloc >> 16), low8(s.Speaker_Alloc >> 8),
                     low8(s.Speaker_Alloc)};

    forEachBlock(image, DataBlockTag::ExtendedTag, [&](std::size_t block, std::size_t) {
        // Keeps the base block's metadata byte (its byte 3, the header being byte 0) as
        // it is: the display's gamut metadata profiles, which the editor does not show.
        if (ImageByteAt(image, block + 1) == ExtendedTagCode::Colorimetry && s.Colorimetry != 0)
            c.colorimetryMeta = ImageByteAt(image, block + 3);
    });
    bool forumFound = false;
    forEachBlock(image, DataBlockTag::VendorSpecific, [&](std::size_t block, std::size_t L) {
        if (HasOui(image, block, HdmiOui)) {
            c.hdmi = rebuildHdmiVsdb(image, block, L, s);
        } else if (HasOui(image, block, HdmiForumOui)) {
            forumFound = true;
            c.hdmiForum.clear();
            for (std::size_t i = 1; i <= L; ++i)
                c.hdmiForum.push_back(ImageByteAt(image, block + i));
            if (L >= 7)
                c.hdmiForum[6] = s.Hf_Dc420 & 0x07;
        }
    });
    if ((s.Flags & EdidFlag::VideoHas4k) && !forumFound) {
        // Version 1, 600 MHz, SCDC_Present.
        c.hdmiForum = {HdmiForumOui[0],
                       HdmiForumOui[1],
                       HdmiForumOui[2],
                       0x01,
                       0x78,
                       0x80,
                       static_cast<std::uint8_t>(s.Hf_Dc420 & 0x07)};
    }
    return c;
}

// --- Writing the extension ----------------------------------------------------

// A whole data block: header (tag | payload length) and payload; empty = no block.
Bytes dataBlock(std::uint8_t tag, const Bytes& payload) {
    if (payload.empty())
        return {};
    Bytes block = {low8(tag + payload.size())};
    block.insert(block.end(), payload.begin(), payload.end());
    return block;
}

Bytes extendedBlock(std::uint8_t code, const Bytes& payload) {
    Bytes full = {code};
    full.insert(full.end(), payload.begin(), payload.end());
    return dataBlock(DataBlockTag::ExtendedTag, full);
}

Bytes videoBlock(const EdidInfo&, const Contents& c) {
    return dataBlock(DataBlockTag::Video, c.video);
}
Bytes audioBlock(const EdidInfo&, const Contents& c) {
    return dataBlock(DataBlockTag::Audio, c.audio);
}
Bytes speakerBlock(const EdidInfo&, const Contents& c) {
    return dataBlock(DataBlockTag::SpeakerAllocation, c.speaker);
}
Bytes hdmiBlock(const EdidInfo&, const Contents& c) {
    return dataBlock(DataBlockTag::VendorSpecific, c.hdmi);
}
// The forum block extends the HDMI block and is written right behind it: without one it
// would claim HDMI 2.0 for a display that declares no HDMI at all. (The HDMI block always
// fits: the blocks before it take at most 60 bytes, it at most 32.)
Bytes hdmiForumBlock(const EdidInfo&, const Contents& c) {
    if (c.hdmi.empty())
        return {};
    return dataBlock(DataBlockTag::VendorSpecific, c.hdmiForum);
}
Bytes colorimetryBlock(const EdidInfo& s, const Contents& c) {
    if (s.Colorimetry == 0)
        return {};
    return extendedBlock(ExtendedTagCode::Colorimetry, {s.Colorimetry, c.colorimetryMeta});
}
Bytes videoCapabilityBlock(const EdidInfo& s, const Contents&) {
    if (s.Video_Cap == 0)
        return {};
    return extendedBlock(ExtendedTagCode::VideoCapability, {s.Video_Cap});
}
Bytes hdrBlock(const EdidInfo& s, const Contents&) {
    if (s.Hdr_Eotf == 0)
        return {};
    Bytes payload = {s.Hdr_Eotf, s.Hdr_Despt};
    // The luminance values up to the last non-zero one.
    std::size_t used = s.Hdr_Dcld.size();
    while (used > 0 && s.Hdr_Dcld[used - 1] == 0)
        --used;
    payload.insert(payload.end(), s.Hdr_Dcld.begin(),
                   s.Hdr_Dcld.begin() + static_cast<std::ptrdiff_t>(used));
    return extendedBlock(ExtendedTagCode::HdrStaticMetadata, payload);
}
Bytes yuv420Block(const EdidInfo&, const Contents& c) {
    if (c.yuv420.empty())
        return {};
    return extendedBlock(ExtendedTagCode::Yuv420Video, c.yuv420);
}

struct BlockKind {
    const char* name;
    Bytes (*build)(const EdidInfo&, const Contents&);
};

// The data blocks in the order they are written.
constexpr BlockKind kBlocks[] = {
    {"Video Data Block", videoBlock},
    {"Audio Data Block", audioBlock},
    {"Speaker Allocation Data Block", speakerBlock},
    {"HDMI VSDB", hdmiBlock},
    {"HDMI Forum VSDB", hdmiForumBlock},
    {"Colorimetry Data Block", colorimetryBlock},
    {"Video Capability Data Block", videoCapabilityBlock},
    {"HDR Static Metadata Data Block", hdrBlock},
    {"YCbCr 4:2:0 Video Data Block", yuv420Block},
};

// Where block 0 may hold detailed timings; a descriptor whose pixel clock (its first two
// bytes) is zero holds something else.
constexpr std::size_t kBlock0Descriptors[] = {54, 72, 90, 108};

bool isDetailedTiming(const std::uint8_t* descriptor) {
    return descriptor[0] != 0 || descriptor[1] != 0;
}

// `baseFlags` is byte 131 of the base extension: its underscan and basic audio bits are
// kept, and its count of native formats as far as the detailed timings written allow.
void writeExtension(EdidInfo& s, const Contents& c, std::uint8_t baseFlags, EncodeResult& result) {
    EdidImage& image = s.Image;
    image[128] = 0x02; // CEA-861 extension
    image[129] = 0x03; // revision 3

    std::size_t position = kCollectionStart;
    for (const BlockKind& kind : kBlocks) {
        const Bytes block = kind.build(s, c);
        if (block.empty())
            continue;
        if (position + block.size() - 1 > kLastBlockByte) {
            result.notWritten.emplace_back(kind.name);
            continue;
        }
        std::copy(block.begin(), block.end(),
                  image.begin() + static_cast<std::ptrdiff_t>(position));
        position += block.size();
    }
    image[130] = low8(position - kEdidBlockSize);

    std::size_t timings = static_cast<std::size_t>(
        std::count_if(std::begin(kBlock0Descriptors), std::end(kBlock0Descriptors),
                      [&](std::size_t p) { return isDetailedTiming(&image[p]); }));
    for (const auto& dtd : s.Ext_Dtd) {
        if (position - kEdidBlockSize > kLastDtdOffset)
            break;
        std::copy(dtd.begin(), dtd.end(), image.begin() + static_cast<std::ptrdiff_t>(position));
        position += dtd.size();
        if (isDetailedTiming(dtd.data()))
            ++timings;
    }
    // The native formats are the first detailed timings: no more than the EDID now holds
    // (the extension keeps at most three, and only those that fit).
    const std::size_t native = std::min<std::size_t>(baseFlags & 0x0Fu, timings);
    image[131] = low8((baseFlags & 0xC0u) | (s.Color_Space & 0x30u) | native);
    // A block that ends at byte 254 keeps its last byte.
    std::fill(image.begin() + static_cast<std::ptrdiff_t>(position),
              image.begin() + static_cast<std::ptrdiff_t>(std::max(position, kLastBlockByte + 1)),
              std::uint8_t{0});
    image[255] = checksumFor(image, kEdidBlockSize, kEdidBlockSize - 1);
}

} // namespace

EncodeResult EncodeEdid(EdidInfo& CreatorSettings) {
    EdidInfo& s = CreatorSettings;
    EncodeResult result;
    s.Flags &= EdidFlag::ThreeD;
    // A base without an extension has no flags to keep: its block 1 is filler (0xFF
    // from a 128-byte file), which would claim underscan, basic audio and 15 native
    // formats.
    const std::uint8_t baseFlags = s.Image[0x7E] != 0 ? s.Image[131] : 0x00;
    // Block 0 comes first: its extension count of 1 lets the walks over the base
    // collection run.
    writeBlock0(s);
    const Contents contents = collect(s);
    writeExtension(s, contents, baseFlags, result);
    return result;
}

std::string NotWrittenText(const EncodeResult& result) {
    if (result.notWritten.empty())
        return {};
    std::string text = "Not Written: ";
    for (std::size_t i = 0; i < result.notWritten.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += result.notWritten[i];
    }
    return text + ".";
}

#include "EdidSummary.h"

#include <cstdio>

const std::array<SummaryItemNames, kSummaryItems> SummaryItemTable = {{
    {SummaryItem::EdidHeader, "edid_header", "    EDID Header :"},
    {SummaryItem::EdidChecksum, "edid_checksum", "    EDID Checksum :"},
    {SummaryItem::Manufacturer, "manufacturer", "    Manufacturer Name :"},
    {SummaryItem::MonitorName, "monitor_name", "    Monitor Name :"},
    {SummaryItem::MaxResolution, "max_resolution", "    Max Resolution :"},
    {SummaryItem::MaxColorDepth, "max_color_depth", "    Max Color Depth :"},
    {SummaryItem::Support3d, "support_3d", "    Support 3D :"},
    {SummaryItem::SupportYuv420, "support_yuv420", "    Support YUV420 :"},
    {SummaryItem::SupportScdc, "support_scdc", "    Support SCDC :"},
    {SummaryItem::Support600Mhz, "support_600mhz", "    Support 600MHz :"},
    {SummaryItem::SupportHdr, "support_hdr", "    Support HDR :"},
    {SummaryItem::AudioFormats, "audio_formats", "    Audio Formats :"},
    {SummaryItem::AudioChannels, "audio_channels", "    Audio Max Channel :"},
    {SummaryItem::CecAddress, "cec_address", "    CEC Address :"},
}};

namespace {

struct FlagWord {
    unsigned bit;
    const char* word;
};

constexpr FlagWord kAudioWords[] = {
    {0x0001, "2PCM,"},    {0x0002, "MPCM,"},    {0x0004, "DolbyD,"},
    {0x0008, "DolbyD+,"}, {0x0010, "DolbyHD,"}, {0x0020, "DTS,"},
    {0x0040, "DTSHD,"},   {0x0080, "AAC,"},     {0x0100, "OBA,"},
};

constexpr FlagWord kHdrWords[] = {
    {0x01, "10bit,"},
    {0x02, "12bit,"},
    {0x04, "16bit,"},
};

template <std::size_t N> std::string textOf(const std::array<char, N>& field) {
    std::size_t n = 0;
    while (n < N && field[n] != 0)
        ++n;
    return std::string(field.data(), n);
}

const char* yesNo(bool yes) {
    return yes ? "Yes" : "No";
}

} // namespace

void AppendAudioFormat(std::string& text, bool& broken, const char* word) {
    if (!broken && text.size() > 30) {
        text += "\r\n";
        broken = true;
    }
    text += word;
}

EdidSummary SummariseEdid(const EdidInfo& info) {
    EdidSummary s;
    if (info.Status & EdidStatus::ValidationMask) {
        s.texts.fill("-");
        s.text(SummaryItem::EdidHeader) = "Illegal";
        return s;
    }
    s.valid = true;

    s.text(SummaryItem::EdidHeader) = "Good";
    s.text(SummaryItem::EdidChecksum) = "Good";
    s.text(SummaryItem::Manufacturer) = textOf(info.Manufac_Name);
    s.text(SummaryItem::MonitorName) = info.Monitor_Name[0] == 0 ? "-" : textOf(info.Monitor_Name);
    s.text(SummaryItem::MaxResolution) = textOf(info.Max_Resolution);
    s.text(SummaryItem::MaxColorDepth) = std::to_string(info.Max_Color_Depth) + "bit";
    s.text(SummaryItem::Support3d) = yesNo(info.Flags & EdidFlag::ThreeD);
    s.text(SummaryItem::SupportYuv420) = yesNo(info.Support_YUV420 == 1);
    s.text(SummaryItem::SupportScdc) = yesNo(info.Support_SCDC == 1);
    s.text(SummaryItem::Support600Mhz) = yesNo(info.Support_600MHz == 1);

    if (info.Hf_Dc420 == 0) {
        s.text(SummaryItem::SupportHdr) = "No";
    } else {
        for (const FlagWord& w : kHdrWords) {
            if (info.Hf_Dc420 & w.bit)
                s.text(SummaryItem::SupportHdr) += w.word;
        }
    }

    bool broken = false;
    for (const FlagWord& w : kAudioWords) {
        if (info.Audio_Formats & w.bit)
            AppendAudioFormat(s.text(SummaryItem::AudioFormats), broken, w.word);
    }

    s.text(SummaryItem::AudioChannels) = std::to_string(info.Audio_Max_Channel) + "CH";

    char cec[8];
    std::snprintf(cec, sizeof cec, "%02X%02X", info.Cec_Address[0], info.Cec_Address[1]);
    s.text(SummaryItem::CecAddress) = cec;
    return s;
}

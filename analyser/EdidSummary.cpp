#include "EdidSummary.h"

#include <cstdio>

const std::array<SummaryRow, kSummaryRows> SummaryRows = {{
    {"Panel1", "    EDID Header :", "Label_Edid_Header"},
    {"Panel42", "    EDID Checksum :", "Label_Edid_Checksum"},
    {"Panel2", "    Manufacturer Name :", "Label_Manufac_Name"},
    {"Panel3", "    Monitor Name :", "Label_Monitor_Name"},
    {"Panel4", "    Max Resolution :", "Label_Max_Resolution"},
    {"Panel6", "    Max Color Depth :", "Label_Max_ColorDepth"},
    {"Panel5", "    Support 3D :", "Label_Support_3D"},
    {"Panel7", "    Support YUV420 :", "Label_Support_YUV420"},
    {"Panel8", "    Support SCDC :", "Label_Support_SCDC"},
    {"Panel9", "    Support 600MHz :", "Label_Support_600MHz"},
    {"Panel66", "    Support HDR :", "Label_Support_HDR"},
    {"Panel10", "    Audio Formats :", "Label_Audio_Formats"},
    {"Panel11", "    Audio Max Channel :", "Label_Audio_Channel"},
    {"Panel12", "    CEC Address :", "Label_CEC_Address"},
}};

namespace {

enum Row : std::size_t {
    EdidHeaderRow,
    EdidChecksumRow,
    ManufacNameRow,
    MonitorNameRow,
    MaxResolutionRow,
    MaxColorDepthRow,
    Support3dRow,
    SupportYuv420Row,
    SupportScdcRow,
    Support600MhzRow,
    SupportHdrRow,
    AudioFormatsRow,
    AudioChannelRow,
    CecAddressRow,
};

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

const std::string& EdidSummary::text(const std::string& label) const {
    static const std::string none;
    for (std::size_t i = 0; i < kSummaryRows; ++i) {
        if (label == SummaryRows[i].label)
            return texts[i];
    }
    return none;
}

void AppendAudioFormat(std::string& text, int& panel10Height, const char* word) {
    if (panel10Height < kPanel10TallHeight && text.size() > 30) {
        text += "\r\n";
        panel10Height = kPanel10TallHeight;
    }
    text += word;
}

EdidSummary SummariseEdid(const EdidInfo& info, int panel10Before) {
    EdidSummary s;
    s.panel10Height = panel10Before;
    auto& t = s.texts;

    if (info.Status & EdidStatus::ValidationMask) {
        t.fill("-");
        t[EdidHeaderRow] = "Illegal";
        return s;
    }

    t[EdidHeaderRow] = "Good";
    t[EdidChecksumRow] = "Good";
    t[ManufacNameRow] = textOf(info.Manufac_Name);
    t[MonitorNameRow] = info.Monitor_Name[0] == 0 ? "-" : textOf(info.Monitor_Name);
    t[MaxResolutionRow] = textOf(info.Max_Resolution);
    t[MaxColorDepthRow] = std::to_string(info.Max_Color_Depth) + "bit";
    t[Support3dRow] = yesNo(info.Flags & 0x0008);
    t[SupportYuv420Row] = yesNo(info.Support_YUV420 == 1);
    t[SupportScdcRow] = yesNo(info.Support_SCDC == 1);
    t[Support600MhzRow] = yesNo(info.Support_600MHz == 1);

    if (info.Hf_Dc420 == 0) {
        t[SupportHdrRow] = "No";
    } else {
        t[SupportHdrRow].clear();
        for (const FlagWord& w : kHdrWords) {
            if (info.Hf_Dc420 & w.bit)
                t[SupportHdrRow] += w.word;
        }
    }

    t[AudioFormatsRow].clear();
    s.panel10Height = kPanel10Height;
    for (const FlagWord& w : kAudioWords) {
        if (info.Audio_Formats & w.bit)
            AppendAudioFormat(t[AudioFormatsRow], s.panel10Height, w.word);
    }

    t[AudioChannelRow] = std::to_string(info.Audio_Max_Channel) + "CH";

    char cec[8];
    std::snprintf(cec, sizeof cec, "%02X%02X", info.Cec_Address[0], info.Cec_Address[1]);
    t[CecAddressRow] = cec;
    return s;
}

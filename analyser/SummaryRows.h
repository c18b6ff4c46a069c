#pragma once
#include "EdidSummary.h"

#include <array>

// The analyser page's fourteen rows in the "Informations" group, top to bottom: the
// widget names of each item's panel and of the label that shows its text.
struct SummaryRow {
    SummaryItem item;
    const char* panel; // the row's panel, e.g. "Panel1"
    const char* label; // the label that shows the item, e.g. "Label_Edid_Header"
};

inline constexpr std::array<SummaryRow, kSummaryItems> SummaryRows = {{
    {SummaryItem::EdidHeader, "Panel1", "Label_Edid_Header"},
    {SummaryItem::EdidChecksum, "Panel42", "Label_Edid_Checksum"},
    {SummaryItem::Manufacturer, "Panel2", "Label_Manufac_Name"},
    {SummaryItem::MonitorName, "Panel3", "Label_Monitor_Name"},
    {SummaryItem::MaxResolution, "Panel4", "Label_Max_Resolution"},
    {SummaryItem::MaxColorDepth, "Panel6", "Label_Max_ColorDepth"},
    {SummaryItem::Support3d, "Panel5", "Label_Support_3D"},
    {SummaryItem::SupportYuv420, "Panel7", "Label_Support_YUV420"},
    {SummaryItem::SupportScdc, "Panel8", "Label_Support_SCDC"},
    {SummaryItem::Support600Mhz, "Panel9", "Label_Support_600MHz"},
    {SummaryItem::SupportHdr, "Panel66", "Label_Support_HDR"},
    {SummaryItem::AudioFormats, "Panel10", "Label_Audio_Formats"},
    {SummaryItem::AudioChannels, "Panel11", "Label_Audio_Channel"},
    {SummaryItem::CecAddress, "Panel12", "Label_CEC_Address"},
}};

// Heights of Panel10, the audio formats row: tall while its text takes two lines.
constexpr int kPanel10Height = 23;
constexpr int kPanel10TallHeight = 38;

// Panel10's height once `summary` is shown on a row that was `before` pixels high: an
// invalid record leaves the row as it was.
inline int Panel10HeightAfter(const EdidSummary& summary, int before) {
    if (!summary.valid)
        return before;
    return summary.text(SummaryItem::AudioFormats).find("\r\n") == std::string::npos
               ? kPanel10Height
               : kPanel10TallHeight;
}

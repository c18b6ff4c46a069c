#include "SummaryOutput.h"

#include "Json.h"
#include "TerminalText.h"

#include <ostream>

void PrintSummaryJson(std::ostream& out, const char* key, const std::string& name,
                      const EdidSummary& summary) {
    out << "{\"" << key << "\": " << JsonTextString(name) << ", \"summary\": {";
    for (const SummaryItemNames& names : SummaryItemTable) {
        out << (names.item == SummaryItem::EdidHeader ? "" : ", ") << '"' << names.key
            << "\": " << JsonLatin1String(summary.text(names.item));
    }
    out << "}}\n";
}

void PrintSummaryTable(std::ostream& out, const std::string& title, const EdidSummary& summary) {
    constexpr std::size_t kCaptionWidth = 26;
    out << TerminalText(title) << "\n";
    for (const SummaryItemNames& names : SummaryItemTable) {
        const std::string caption = names.caption;
        out << caption << std::string(kCaptionWidth - caption.size(), ' ');
        // The audio formats may hold one "\r\n" break: continue under the value column.
        const std::string& text = summary.text(names.item);
        std::size_t start = 0;
        for (std::size_t brk; (brk = text.find("\r\n", start)) != std::string::npos;
             start = brk + 2) {
            out << Latin1TerminalText(text.substr(start, brk - start)) << "\n"
                << std::string(kCaptionWidth, ' ');
        }
        out << Latin1TerminalText(text.substr(start)) << "\n";
    }
}

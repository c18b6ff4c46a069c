#include "SummaryDiff.h"

std::vector<SummaryDifference> DiffSummaries(const EdidSummary& a, const EdidSummary& b) {
    std::vector<SummaryDifference> differences;
    for (std::size_t i = 0; i < kSummaryItems; ++i) {
        if (a.texts[i] != b.texts[i])
            differences.push_back({&SummaryItemTable[i], a.texts[i], b.texts[i]});
    }
    return differences;
}

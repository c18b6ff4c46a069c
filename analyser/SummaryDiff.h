#pragma once
#include "EdidSummary.h"

#include <string>
#include <vector>

// An item of the analyser's summary whose text differs between two EDIDs.
struct SummaryDifference {
    const SummaryItemNames* item; // its names: JSON key and caption
    std::string a;
    std::string b;
};

// The items that differ, top to bottom.
std::vector<SummaryDifference> DiffSummaries(const EdidSummary& a, const EdidSummary& b);

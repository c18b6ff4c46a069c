#pragma once
#include "EdidSummary.h"

#include <iosfwd>
#include <string>

// The analyser's fourteen items on a console, for files and device EDIDs alike.

// One JSON object on one line: {"<key>": <name>, "summary": {"edid_header": ..., ...}}.
void PrintSummaryJson(std::ostream& out, const char* key, const std::string& name,
                      const EdidSummary& summary);

// `title` on its own line, then one row per item: caption, then the text.
void PrintSummaryTable(std::ostream& out, const std::string& title, const EdidSummary& summary);

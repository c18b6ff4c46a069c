#pragma once
#include "EdidInput.h"

class Reporter;

// Starts the log anew with how reading an EDID file went: "Edid Open OK." or the
// input's own message. True when the input was read.
bool LogEdidOpen(Reporter& reporter, const EdidInput& input);

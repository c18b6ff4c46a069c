#pragma once
#include "CreatorFields.h"

#include <optional>
#include <string>

class CreatorModel;

// The input rule of an edit, run after its text changed: it checks a text (the edit's
// own, or for the CEC address the manufacturer name's) against its limit and shows the
// verdict in the warning line and in that edit's colour, red when over the limit. A rule
// never changes a text and never refuses one; a text it finds silent (empty, a year still
// being typed) leaves everything as it was. Returns the message of a number that did not
// convert; the rule then ended there.
std::optional<std::string> RunInputRule(CreatorModel& model, CreatorEdit changed);

#pragma once
#include "CreatorFields.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The input rule of an edit, run after its text changed: it checks a text (the edit's
// own, or for the CEC address the manufacturer name's) against its limit and shows the
// verdict in the warning line and in that edit's colour, red when over the limit. A rule
// never changes a text and never refuses one; a text it finds silent (empty, a year still
// being typed) leaves everything as it was.
struct InputVerdict {
    CreatorEdit checked; // the edit whose text was checked; it takes `colour`
    std::uint32_t colour = 0;
    QString warning; // empty within the limit
};
struct InputRuleResult {
    std::optional<InputVerdict> verdict; // nothing to show: no rule, or a silent text
    std::optional<std::string> error;    // a number did not convert; the rule ended there
};
InputRuleResult RunInputRule(CreatorEdit changed,
                             const std::function<const QString&(CreatorEdit)>& textOf);

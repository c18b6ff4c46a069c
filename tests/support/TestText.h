#pragma once
// Looks into the texts the tests read back (logs, outputs).
#include <string>

namespace TestText {

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// How many times `what` begins in `text`, overlapping ones counted.
inline int occurrences(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

} // namespace TestText

#pragma once
#include "EdidInfo.h"

#include <string>
#include <vector>

// One field of a decoded record, named as the record names it. Numbers and arrays of
// numbers are given as their JSON text ("4660", "[1, 2]", "[[0, 1], [2, 3]]"); a
// character field is given as its bytes up to the terminating zero, with `isText` set.
struct RecordField {
    const char* name;
    std::string value;
    bool isText = false;
};

// Every field of `record` in record order. The spare byte after Hdr_Dcld is not a
// field of its own and is left out.
std::vector<RecordField> RecordFields(const EdidInfo& record);

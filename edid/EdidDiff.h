#pragma once
#include "EdidInfo.h"
#include "EdidRecordFields.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A byte whose value differs between two images.
struct ByteDifference {
    std::size_t offset; // 0..255; offset / 128 is its block
    std::uint8_t a;
    std::uint8_t b;
};

// The bytes that differ, in offset order.
std::vector<ByteDifference> DiffImages(const EdidImage& a, const EdidImage& b);

// A decoded field whose value differs between two records.
struct FieldDifference {
    RecordField a;
    RecordField b;
};

// The fields of two decoded records that differ, in record order. The image is left
// out: its bytes are what DiffImages compares.
std::vector<FieldDifference> DiffRecords(const EdidInfo& a, const EdidInfo& b);

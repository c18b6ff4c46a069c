#include "EdidDiff.h"

#include <cstring>

std::vector<ByteDifference> DiffImages(const EdidImage& a, const EdidImage& b) {
    std::vector<ByteDifference> differences;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            differences.push_back({i, a[i], b[i]});
    }
    return differences;
}

std::vector<FieldDifference> DiffRecords(const EdidInfo& a, const EdidInfo& b) {
    const std::vector<RecordField> fieldsA = RecordFields(a);
    const std::vector<RecordField> fieldsB = RecordFields(b);
    std::vector<FieldDifference> differences;
    for (std::size_t i = 0; i < fieldsA.size(); ++i) {
        if (std::strcmp(fieldsA[i].name, "Image") != 0 && fieldsA[i].value != fieldsB[i].value)
            differences.push_back({fieldsA[i], fieldsB[i]});
    }
    return differences;
}

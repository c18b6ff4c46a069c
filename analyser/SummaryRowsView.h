#pragma once
#include "SummaryRows.h"

#include <array>

class QGroupBox;
class QLabel;

// The fourteen rows of the "Informations" group: a 23-pixel panel per item, its caption
// at the left and the label the analyser fills at its right. Rows stack top to bottom,
// so when the audio formats row grows the rows below it move down.
class SummaryRowsView {
public:
    explicit SummaryRowsView(QGroupBox& group);

    void show(const EdidSummary& summary);

private:
    std::array<QLabel*, kSummaryItems> labels_{};
    QLabel* audioPanel_ = nullptr;
};

#pragma once
#include "EdidInfo.h"
#include "SummaryRowsView.h"

#include <QObject>

#include <array>

class DeviceLink;
class Prompts;
class QGroupBox;
class QRadioButton;

// The handlers of the "EDID Analyzer" page and the records of the three device EDIDs.
class EdidAnalyserPage : public QObject {
public:
    // `radios`: Internal, External, User, Bin File.
    EdidAnalyserPage(DeviceLink& link, Prompts& prompts, const std::array<QRadioButton*, 4>& radios,
                     QGroupBox& informations, QObject* parent = nullptr);

    void RadioButton_Analysis_IntEdidClick();
    void RadioButton_Analysis_ExtEdidClick();
    void RadioButton_Analysis_UserEdidClick();
    void RadioButton_Analysis_BinMouseDown();

    // Decodes `source` into `record` and shows its summary.
    void AnalyseEdid(EdidInfo& record, const EdidImage& source);
    // Disables the four radio buttons, or enables them again while a device is connected
    // (a disconnect during an analysis leaves them off).
    void SetAnalysisBusy(bool busy);

    EdidInfo IntEdidInfo{};
    EdidInfo ExtEdidInfo{};
    EdidInfo UserEdidInfo{};

private:
    void analyseDevice(std::size_t source, EdidInfo& record);

    DeviceLink& link_;
    Prompts& prompts_;
    std::array<QRadioButton*, 4> radios_;
    SummaryRowsView rows_;
};

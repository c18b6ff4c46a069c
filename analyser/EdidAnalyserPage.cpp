#include "EdidAnalyserPage.h"

#include "DeviceEdidRead.h"
#include "DeviceLink.h"
#include "EdidDecoder.h"
#include "EdidOpenDialog.h"
#include "EdidOpenLog.h"
#include "Prompts.h"
#include "Reporter.h"

#include <QRadioButton>

namespace {

constexpr std::size_t BinRadio = 3;

} // namespace

EdidAnalyserPage::EdidAnalyserPage(DeviceLink& link, Prompts& prompts,
                                   const std::array<QRadioButton*, 4>& radios,
                                   QGroupBox& informations, QObject* parent)
    : QObject(parent), link_(link), prompts_(prompts), radios_(radios), rows_(informations) {}

void EdidAnalyserPage::RadioButton_Analysis_IntEdidClick() {
    analyseDevice(0, IntEdidInfo);
}
void EdidAnalyserPage::RadioButton_Analysis_ExtEdidClick() {
    analyseDevice(1, ExtEdidInfo);
}
void EdidAnalyserPage::RadioButton_Analysis_UserEdidClick() {
    analyseDevice(2, UserEdidInfo);
}

void EdidAnalyserPage::analyseDevice(std::size_t source, EdidInfo& record) {
    if (!radios_[source]->isChecked())
        return;
    const BusyGuard::Operation operation = link_.tryBeginOperation();
    if (!operation)
        return;
    SetAnalysisBusy(true);
    ReadDeviceEdid(link_, DeviceEdids[source], record, operation);
    AnalyseEdid(record, record.Image);
    SetAnalysisBusy(false);
}

void EdidAnalyserPage::RadioButton_Analysis_BinMouseDown() {
    const BusyGuard::Operation operation = link_.tryBeginOperation();
    if (!operation)
        return;
    radios_[BinRadio]->setChecked(true);
    SetAnalysisBusy(true);
    link_.markAlive();
    if (const auto chosen = ChooseEdidFile(prompts_)) {
        EdidInfo file{};
        const EdidInput input = ReadEdidFileAs(chosen->path, chosen->reading);
        if (LogEdidOpen(link_.reporter(), input)) {
            file.Image = input.image;
            AnalyseEdid(file, file.Image);
        }
    }
    SetAnalysisBusy(false);
}

void EdidAnalyserPage::AnalyseEdid(EdidInfo& record, const EdidImage& source) {
    DecodeEdid(record, source);
    rows_.show(SummariseEdid(record));
}

void EdidAnalyserPage::SetAnalysisBusy(bool busy) {
    const bool enabled = !busy && link_.connection() == Connection::Connected;
    for (QRadioButton* radio : radios_)
        radio->setEnabled(enabled);
}

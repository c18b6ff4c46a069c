#include "User_interface.h"

#include "BusyPressFilter.h"
#include "EdidAnalyserPage.h"
#include "MouseDown.h"

#include <QGroupBox>
#include <QRadioButton>

void TForm1::wireAnalyser() {
    const std::array<QRadioButton*, 4> radios = {
        control<QRadioButton>("RadioButton_Analysis_IntEdid"),
        control<QRadioButton>("RadioButton_Analysis_ExtEdid"),
        control<QRadioButton>("RadioButton_Analysis_UserEdid"),
        control<QRadioButton>("RadioButton_Analysis_Bin"),
    };
    auto* page =
        new EdidAnalyserPage(link(), prompts(), radios, *control<QGroupBox>("GroupBox5"), this);
    connect(radios[0], &QRadioButton::clicked, page,
            &EdidAnalyserPage::RadioButton_Analysis_IntEdidClick);
    connect(radios[1], &QRadioButton::clicked, page,
            &EdidAnalyserPage::RadioButton_Analysis_ExtEdidClick);
    connect(radios[2], &QRadioButton::clicked, page,
            &EdidAnalyserPage::RadioButton_Analysis_UserEdidClick);
    onMouseDownQueued(radios[3], [page] { page->RadioButton_Analysis_BinMouseDown(); });
    // While another operation runs, a press would only move the check mark.
    for (QRadioButton* radio : radios)
        radio->installEventFilter(new BusyPressFilter(link(), radio));
}

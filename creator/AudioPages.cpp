// The audio pages: Audio1 (L-PCM and the speaker grid) and Audio2 (a scrolling list of
// collapsible format rows).
#include "AudioRows.h"
#include "AudioScrollBox.h"
#include "CaptionPanel.h"
#include "CreatorBindings.h"
#include "CreatorPages.h"
#include "PageNames.h"
#include "PageRows.h"
#include "PanelLookup.h"
#include "RowStack.h"
#include "SpeakerGrid.h"

#include <SadFormats.h>

#include <ControlFactory.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace CreatorPages {

namespace {

constexpr int kGroupWidth = 421;
constexpr int kScrollBoxHeight = 289;
constexpr int kRowListHeight = 420;

// The seven frequency boxes of a format in two lines from (left, top).
void frequencyBoxes(QWidget* parent, BoxFamily family, int left, int top) {
    constexpr int kPerLine = 4;
    constexpr int kPitch = 76;
    for (int i = 0; i < static_cast<int>(CreatorFrequencyCaptions.size()); ++i) {
        ControlFactory::checkBox(parent, CreatorBindings::boxName(family, i + 1).constData(),
                                 QString::fromLatin1(CreatorFrequencyCaptions[i]),
                                 left + (i % kPerLine) * kPitch, top + (i / kPerLine) * 22,
                                 kPitch - 4, PageRows::kBoxHeight);
    }
}

// A small edit with its label before it; returns the right edge of the pair.
int labelledEdit(QWidget* parent, const char* caption, CreatorEdit edit, int left, int top,
                 int width) {
    QLabel* label = ControlFactory::label(parent, "", QString::fromLatin1(caption), left, top + 3);
    const int editLeft = left + label->width() + 6;
    ControlFactory::edit(parent, CreatorBindings::editName(edit), QString(), editLeft, top, width,
                         PageRows::kEditHeight);
    return editLeft + width;
}

void lpcmGroup(QWidget* page) {
    QGroupBox* group = ControlFactory::groupBox(page, "GroupBox7", QStringLiteral("L-PCM"), 4, 2,
                                                kGroupWidth, 100);
    ControlFactory::checkBox(group, CreatorBindings::boxName(BoxFamily::AudioFormat, 1).constData(),
                             QStringLiteral("Basic"), 12, 26, 60, PageRows::kBoxHeight);
    // A member of the audio-format family only; it stands for no control of its own.
    ControlFactory::checkBox(group, CreatorBindings::boxName(BoxFamily::AudioFormat, 2).constData(),
                             QString(), 12, 26, 16, PageRows::kBoxHeight)
        ->setVisible(false);
    labelledEdit(group, "MaxCH", CreatorEdit::LpcmMaxCh, 80, 25, 28);
    ControlFactory::label(group, "", QStringLiteral("Sample Bit"), 164, 28);
    PageRows::placeBoxes(group,
                         {{{BoxFamily::LpcmSampleSize, 1}, "24Bit"},
                          {{BoxFamily::LpcmSampleSize, 2}, "20Bit"},
                          {{BoxFamily::LpcmSampleSize, 3}, "16Bit"}},
                         226, 26, 58);
    ControlFactory::label(group, "", QStringLiteral("Sample Freq"), 12, 54);
    frequencyBoxes(group, BoxFamily::LpcmFreq, 90, 52);
}

void speakerGroup(QWidget* page) {
    QGroupBox* group = ControlFactory::groupBox(
        page, "GroupBox6", QStringLiteral("Speaker Placement"), 4, 106, kGroupWidth, 150);
    SpeakerGrid::build(group, findControl<QLabel>(*page, "Label5"),
                       findControl<QLabel>(*page, "Label6"));
}

// One format row: caption, "Yes" and "For Detail" on its first line; channels, bit rate
// and frequencies below, seen while the row is expanded.
CaptionPanel* formatRow(QWidget* list, const CreatorAudioFormat& format) {
    auto* row = new CaptionPanel(list, QString::fromLatin1(format.caption));
    row->setObjectName(QString::fromLatin1(format.panel));
    const SadFormat& sad = SadFormatOfBox(format.yesBox);
    const int boxTop = (CaptionPanel::kLineHeight - PageRows::kBoxHeight) / 2;
    PageRows::placeBoxes(row,
                         {{{BoxFamily::AudioFormat, format.yesBox}, "Yes"},
                          {{BoxFamily::AudioDetail, format.yesBox}, "For Detail"}},
                         150, boxTop, 90);

    const int right = labelledEdit(row, "MaxCH", sad.maxCh, 20, 30, 28);
    if (format.hasBitRate) {
        const int rateRight = labelledEdit(row, "BitRate", sad.bitRate, right + 24, 30, 50);
        ControlFactory::label(row, "", QStringLiteral("KHz"), rateRight + 6, 33);
    }
    frequencyBoxes(row, sad.frequencies, 20, 58);
    return row;
}

} // namespace

void buildAudio1Page(QWidget* page) {
    lpcmGroup(page);
    speakerGroup(page);
}

void buildAudio2Page(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scrollBox = new AudioScrollBox(page);
    scrollBox->setObjectName(QString::fromLatin1(PageNames::Audio2List));
    scrollBox->setFixedHeight(kScrollBoxHeight);
    layout->addWidget(scrollBox);
    layout->addStretch();

    auto* list = new RowStack(scrollBox);
    list->setObjectName(QStringLiteral("Panel41"));
    list->setFixedHeight(kRowListHeight);
    for (const CreatorAudioFormat& format : CreatorAudioFormats)
        list->add(formatRow(list, format));
    scrollBox->setWidget(list);
    scrollBox->setWidgetResizable(true);
}

} // namespace CreatorPages

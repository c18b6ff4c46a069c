#include "CreatorPanel.h"

#include "AudioScrollBox.h"
#include "CaptionPanel.h"
#include "CreatorPages.h"
#include "CreatorRules.h"
#include "CreatorTables.h"
#include "PanelLookup.h"
#include "SpeakerGrid.h"
#include "UpperCaseTyping.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QTabWidget>

namespace {

constexpr int kExpandedAudioRow = 110;
constexpr int kExpandedHdrRow = 156;

struct PageBuilder {
    const char* page;
    void (*build)(QWidget* page);
};

const PageBuilder kPages[] = {
    {"TabSheet5", CreatorPages::buildDescriptorPage},
    {"TabSheet6", CreatorPages::buildPcTimingPage},
    {"TabSheet7", CreatorPages::buildVideoPage},
    {"TabSheet8", CreatorPages::buildAudio1Page},
    {"TabSheet11", CreatorPages::buildAudio2Page},
    {"TabSheet9", CreatorPages::buildColorSpacePage},
    {"TabSheet12", CreatorPages::buildOthersPage},
};

} // namespace

CreatorPanel::CreatorPanel(QTabWidget& pages, QLabel& warning, Prompts& prompts)
    : QObject(&pages), pages_(pages) {
    for (const PageBuilder& builder : kPages)
        builder.build(findControl<QWidget>(pages, builder.page));
    scrollBox_ = findControl<AudioScrollBox>(pages, "ScrollBox1");
    for (const char* name : {"Edit_Creator_Manufac_Name", "Edit_Creator_CEC_Address"})
        new UpperCaseTyping(findControl<QLineEdit>(pages, name));

    new CreatorRules(pages, warning, prompts);
    connectSpeakerPairs();
    connectAudioRows();
    connectHdrRow();
    findControl<QWidget>(pages, "TabSheet11")->installEventFilter(this);
}

bool CreatorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show)
        TabSheet11Show();
    return QObject::eventFilter(watched, event);
}

void CreatorPanel::TabSheet11Show() {
    scrollBox_->setFocus();
}

// CheckBox_SpeakerPosition_1Click, _1rClick ... _11rClick: each box of a pair sets its partner to
// its own state; the partner's rule then finds the first box already in that state, so the exchange
// ends after one step.
void CreatorPanel::connectSpeakerPairs() {
    for (const SpeakerSpec& speaker : SpeakerBoxes) {
        if (!speaker.partnerCaption)
            continue;
        const QByteArray name = "CheckBox_SpeakerPosition_" + QByteArray::number(speaker.number);
        auto* left = findControl<QCheckBox>(pages_, name);
        auto* right = findControl<QCheckBox>(pages_, name + 'r');
        connect(left, &QCheckBox::toggled, right, &QCheckBox::setChecked);
        connect(right, &QCheckBox::toggled, left, &QCheckBox::setChecked);
    }
}

// CheckBox_AudioFormat_3Click ... _9Click and CheckBox_AudDetail_AC3Click ... _OBAClick:
// "For Detail" expands its row; unticking "Yes" unticks "For Detail" and so collapses it.
void CreatorPanel::connectAudioRows() {
    for (const CreatorAudioFormat& format : CreatorAudioFormats) {
        auto* yes = findControl<QCheckBox>(pages_, "CheckBox_AudioFormat_" +
                                                       QByteArray::number(format.yesBox));
        auto* detail =
            findControl<QCheckBox>(pages_, QByteArray("CheckBox_AudDetail_") + format.key);
        findControl<CaptionPanel>(pages_, format.panel)->expandWith(detail, kExpandedAudioRow);
        connect(yes, &QCheckBox::toggled, detail, [detail](bool ticked) {
            if (!ticked)
                detail->setChecked(false);
        });
    }
}

// CheckBox_HDR_DetailClick.
void CreatorPanel::connectHdrRow() {
    findControl<CaptionPanel>(pages_, "Panel31")
        ->expandWith(findControl<QCheckBox>(pages_, "CheckBox_HDR_Detail"), kExpandedHdrRow);
}

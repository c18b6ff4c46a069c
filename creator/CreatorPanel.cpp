#include "CreatorPanel.h"

#include "AudioScrollBox.h"
#include "CaptionPanel.h"
#include "CreatorPages.h"
#include "CreatorRules.h"
#include "CreatorTables.h"
#include "SpeakerGrid.h"
#include "UpperCaseTyping.h"

#include <QCheckBox>
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

template <class T> T* find(QObject& root, const QByteArray& name) {
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    Q_ASSERT(found);
    return found;
}

} // namespace

CreatorPanel::CreatorPanel(QTabWidget& pages, QLabel& warning, Prompts& prompts)
    : QObject(&pages), pages_(pages) {
    for (const PageBuilder& builder : kPages)
        builder.build(find<QWidget>(pages, builder.page));
    scrollBox_ = find<AudioScrollBox>(pages, "ScrollBox1");
    for (const char* name : {"Edit_Creator_Manufac_Name", "Edit_Creator_CEC_Address"})
        new UpperCaseTyping(find<QLineEdit>(pages, name));

    new CreatorRules(pages, warning, prompts);
    connectSpeakerPairs();
    connectAudioRows();
    connectHdrRow();
    QWidget* audio2 = find<QWidget>(pages, "TabSheet11");
    connect(&pages, &QTabWidget::currentChanged, this, [this, audio2] {
        if (pages_.currentWidget() == audio2)
            TabSheet11Show();
    });
}

void CreatorPanel::TabSheet11Show() {
    scrollBox_->setFocus();
}

// Each box of a pair sets its partner to its own state; the partner's rule then finds
// the first box already in that state, so the exchange ends after one step.
void CreatorPanel::connectSpeakerPairs() {
    for (const SpeakerSpec& speaker : SpeakerBoxes) {
        if (!speaker.partnerCaption)
            continue;
        const QByteArray name = "CheckBox_SpeakerPosition_" + QByteArray::number(speaker.number);
        auto* left = find<QCheckBox>(pages_, name);
        auto* right = find<QCheckBox>(pages_, name + 'r');
        connect(left, &QCheckBox::toggled, right, &QCheckBox::setChecked);
        connect(right, &QCheckBox::toggled, left, &QCheckBox::setChecked);
    }
}

// "For Detail" expands its row; unticking "Yes" unticks "For Detail" and so collapses it.
void CreatorPanel::connectAudioRows() {
    for (const CreatorAudioFormat& format : CreatorAudioFormats) {
        auto* yes =
            find<QCheckBox>(pages_, "CheckBox_AudioFormat_" + QByteArray::number(format.yesBox));
        auto* detail = find<QCheckBox>(pages_, QByteArray("CheckBox_AudDetail_") + format.key);
        find<CaptionPanel>(pages_, format.panel)->expandWith(detail, kExpandedAudioRow);
        connect(yes, &QCheckBox::toggled, detail, [detail](bool ticked) {
            if (!ticked)
                detail->setChecked(false);
        });
    }
}

void CreatorPanel::connectHdrRow() {
    find<CaptionPanel>(pages_, "Panel31")
        ->expandWith(find<QCheckBox>(pages_, "CheckBox_HDR_Detail"), kExpandedHdrRow);
}

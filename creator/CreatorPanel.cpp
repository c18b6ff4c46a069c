#include "CreatorPanel.h"

#include "AudioRows.h"
#include "AudioScrollBox.h"
#include "CaptionPanel.h"
#include "CreatorBindings.h"
#include "CreatorPages.h"
#include "PageNames.h"
#include "PanelLookup.h"

#include <Colour.h>
#include <Prompts.h>

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTabWidget>

namespace {

constexpr int kExpandedAudioRow = 110;
constexpr int kExpandedHdrRow = 156;

struct PageBuilder {
    const char* page;
    void (*build)(QWidget* page);
};

const char* const kAudio2Page = "TabSheet11";

const PageBuilder kPages[] = {
    {"TabSheet5", CreatorPages::buildDescriptorPage},
    {"TabSheet6", CreatorPages::buildPcTimingPage},
    {"TabSheet7", CreatorPages::buildVideoPage},
    {"TabSheet8", CreatorPages::buildAudio1Page},
    {kAudio2Page, CreatorPages::buildAudio2Page},
    {"TabSheet9", CreatorPages::buildColorSpacePage},
    {"TabSheet12", CreatorPages::buildOthersPage},
};

} // namespace

CreatorPanel::CreatorPanel(QTabWidget& pages, QLabel& warning, Prompts& prompts)
    : QObject(&pages), pages_(pages), warning_(warning), prompts_(prompts) {
    for (const PageBuilder& builder : kPages)
        builder.build(findControl<QWidget>(pages, builder.page));
    scrollBox_ = findControl<AudioScrollBox>(pages, PageNames::Audio2List);
    bindEdits();
    bindBoxes();
    connectAudioRows();
    connectHdrRow();
    showModel();
    findControl<QWidget>(pages, kAudio2Page)->installEventFilter(this);
}

void CreatorPanel::bindEdits() {
    for (int i = 0; i < CreatorEditCount; ++i) {
        const auto edit = static_cast<CreatorEdit>(i);
        QLineEdit* control = findControl<QLineEdit>(pages_, CreatorBindings::editName(edit));
        edits_[static_cast<std::size_t>(i)] = control;
        connect(control, &QLineEdit::textChanged, this,
                [this, edit, control] { editChanged(edit, *control); });
    }
}

void CreatorPanel::bindBoxes() {
    for (int f = 0; f < BoxFamilyCount; ++f) {
        const auto family = static_cast<BoxFamily>(f);
        for (int number : BoxNumbers(family)) {
            const CreatorBox box{family, number};
            auto* control = findControl<QCheckBox>(pages_, CreatorBindings::boxName(box));
            boxes_.emplace_back(box, control);
            connect(control, &QCheckBox::toggled, this,
                    [this, box](bool ticked) { boxToggled(box, ticked); });
        }
    }
}

// The rule runs on the text as the model holds it: for an upper-case edit that is the
// arrived text in capitals, however it arrived.
void CreatorPanel::editChanged(CreatorEdit edit, QLineEdit& control) {
    if (showing_)
        return;
    const QString arrived = control.text();
    const QString text = CreatorBindings::upperCase(edit) ? arrived.toUpper() : arrived;
    const int cursor = control.cursorPosition();
    if (const std::optional<std::string> failure = model_.setText(edit, text))
        prompts_.showError(*failure);
    showModel();
    // Showing the capitals put the cursor at the end; it goes back where the text left it.
    if (control.text() != arrived)
        control.setCursorPosition(cursor);
}

void CreatorPanel::boxToggled(CreatorBox box, bool ticked) {
    if (showing_)
        return;
    model_.setChecked(box, ticked);
    showModel();
}

void CreatorPanel::showModel() {
    const QScopedValueRollback<bool> showing(showing_, true);
    for (int i = 0; i < CreatorEditCount; ++i) {
        const auto edit = static_cast<CreatorEdit>(i);
        QLineEdit& control = *edits_[static_cast<std::size_t>(i)];
        if (control.text() != model_.text(edit))
            control.setText(model_.text(edit));
        if (const std::optional<std::uint32_t> bgr = model_.textColour(edit)) {
            const QColor colour = colourFromBgr(*bgr);
            if (control.palette().color(QPalette::Text) != colour) {
                QPalette palette = control.palette();
                palette.setColor(QPalette::Text, colour);
                control.setPalette(palette);
            }
        }
    }
    for (const auto& [box, control] : boxes_)
        control->setChecked(model_.checked(box));
    if (warning_.text() != model_.warning())
        warning_.setText(model_.warning());
}

bool CreatorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show)
        TabSheet11Show();
    return QObject::eventFilter(watched, event);
}

void CreatorPanel::TabSheet11Show() {
    scrollBox_->setFocus();
}

// CheckBox_AudDetail_AC3Click ... _OBAClick: "For Detail" expands its row.
void CreatorPanel::connectAudioRows() {
    for (const CreatorAudioFormat& format : CreatorAudioFormats) {
        auto* detail = findControl<QCheckBox>(
            pages_, CreatorBindings::boxName(BoxFamily::AudioDetail, format.yesBox));
        findControl<CaptionPanel>(pages_, format.panel)->expandWith(detail, kExpandedAudioRow);
    }
}

// CheckBox_HDR_DetailClick.
void CreatorPanel::connectHdrRow() {
    findControl<CaptionPanel>(pages_, PageNames::HdrRow)
        ->expandWith(
            findControl<QCheckBox>(pages_, CreatorBindings::boxName(BoxFamily::HdrDetail, 1)),
            kExpandedHdrRow);
}

#include "SummaryRowsView.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Where the value labels begin: right of the longest caption.
constexpr int CaptionWidth = 150;

QString forDisplay(const std::string& text) {
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    shown.remove(QLatin1Char('\r'));
    return shown;
}

QFont plainFont(const QWidget& like) {
    QFont font = like.font();
    font.setPointSize(8);
    font.setBold(false);
    return font;
}

} // namespace

SummaryRowsView::SummaryRowsView(QGroupBox& group) {
    auto* rows = new QVBoxLayout(&group);
    // Thirteen short rows and a tall one just fit below the title: no vertical margins.
    rows->setContentsMargins(5, 0, 5, 0);
    rows->setSpacing(0);
    for (std::size_t i = 0; i < kSummaryItems; ++i) {
        const SummaryRow& row = SummaryRows[i];
        const char* caption = SummaryItemTable[static_cast<std::size_t>(row.item)].caption;
        auto* panel = new QLabel(QString::fromLatin1(caption), &group);
        panel->setObjectName(QString::fromLatin1(row.panel));
        panel->setFont(plainFont(group));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        panel->setFixedHeight(kPanel10Height);

        auto* value = new QLabel(panel);
        value->setObjectName(QString::fromLatin1(row.label));
        value->setFont(plainFont(group));
        value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        auto* inside = new QHBoxLayout(panel);
        inside->setContentsMargins(CaptionWidth, 0, 4, 0);
        inside->addWidget(value);

        rows->addWidget(panel);
        labels_[i] = value;
        if (row.item == SummaryItem::AudioFormats)
            audioPanel_ = panel;
    }
    rows->addStretch(1);
}

void SummaryRowsView::show(const EdidSummary& summary) {
    for (std::size_t i = 0; i < kSummaryItems; ++i)
        labels_[i]->setText(forDisplay(summary.text(SummaryRows[i].item)));
    audioPanel_->setFixedHeight(Panel10HeightAfter(summary, audioPanel_->height()));
}

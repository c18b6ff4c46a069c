#include "CaptionPanel.h"

#include <QCheckBox>
#include <QLabel>

CaptionPanel::CaptionPanel(QWidget* parent, const QString& label, int lineHeight, int height)
    : QFrame(parent), caption_(new QLabel(QStringLiteral("     ") + label, this)) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    resize(width(), height > 0 ? height : lineHeight);
    caption_->adjustSize();
    caption_->move(0, (lineHeight - caption_->height()) / 2);
}

QString CaptionPanel::caption() const {
    return caption_->text();
}

void CaptionPanel::expandWith(QCheckBox* box, int expandedHeight) {
    connect(box, &QCheckBox::toggled, this, [this, expandedHeight](bool ticked) {
        resize(width(), ticked ? expandedHeight : kLineHeight);
        emit heightChanged();
    });
}

#include "HotSpotPanel.h"

#include <QMouseEvent>

HotSpotPanel::HotSpotPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
}

void HotSpotPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}

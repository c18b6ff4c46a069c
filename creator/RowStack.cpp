#include "RowStack.h"

#include <QEvent>

RowStack::RowStack(QWidget* parent) : QWidget(parent) {}

void RowStack::add(QWidget* row) {
    row->setParent(this);
    row->installEventFilter(this);
    rows_.push_back(row);
    restack();
}

bool RowStack::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched->parent() == this)
        restack();
    return QWidget::eventFilter(watched, event);
}

void RowStack::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    restack();
}

void RowStack::restack() {
    int top = 0;
    for (QWidget* row : rows_) {
        // Moving and widening a row sends it a resize event only when its width changes.
        row->setGeometry(0, top, width(), row->height());
        top += row->height();
    }
}

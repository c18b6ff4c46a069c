#include "RowStack.h"

#include "CaptionPanel.h"

RowStack::RowStack(QWidget* parent) : QWidget(parent) {}

void RowStack::add(CaptionPanel* row) {
    row->setParent(this);
    connect(row, &CaptionPanel::heightChanged, this, &RowStack::restack);
    rows_.push_back(row);
    restack();
}

void RowStack::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    restack();
}

void RowStack::restack() {
    int top = 0;
    for (CaptionPanel* row : rows_) {
        row->setGeometry(0, top, width(), row->height());
        top += row->height();
    }
}

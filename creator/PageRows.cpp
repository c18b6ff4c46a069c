#include "PageRows.h"

#include "CaptionPanel.h"
#include "CreatorBindings.h"
#include "RowStack.h"

#include <ControlFactory.h>

#include <QVBoxLayout>

namespace PageRows {

RowStack* stackOn(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* stack = new RowStack(page);
    layout->addWidget(stack);
    return stack;
}

CaptionPanel* boxRow(RowStack* stack, const QString& label, const std::vector<BoxSpec>& boxes,
                     int height, int left, int pitch) {
    auto* row = new CaptionPanel(stack, label, height);
    placeBoxes(row, boxes, left, (height - kBoxHeight) / 2, pitch);
    stack->add(row);
    return row;
}

void placeBoxes(QWidget* parent, const std::vector<BoxSpec>& boxes, int left, int top, int pitch) {
    for (const BoxSpec& box : boxes) {
        ControlFactory::checkBox(parent, CreatorBindings::boxName(box.box).constData(),
                                 QString::fromLatin1(box.caption), left, top, pitch - 4,
                                 kBoxHeight);
        left += pitch;
    }
}

} // namespace PageRows

#pragma once
#include <CreatorFields.h>

#include <QString>

#include <vector>

class CaptionPanel;
class QWidget;
class RowStack;

// A check box of a row: the model's box it shows, and its caption.
struct BoxSpec {
    CreatorBox box;
    const char* caption;
};

// Helpers shared by the editor's page builders.
namespace PageRows {

// Height of a check box and of an edit on a row.
constexpr int kBoxHeight = 19;
constexpr int kEditHeight = 21;

// The stack of rows that fills one sub-page of the editor.
RowStack* stackOn(QWidget* page);

// A row `height` high holding `boxes` left to right from `left`, `pitch` apart, centred
// on its first line.
CaptionPanel* boxRow(RowStack* stack, const QString& label, const std::vector<BoxSpec>& boxes,
                     int height, int left, int pitch);

// Places `boxes` on `parent` left to right from (left, top), `pitch` apart.
void placeBoxes(QWidget* parent, const std::vector<BoxSpec>& boxes, int left, int top, int pitch);

} // namespace PageRows

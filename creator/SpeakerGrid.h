#pragma once
#include <array>

class QLabel;
class QWidget;

// One speaker box of the "Speaker Placement" grid, and its right-hand partner when it has
// one (standing for the same bit).
struct SpeakerSpec {
    int number;
    const char* caption;
    int row;                    // 0 High, 1 Front, 2 Center, 3 Rear, 4 Low
    int column;                 // 0 and 6 Wide, 1 Left, 3 Center, 5 Right; 2 and 4 between
    const char* partnerCaption; // nullptr: no partner
    int partnerColumn;
};

inline constexpr std::array<SpeakerSpec, 11> SpeakerBoxes = {{
    {1, "FLW", 1, 0, "FRW", 6},
    {2, "RLC", 3, 2, "RRC", 4},
    {3, "FLC", 1, 2, "FRC", 4},
    {4, "RC", 3, 3, nullptr, 0},
    {5, "RL", 3, 1, "RR", 5},
    {6, "FC", 1, 3, nullptr, 0},
    {7, "LFE", 4, 3, nullptr, 0},
    {8, "FL", 1, 1, "FR", 5},
    {9, "FCH", 0, 3, nullptr, 0},
    {10, "TC", 2, 3, nullptr, 0},
    {11, "FLH", 0, 1, "FRH", 5},
}};

namespace SpeakerGrid {

// Places the speaker boxes on `group` under the column heads `heads` ("Label5") and
// beside the row titles `rowTitles` ("Label6"), whose lines give the rows' pitch.
void build(QWidget* group, QLabel* heads, QLabel* rowTitles);

} // namespace SpeakerGrid

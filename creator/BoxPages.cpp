// The pages that are plain rows of edits or check boxes: Descriptor, PC Timing,
// SD/HD/UHD and Others.
#include "CaptionPanel.h"
#include "CreatorBindings.h"
#include "CreatorPages.h"
#include "PageRows.h"
#include "RowStack.h"

#include <ControlFactory.h>

#include <QLineEdit>

namespace CreatorPages {

namespace {

using F = BoxFamily;

struct EditRow {
    const char* label;
    CreatorEdit edit;
    int width;
};

struct BoxRow {
    const char* label;
    std::vector<BoxSpec> boxes;
};

constexpr int kEditRowHeight = 32;
constexpr int kEditLeft = 150;
constexpr int kTextWidth = 240;
constexpr int kNumberWidth = 120;

void editRow(RowStack* stack, const EditRow& entry) {
    auto* row = new CaptionPanel(stack, QString::fromLatin1(entry.label), kEditRowHeight);
    ControlFactory::edit(row, CreatorBindings::editName(entry.edit), QString(), kEditLeft,
                         (kEditRowHeight - PageRows::kEditHeight) / 2, entry.width,
                         PageRows::kEditHeight);
    stack->add(row);
}

// Rows of the timing pages: their labels end in " @", the boxes carry refresh rates.
void timingRows(QWidget* page, const std::vector<BoxRow>& rows, int height) {
    RowStack* stack = PageRows::stackOn(page);
    for (const BoxRow& row : rows)
        PageRows::boxRow(stack, QString::fromLatin1(row.label) + QStringLiteral(" @"), row.boxes,
                         height, 120, 56);
}

} // namespace

void buildDescriptorPage(QWidget* page) {
    static const EditRow rows[] = {
        {"Manufacturer Name :", CreatorEdit::ManufacName, kTextWidth},
        {"Monitor Name :", CreatorEdit::MonitorName, kTextWidth},
        {"Product Code :", CreatorEdit::ProductCode, kNumberWidth},
        {"Serial Number :", CreatorEdit::SerialNumber, kNumberWidth},
        {"Manufacture Year :", CreatorEdit::ManufacYear, kNumberWidth},
        {"Manufacture Week :", CreatorEdit::ManufacWeek, kNumberWidth},
    };
    RowStack* stack = PageRows::stackOn(page);
    for (const EditRow& row : rows)
        editRow(stack, row);
}

void buildPcTimingPage(QWidget* page) {
    static const std::vector<BoxRow> rows = {
        {"640 x 480",
         {{{F::EstablishTiming, 3}, "60Hz"},
          {{F::EstablishTiming, 4}, "67Hz"},
          {{F::EstablishTiming, 5}, "72Hz"},
          {{F::EstablishTiming, 6}, "75Hz"}}},
        {"720 x 400", {{{F::EstablishTiming, 1}, "70Hz"}, {{F::EstablishTiming, 2}, "88Hz"}}},
        {"800 x 600",
         {{{F::EstablishTiming, 7}, "56Hz"},
          {{F::EstablishTiming, 8}, "60Hz"},
          {{F::EstablishTiming, 9}, "72Hz"},
          {{F::EstablishTiming, 10}, "75Hz"}}},
        {"832 x 624", {{{F::EstablishTiming, 11}, "75Hz"}}},
        {"1024 x 768",
         {{{F::EstablishTiming, 13}, "60Hz"},
          {{F::EstablishTiming, 14}, "70Hz"},
          {{F::EstablishTiming, 15}, "75Hz"},
          {{F::EstablishTiming, 12}, "87Hz"}}},
        {"1152 x 870", {{{F::EstablishTiming, 17}, "75Hz"}}},
        {"1280 x1024",
         {{{F::StandardTiming, 1}, "60Hz"},
          {{F::StandardTiming, 2}, "70Hz"},
          {{F::EstablishTiming, 16}, "75Hz"}}},
        {"1600 x1200",
         {{{F::StandardTiming, 3}, "60Hz"},
          {{F::StandardTiming, 4}, "70Hz"},
          {{F::StandardTiming, 5}, "75Hz"}}},
    };
    timingRows(page, rows, 30);
}

void buildVideoPage(QWidget* page) {
    static const std::vector<BoxRow> rows = {
        {"480i", {{{F::VideoIdCode, 6}, "60Hz"}}},
        {"480p", {{{F::VideoIdCode, 3}, "60Hz"}}},
        {"576i", {{{F::VideoIdCode, 21}, "50Hz"}}},
        {"576p", {{{F::VideoIdCode, 18}, "50Hz"}}},
        {"720p",
         {{{F::VideoIdCode, 60}, "24Hz"},
          {{F::VideoIdCode, 61}, "25Hz"},
          {{F::VideoIdCode, 62}, "30Hz"},
          {{F::VideoIdCode, 19}, "50Hz"},
          {{F::VideoIdCode, 4}, "60Hz"}}},
        {"1080i", {{{F::VideoIdCode, 20}, "50Hz"}, {{F::VideoIdCode, 5}, "60Hz"}}},
        {"1080p",
         {{{F::VideoIdCode, 32}, "24Hz"},
          {{F::VideoIdCode, 33}, "25Hz"},
          {{F::VideoIdCode, 34}, "30Hz"},
          {{F::VideoIdCode, 31}, "50Hz"},
          {{F::VideoIdCode, 16}, "60Hz"}}},
        {"4K(3G)",
         {{{F::VideoIdCode, 93}, "24Hz"},
          {{F::VideoIdCode, 94}, "25Hz"},
          {{F::VideoIdCode, 95}, "30Hz"},
          {{F::Yuv420Vdb, 96}, "50Hz"},
          {{F::Yuv420Vdb, 97}, "60Hz"}}},
        {"4K(6G)", {{{F::VideoIdCode, 96}, "50Hz"}, {{F::VideoIdCode, 97}, "60Hz"}}},
    };
    timingRows(page, rows, 28);
}

void buildOthersPage(QWidget* page) {
    RowStack* stack = PageRows::stackOn(page);
    PageRows::boxRow(stack, QStringLiteral("3D"), {{{F::Present3D, 1}, "Yes"}}, kEditRowHeight,
                     kEditLeft, 60);
    editRow(stack, {"CEC Address :", CreatorEdit::CecAddress, kNumberWidth});
}

} // namespace CreatorPages

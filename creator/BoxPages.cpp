// The pages that are plain rows of edits or check boxes: Descriptor, PC Timing,
// SD/HD/UHD and Others.
#include "CaptionPanel.h"
#include "CreatorPages.h"
#include "PageRows.h"
#include "RowStack.h"

#include <ControlFactory.h>

#include <QLineEdit>

namespace CreatorPages {

namespace {

struct EditRow {
    const char* label;
    const char* edit;
    const char* startText;
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
    ControlFactory::edit(row, entry.edit, QString::fromLatin1(entry.startText), kEditLeft,
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
        {"Manufacturer Name :", "Edit_Creator_Manufac_Name", "", kTextWidth},
        {"Monitor Name :", "Edit_Creator_Monitor_Name", "", kTextWidth},
        {"Product Code :", "Edit_Creator_Product_Code", "", kNumberWidth},
        {"Serial Number :", "Edit_Creator_Serial_Number", "", kNumberWidth},
        {"Manufacture Year :", "Edit_Creator_Manufac_Year", "", kNumberWidth},
        {"Manufacture Week :", "Edit_Creator_Manufac_Week", "", kNumberWidth},
    };
    RowStack* stack = PageRows::stackOn(page);
    for (const EditRow& row : rows)
        editRow(stack, row);
}

void buildPcTimingPage(QWidget* page) {
    static const std::vector<BoxRow> rows = {
        {"640 x 480",
         {{"CheckBox_EstablishTiming_3", "60Hz"},
          {"CheckBox_EstablishTiming_4", "67Hz"},
          {"CheckBox_EstablishTiming_5", "72Hz"},
          {"CheckBox_EstablishTiming_6", "75Hz"}}},
        {"720 x 400",
         {{"CheckBox_EstablishTiming_1", "70Hz"}, {"CheckBox_EstablishTiming_2", "88Hz"}}},
        {"800 x 600",
         {{"CheckBox_EstablishTiming_7", "56Hz"},
          {"CheckBox_EstablishTiming_8", "60Hz"},
          {"CheckBox_EstablishTiming_9", "72Hz"},
          {"CheckBox_EstablishTiming_10", "75Hz"}}},
        {"832 x 624", {{"CheckBox_EstablishTiming_11", "75Hz"}}},
        {"1024 x 768",
         {{"CheckBox_EstablishTiming_13", "60Hz"},
          {"CheckBox_EstablishTiming_14", "70Hz"},
          {"CheckBox_EstablishTiming_15", "75Hz"},
          {"CheckBox_EstablishTiming_12", "87Hz"}}},
        {"1152 x 870", {{"CheckBox_EstablishTiming_17", "75Hz"}}},
        {"1280 x1024",
         {{"CheckBox_StandardTiming_1", "60Hz"},
          {"CheckBox_StandardTiming_2", "70Hz"},
          {"CheckBox_EstablishTiming_16", "75Hz"}}},
        {"1600 x1200",
         {{"CheckBox_StandardTiming_3", "60Hz"},
          {"CheckBox_StandardTiming_4", "70Hz"},
          {"CheckBox_StandardTiming_5", "75Hz"}}},
    };
    timingRows(page, rows, 30);
}

void buildVideoPage(QWidget* page) {
    static const std::vector<BoxRow> rows = {
        {"480i", {{"CheckBox_VideoIdCode_6", "60Hz"}}},
        {"480p", {{"CheckBox_VideoIdCode_3", "60Hz"}}},
        {"576i", {{"CheckBox_VideoIdCode_21", "50Hz"}}},
        {"576p", {{"CheckBox_VideoIdCode_18", "50Hz"}}},
        {"720p",
         {{"CheckBox_VideoIdCode_60", "24Hz"},
          {"CheckBox_VideoIdCode_61", "25Hz"},
          {"CheckBox_VideoIdCode_62", "30Hz"},
          {"CheckBox_VideoIdCode_19", "50Hz"},
          {"CheckBox_VideoIdCode_4", "60Hz"}}},
        {"1080i", {{"CheckBox_VideoIdCode_20", "50Hz"}, {"CheckBox_VideoIdCode_5", "60Hz"}}},
        {"1080p",
         {{"CheckBox_VideoIdCode_32", "24Hz"},
          {"CheckBox_VideoIdCode_33", "25Hz"},
          {"CheckBox_VideoIdCode_34", "30Hz"},
          {"CheckBox_VideoIdCode_31", "50Hz"},
          {"CheckBox_VideoIdCode_16", "60Hz"}}},
        {"4K(3G)",
         {{"CheckBox_VideoIdCode_93", "24Hz"},
          {"CheckBox_VideoIdCode_94", "25Hz"},
          {"CheckBox_VideoIdCode_95", "30Hz"},
          {"CheckBox_YUV420VDB_96", "50Hz"},
          {"CheckBox_YUV420VDB_97", "60Hz"}}},
        {"4K(6G)", {{"CheckBox_VideoIdCode_96", "50Hz"}, {"CheckBox_VideoIdCode_97", "60Hz"}}},
    };
    timingRows(page, rows, 28);
}

void buildOthersPage(QWidget* page) {
    RowStack* stack = PageRows::stackOn(page);
    PageRows::boxRow(stack, QStringLiteral("3D"), {{"CheckBox_3D_Present", "Yes"}}, kEditRowHeight,
                     kEditLeft, 60);
    editRow(stack, {"CEC Address :", "Edit_Creator_CEC_Address", "0000", kNumberWidth});
}

} // namespace CreatorPages

// The Color Space page: colour formats, depths, colorimetry and the HDR row, whose
// lower part shows the HDR static metadata while it is expanded.
#include "CaptionPanel.h"
#include "CreatorPages.h"
#include "PageRows.h"
#include "RowStack.h"

#include <ControlFactory.h>

#include <QLabel>
#include <QLineEdit>

namespace CreatorPages {

namespace {

constexpr int kRowHeight = 26;
constexpr int kBoxesLeft = 95;
constexpr int kPitch = 78;
// The colorimetry names are longer than the other captions.
constexpr int kColorimetryPitch = 100;

void hdrMetadata(CaptionPanel* row) {
    ControlFactory::label(row, "", QStringLiteral("EOTFs"), 20, 30);
    static const BoxSpec eotfs[] = {{"CheckBox_HDR_EOTF_3", "SDR Luminance Range"},
                                    {"CheckBox_HDR_EOTF_2", "HDR Luminance Range"},
                                    {"CheckBox_HDR_EOTF_1", "SMPTE ST 2084"}};
    int top = 48;
    for (const BoxSpec& box : eotfs) {
        ControlFactory::checkBox(row, box.name, QString::fromLatin1(box.caption), 20, top, 160,
                                 PageRows::kBoxHeight);
        top += 22;
    }

    ControlFactory::label(row, "", QStringLiteral("Descriptor"), 200, 30);
    ControlFactory::checkBox(row, "CheckBox_HDR_Despt_1", QStringLiteral("Type 1"), 270, 28, 80,
                             PageRows::kBoxHeight);

    ControlFactory::label(row, "", QStringLiteral("Desired Content Luminance Data:"), 200, 56);
    static const char* const levels[] = {"Max", "Avg", "Min"};
    top = 74;
    for (int i = 0; i < 3; ++i) {
        ControlFactory::label(row, "", QString::fromLatin1(levels[i]), 210, top + 3);
        const QByteArray name = "Edit_HDR_DCLD_" + QByteArray::number(i + 1);
        ControlFactory::edit(row, name.constData(), QStringLiteral("    0"), 245, top, 60,
                             PageRows::kEditHeight);
        top += 25;
    }
}

} // namespace

void buildColorSpacePage(QWidget* page) {
    RowStack* stack = PageRows::stackOn(page);
    PageRows::boxRow(stack, QStringLiteral("YCbCr"),
                     {{"CheckBox_ColorSpace_1", "4:4:4"},
                      {"CheckBox_ColorSpace_2", "4:2:2"},
                      {"CheckBox_ColorSpace_3", "4:2:0"}},
                     kRowHeight, kBoxesLeft, kPitch);
    PageRows::boxRow(stack, QStringLiteral("ColorDepth"),
                     {{"CheckBox_ColorDepth_1", "16Bit"},
                      {"CheckBox_ColorDepth_2", "12Bit"},
                      {"CheckBox_ColorDepth_3", "10Bit"}},
                     kRowHeight, kBoxesLeft, kPitch);

    auto* colorimetry =
        new CaptionPanel(stack, QStringLiteral("Colorimetry"), kRowHeight, 2 * kRowHeight - 4);
    const int top = (kRowHeight - PageRows::kBoxHeight) / 2;
    PageRows::placeBoxes(colorimetry,
                         {{"CheckBox_Colorimetry_8", "xvYCC601"},
                          {"CheckBox_Colorimetry_7", "xvYCC709"},
                          {"CheckBox_Colorimetry_6", "sYCC601"}},
                         kBoxesLeft, top, kColorimetryPitch);
    PageRows::placeBoxes(
        colorimetry,
        {{"CheckBox_Colorimetry_4", "AdobeRGB"}, {"CheckBox_Colorimetry_5", "AdobeYCC601"}},
        kBoxesLeft, top + kRowHeight - 4, kColorimetryPitch);
    stack->add(colorimetry);

    PageRows::boxRow(stack, QStringLiteral("BT2020"),
                     {{"CheckBox_Colorimetry_1", "RGB"},
                      {"CheckBox_Colorimetry_2", "YCC"},
                      {"CheckBox_Colorimetry_3", "cYCC"}},
                     kRowHeight, kBoxesLeft, kPitch);

    CaptionPanel* hdr = PageRows::boxRow(stack, QStringLiteral("HDR"),
                                         {{"CheckBox_HDR_1", "16Bit"},
                                          {"CheckBox_HDR_2", "12Bit"},
                                          {"CheckBox_HDR_3", "10Bit"},
                                          {"CheckBox_HDR_Detail", "For Detail"}},
                                         CaptionPanel::kLineHeight, kBoxesLeft, kPitch);
    hdr->setObjectName(QStringLiteral("Panel31"));
    hdrMetadata(hdr);
}

} // namespace CreatorPages

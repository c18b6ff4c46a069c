// The Color Space page: colour formats, depths, colorimetry and the HDR row, whose
// lower part shows the HDR static metadata while it is expanded.
#include "CaptionPanel.h"
#include "CreatorBindings.h"
#include "CreatorPages.h"
#include "PageNames.h"
#include "PageRows.h"
#include "RowStack.h"

#include <ControlFactory.h>

#include <QLabel>
#include <QLineEdit>

namespace CreatorPages {

namespace {

using F = BoxFamily;

constexpr int kRowHeight = 26;
constexpr int kBoxesLeft = 95;
constexpr int kPitch = 78;
// The colorimetry names are longer than the other captions.
constexpr int kColorimetryPitch = 100;

void hdrMetadata(CaptionPanel* row) {
    ControlFactory::label(row, "", QStringLiteral("EOTFs"), 20, 30);
    static const BoxSpec eotfs[] = {{{F::HdrEotf, 3}, "SDR Luminance Range"},
                                    {{F::HdrEotf, 2}, "HDR Luminance Range"},
                                    {{F::HdrEotf, 1}, "SMPTE ST 2084"}};
    int top = 48;
    for (const BoxSpec& box : eotfs) {
        ControlFactory::checkBox(row, CreatorBindings::boxName(box.box).constData(),
                                 QString::fromLatin1(box.caption), 20, top, 160,
                                 PageRows::kBoxHeight);
        top += 22;
    }

    ControlFactory::label(row, "", QStringLiteral("Descriptor"), 200, 30);
    ControlFactory::checkBox(row, CreatorBindings::boxName(F::HdrDespt, 1).constData(),
                             QStringLiteral("Type 1"), 270, 28, 80, PageRows::kBoxHeight);

    ControlFactory::label(row, "", QStringLiteral("Desired Content Luminance Data:"), 200, 56);
    static const struct {
        const char* caption;
        CreatorEdit edit;
    } levels[] = {{"Max", CreatorEdit::HdrDcld1},
                  {"Avg", CreatorEdit::HdrDcld2},
                  {"Min", CreatorEdit::HdrDcld3}};
    top = 74;
    for (const auto& level : levels) {
        ControlFactory::label(row, "", QString::fromLatin1(level.caption), 210, top + 3);
        ControlFactory::edit(row, CreatorBindings::editName(level.edit), QString(), 245, top, 60,
                             PageRows::kEditHeight);
        top += 25;
    }
}

} // namespace

void buildColorSpacePage(QWidget* page) {
    RowStack* stack = PageRows::stackOn(page);
    PageRows::boxRow(stack, QStringLiteral("YCbCr"),
                     {{{F::ColorSpace, 1}, "4:4:4"},
                      {{F::ColorSpace, 2}, "4:2:2"},
                      {{F::ColorSpace, 3}, "4:2:0"}},
                     kRowHeight, kBoxesLeft, kPitch);
    PageRows::boxRow(stack, QStringLiteral("ColorDepth"),
                     {{{F::ColorDepth, 1}, "16Bit"},
                      {{F::ColorDepth, 2}, "12Bit"},
                      {{F::ColorDepth, 3}, "10Bit"}},
                     kRowHeight, kBoxesLeft, kPitch);

    auto* colorimetry =
        new CaptionPanel(stack, QStringLiteral("Colorimetry"), kRowHeight, 2 * kRowHeight - 4);
    const int top = (kRowHeight - PageRows::kBoxHeight) / 2;
    PageRows::placeBoxes(colorimetry,
                         {{{F::Colorimetry, 8}, "xvYCC601"},
                          {{F::Colorimetry, 7}, "xvYCC709"},
                          {{F::Colorimetry, 6}, "sYCC601"}},
                         kBoxesLeft, top, kColorimetryPitch);
    PageRows::placeBoxes(colorimetry,
                         {{{F::Colorimetry, 4}, "AdobeRGB"}, {{F::Colorimetry, 5}, "AdobeYCC601"}},
                         kBoxesLeft, top + kRowHeight - 4, kColorimetryPitch);
    stack->add(colorimetry);

    PageRows::boxRow(
        stack, QStringLiteral("BT2020"),
        {{{F::Colorimetry, 1}, "RGB"}, {{F::Colorimetry, 2}, "YCC"}, {{F::Colorimetry, 3}, "cYCC"}},
        kRowHeight, kBoxesLeft, kPitch);

    CaptionPanel* hdr = PageRows::boxRow(stack, QStringLiteral("HDR"),
                                         {{{F::HdrDeepColour, 1}, "16Bit"},
                                          {{F::HdrDeepColour, 2}, "12Bit"},
                                          {{F::HdrDeepColour, 3}, "10Bit"},
                                          {{F::HdrDetail, 1}, "For Detail"}},
                                         CaptionPanel::kLineHeight, kBoxesLeft, kPitch);
    hdr->setObjectName(QString::fromLatin1(PageNames::HdrRow));
    hdrMetadata(hdr);
}

} // namespace CreatorPages

// The analyser page without a device: its fourteen rows.
#include "SummaryRows.h"
#include "TestWindow.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

TEST(AnalyserPage, FourteenRowsOfTwentyThreePixelsWithTheirLabelsAtTheRight) {
    TestWindow window;
    auto* pages = window.control<QTabWidget>("PageControl1");
    pages->setCurrentWidget(window.control<QWidget>("TabSheet3"));
    auto* group = window.control<QGroupBox>("GroupBox5");
    int previousBottom = -1;
    for (const SummaryRow& row : SummaryRows) {
        SCOPED_TRACE(row.panel);
        auto* panel = window.control<QLabel>(row.panel);
        auto* label = window.control<QLabel>(row.label);
        EXPECT_EQ(panel->parentWidget(), group);
        EXPECT_EQ(panel->text(),
                  QString::fromLatin1(SummaryItemTable[std::size_t(row.item)].caption));
        EXPECT_EQ(panel->height(), 23);
        EXPECT_EQ(label->parentWidget(), panel);
        EXPECT_GT(label->x(), panel->fontMetrics().horizontalAdvance(panel->text()));
        EXPECT_LE(label->x() + label->width(), panel->width());
        EXPECT_TRUE(label->text().isEmpty());
        EXPECT_GE(panel->y(), previousBottom) << "rows stack top to bottom in order";
        previousBottom = panel->y() + panel->height();
    }
    EXPECT_LE(previousBottom + (kPanel10TallHeight - kPanel10Height), group->height());
}

} // namespace

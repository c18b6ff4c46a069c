#include "SpeakerGrid.h"

#include "CreatorBindings.h"

#include <ControlFactory.h>

#include <QCheckBox>
#include <QLabel>

#include <array>

namespace SpeakerGrid {

namespace {

const QString kHeads = QStringLiteral(
    "Wide        Left                       Center                    Right         Wide");

// Centre of each of the seven columns, taken from where the head words stand in the
// heads' text, so the boxes line up under them.
std::array<int, 7> columnCentres(const QLabel* heads) {
    const QFontMetrics metrics(heads->font());
    std::array<int, 5> words{};
    int from = 0;
    for (int& centre : words) {
        while (kHeads.at(from) == QLatin1Char(' '))
            ++from;
        int end = kHeads.indexOf(QLatin1Char(' '), from);
        if (end < 0)
            end = kHeads.size();
        centre = heads->x() + metrics.horizontalAdvance(kHeads.left(from)) +
                 metrics.horizontalAdvance(kHeads.mid(from, end - from)) / 2;
        from = end;
    }
    return {words[0], words[1], (words[1] + words[2]) / 2, words[2], (words[2] + words[3]) / 2,
            words[3], words[4]};
}

void placeBox(QWidget* group, const QByteArray& name, const char* caption, int centre, int top,
              int height) {
    QCheckBox* box = ControlFactory::checkBox(group, name.constData(), QString::fromLatin1(caption),
                                              0, top, 1, height);
    const int width = box->sizeHint().width();
    box->setGeometry(centre - width / 2, top, width, height);
}

} // namespace

void build(QWidget* group, QLabel* heads, QLabel* rowTitles) {
    ControlFactory::setFont(rowTitles, 11, ControlFactory::Weight::Bold);
    // The heads' fixed spacing is wide: a slightly smaller font keeps the Wide columns in.
    QFont headsFont = heads->font();
    headsFont.setPointSizeF(7.5);
    heads->setFont(headsFont);
    const QFontMetrics titleMetrics(rowTitles->font());
    const int pitch = titleMetrics.lineSpacing();
    const int gridTop = 38;
    // The titles' text is given by the window when it is created; "Center" is its widest line.
    rowTitles->setGeometry(
        10, gridTop, titleMetrics.horizontalAdvance(QStringLiteral("Center")) + 4, 5 * pitch + 2);
    rowTitles->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    rowTitles->setParent(group);

    heads->setParent(group);
    heads->setText(kHeads);
    heads->adjustSize();
    heads->move(rowTitles->geometry().right() + 4, gridTop - heads->height() - 2);

    const std::array<int, 7> centres = columnCentres(heads);
    for (const SpeakerSpec& speaker : SpeakerBoxes) {
        const int top = gridTop + speaker.row * pitch;
        placeBox(group, CreatorBindings::boxName(BoxFamily::Speaker, speaker.number),
                 speaker.caption, centres[speaker.column], top, pitch);
        if (speaker.partnerCaption)
            placeBox(group, CreatorBindings::boxName(BoxFamily::SpeakerRight, speaker.number),
                     speaker.partnerCaption, centres[speaker.partnerColumn], top, pitch);
    }
}

} // namespace SpeakerGrid

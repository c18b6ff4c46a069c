#include "LedShape.h"

#include "Colour.h"

#include <QPainter>
#include <Reporter.h>

LedShape::LedShape(QWidget* parent) : QWidget(parent), fill_(Colour::Grey) {}

void LedShape::setFill(std::uint32_t bgr) {
    if (bgr == fill_)
        return;
    fill_ = bgr;
    update();
}

void LedShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(colourFromBgr(fill_));
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

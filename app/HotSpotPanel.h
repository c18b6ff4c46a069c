#pragma once
#include <QFrame>

// A panel without bevel or caption: an unmarked spot that reports double-clicks only.
class HotSpotPanel : public QFrame {
    Q_OBJECT
public:
    explicit HotSpotPanel(QWidget* parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

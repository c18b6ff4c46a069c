#pragma once
#include <QScrollArea>

// The Audio2 page's scroll box: each wheel step moves the list by a fixed 15 pixels,
// whatever the system's wheel settings.
class AudioScrollBox : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kWheelStep = 15;

    explicit AudioScrollBox(QWidget* parent);

    void ScrollBox1MouseWheelDown();
    void ScrollBox1MouseWheelUp();

protected:
    void wheelEvent(QWheelEvent* event) override;
    // A wheel over the scroll bar steps the list the same way.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Eighths of a degree turned but not yet a whole step (high-resolution wheels).
    int pendingDelta_ = 0;
};

#pragma once
#include <QWidget>
#include <cstdint>

// The link indicator: a circle filled with one colour (0x00BBGGRR).
class LedShape : public QWidget {
    Q_OBJECT
public:
    explicit LedShape(QWidget* parent = nullptr);
    void setFill(std::uint32_t bgr);
    std::uint32_t fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t fill_;
};

#include "ControlFactory.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ControlFactory {

namespace {
template <class T>
T* place(T* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QString::fromLatin1(name));
    if (width > 0 && height > 0)
        control->setGeometry(left, top, width, height);
    else {
        control->adjustSize();
        control->move(left, top);
    }
    return control;
}
} // namespace

void setFont(QWidget* control, int points, Weight weight) {
    QFont font = control->font();
    font.setPointSize(points);
    font.setBold(weight == Weight::Bold);
    control->setFont(font);
}

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height) {
    auto* box = new QGroupBox(caption, parent);
    setFont(box, 10, Weight::Bold);
    return place(box, name, left, top, width, height);
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top,
              int width, int height) {
    auto* text = new QLabel(caption, parent);
    setFont(text, 8, Weight::Normal);
    return place(text, name, left, top, width, height);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height) {
    auto* push = new QPushButton(caption, parent);
    setFont(push, 10, Weight::Bold);
    push->setAutoDefault(false);
    return place(push, name, left, top, width, height);
}

QRadioButton* radioButton(QWidget* parent, const char* name, const QString& caption, int left,
                          int top, int width, int height) {
    auto* radio = new QRadioButton(caption, parent);
    setFont(radio, 10, Weight::Bold);
    return place(radio, name, left, top, width, height);
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height) {
    auto* box = new QCheckBox(caption, parent);
    setFont(box, 8, Weight::Normal);
    return place(box, name, left, top, width, height);
}

QLineEdit* edit(QWidget* parent, const char* name, const QString& text, int left, int top,
                int width, int height) {
    auto* line = new QLineEdit(text, parent);
    setFont(line, 8, Weight::Normal);
    return place(line, name, left, top, width, height);
}

} // namespace ControlFactory

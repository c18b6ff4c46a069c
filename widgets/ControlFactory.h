#pragma once
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Controls are placed as laid out: absolute geometry in the parent, the layout name
// as objectName. Captions and names are Latin-1/ASCII.
namespace ControlFactory {

enum class Weight { Normal, Bold };

// Sets the window's standard font at `points`, bold or not.
void setFont(QWidget* control, int points, Weight weight);

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height);
QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top,
              int width = 0, int height = 0);
QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height);
QRadioButton* radioButton(QWidget* parent, const char* name, const QString& caption, int left,
                          int top, int width, int height);
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height);
QLineEdit* edit(QWidget* parent, const char* name, const QString& text, int left, int top,
                int width, int height);

} // namespace ControlFactory

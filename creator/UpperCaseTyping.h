#pragma once
#include <QObject>

class QLineEdit;

// Letters typed into an edit become upper case. Text set by the program, and pasted
// text, is left as it is (a loaded manufacturer ID may hold a lower-case letter).
class UpperCaseTyping : public QObject {
    Q_OBJECT
public:
    // Installs itself on `edit`, as the edit's child.
    explicit UpperCaseTyping(QLineEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

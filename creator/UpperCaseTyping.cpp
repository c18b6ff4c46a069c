#include "UpperCaseTyping.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

UpperCaseTyping::UpperCaseTyping(QLineEdit* edit) : QObject(edit) {
    edit->installEventFilter(this);
}

bool UpperCaseTyping::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString upper = key->text().toUpper();
    if (upper == key->text())
        return false;
    // The edit handles the same key with its text in upper case; that event passes here
    // unchanged.
    QKeyEvent typed(QEvent::KeyPress, key->key(), key->modifiers(), upper, key->isAutoRepeat(),
                    key->count());
    QCoreApplication::sendEvent(watched, &typed);
    return true;
}

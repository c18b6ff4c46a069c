#pragma once
#include <QByteArray>
#include <QObject>
#include <QtGlobal>

// A control of the editor by its layout name. The pages are built from tables, so a
// missing name is a fault of the program: it ends the process with the name.
template <class T> T* findControl(const QObject& root, const QByteArray& name) {
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("Redaviv: the editor has no control named %s", name.constData());
    return found;
}

#include "CreatorControls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <cstdio>
#include <cstdlib>

template <class T> T& CreatorControls::find(const std::string& name) const {
    T* found = root_.findChild<T*>(QString::fromLatin1(name.c_str()));
    if (!found) {
        std::fprintf(stderr, "Redaviv: the creator has no control named %s\n", name.c_str());
        std::abort();
    }
    return *found;
}

std::string CreatorControls::numbered(const char* prefix, int number) {
    return prefix + std::to_string(number);
}

QLineEdit& CreatorControls::edit(const std::string& name) const {
    return find<QLineEdit>(name);
}

QCheckBox& CreatorControls::box(const std::string& name) const {
    return find<QCheckBox>(name);
}

QLabel& CreatorControls::label(const std::string& name) const {
    return find<QLabel>(name);
}

std::string CreatorControls::text(const std::string& name) const {
    return edit(name).text().toLatin1().toStdString();
}

void CreatorControls::setText(const std::string& name, const std::string& text) const {
    edit(name).setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

bool CreatorControls::checked(const std::string& name) const {
    return box(name).isChecked();
}

void CreatorControls::setChecked(const std::string& name, bool on) const {
    box(name).setChecked(on);
}

bool CreatorControls::checked(const char* prefix, int number) const {
    return checked(numbered(prefix, number));
}

void CreatorControls::setChecked(const char* prefix, int number, bool on) const {
    setChecked(numbered(prefix, number), on);
}

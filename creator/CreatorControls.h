#pragma once
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

// The creator's controls, reached by their layout names (numbered families by prefix
// and number). Setting a box or a text to a different value runs that control's rule;
// setting the same value runs nothing. A name that the layout lacks is a fault of the
// program: it is reported and the process ends.
class CreatorControls {
public:
    explicit CreatorControls(QWidget& root) : root_(root) {}

    // "CheckBox_EstablishTiming_" + 3 -> "CheckBox_EstablishTiming_3".
    static std::string numbered(const char* prefix, int number);

    QLineEdit& edit(const std::string& name) const;
    QCheckBox& box(const std::string& name) const;
    QLabel& label(const std::string& name) const;

    // Texts are Latin-1, one byte per character.
    std::string text(const std::string& name) const;
    void setText(const std::string& name, const std::string& text) const;
    bool checked(const std::string& name) const;
    void setChecked(const std::string& name, bool on) const;
    bool checked(const char* prefix, int number) const;
    void setChecked(const char* prefix, int number, bool on) const;

private:
    template <class T> T& find(const std::string& name) const;

    QWidget& root_;
};

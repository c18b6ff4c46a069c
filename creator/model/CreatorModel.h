#pragma once
#include "CreatorFields.h"

#include <QString>

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Everything the creator's editor holds, as a plain value: the text of each edit, the
// tick of each box, the one warning line and the font colours the input rules set.
// Setting a field to the value it holds does nothing. Setting an edit to a new text runs
// its input rule; ticking or unticking a box runs the rules that tie boxes together (a
// speaker and its partner agree; unticking an Audio2 row's "Yes" unticks its "For Detail").
class CreatorModel {
public:
    // The start texts of the edits, every box unticked, no warning, no colour set.
    CreatorModel();

    const QString& text(CreatorEdit edit) const { return texts_[index(edit)]; }
    // Returns the message of a number in the rule's text that did not convert; the rule
    // then ended without a verdict.
    std::optional<std::string> setText(CreatorEdit edit, const QString& text);

    bool checked(CreatorBox box) const { return boxes_[index(box.family)][bit(box)]; }
    bool checked(BoxFamily family, int number) const { return checked({family, number}); }
    void setChecked(CreatorBox box, bool on);
    void setChecked(BoxFamily family, int number, bool on) { setChecked({family, number}, on); }

    const QString& warning() const { return warning_; }
    void setWarning(const QString& warning) { warning_ = warning; }

    // 0x00BBGGRR, once a rule has coloured the edit's text.
    std::optional<std::uint32_t> textColour(CreatorEdit edit) const {
        return colours_[index(edit)];
    }
    void setTextColour(CreatorEdit edit, std::uint32_t bgr) { colours_[index(edit)] = bgr; }

private:
    static std::size_t index(CreatorEdit edit) { return static_cast<std::size_t>(edit); }
    static std::size_t index(BoxFamily family) { return static_cast<std::size_t>(family); }
    static std::size_t bit(CreatorBox box) { return static_cast<std::size_t>(box.number); }

    std::array<QString, CreatorEditCount> texts_;
    std::array<std::optional<std::uint32_t>, CreatorEditCount> colours_;
    std::array<std::bitset<BoxNumberLimit>, BoxFamilyCount> boxes_;
    QString warning_;
};

// The numbers of a family's boxes, in the order the editor shows them.
const std::vector<int>& BoxNumbers(BoxFamily family);

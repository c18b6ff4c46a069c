#pragma once
#include <CreatorFields.h>

#include <QByteArray>

// The one table that binds each control of the editor to its field of the model: every
// control name of an edit, a box or the warning line is written there and nowhere else.
namespace CreatorBindings {

const char* editName(CreatorEdit edit);
QByteArray boxName(CreatorBox box);
inline QByteArray boxName(BoxFamily family, int number) {
    return boxName(CreatorBox{family, number});
}

// Whether the edit's letters are upper case whatever way its text arrives (typed, pasted,
// dropped, or from an input method); a load still shows them as they are.
bool upperCase(CreatorEdit edit);

// The one warning line of all input rules.
extern const char* const WarningLabel;

} // namespace CreatorBindings

#pragma once
#include <EdidImage.h>

class CreatorControls;
class QDate;
struct EdidInfo;

// Decodes `source` into the creator's record and sets every creator control from it,
// through the controls' own rules, in a fixed order (the warning line ends as the
// last rule left it). An image that fails validation resets the panel instead and
// shows "Error." in the two name edits. `today` gives the year and ISO 8601 week
// shown while the record's BrandNew bit is set.
void LoadCreator(const CreatorControls& controls, EdidInfo& CreatorSettings,
                 const EdidImage& source, const QDate& today);

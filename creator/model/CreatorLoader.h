#pragma once
#include <EdidImage.h>

class CreatorModel;
class QDate;
struct EdidInfo;

// Decodes `source` into the creator's record and sets every field of the model from it,
// through the fields' own rules, in a fixed order (the warning line ends as the last
// rule left it). An image that fails validation resets the model instead and shows
// "Error." in the two name edits. `today` gives the year and ISO 8601 week shown while
// the record's BrandNew bit is set.
void LoadCreator(CreatorModel& model, EdidInfo& CreatorSettings, const EdidImage& source,
                 const QDate& today);

// Both starts reset the record to its start-up state first, so nothing of an earlier EDID
// is carried into the next one.
// "Brand New": the record takes the template and its BrandNew bit, and is loaded.
void StartBrandNew(CreatorModel& model, EdidInfo& CreatorSettings, const QDate& today);
// "Bin Modifiy", once the file's image is in CreatorSettings.Image: the record keeps only
// that image, without the BrandNew bit, and is loaded.
void StartFromFile(CreatorModel& model, EdidInfo& CreatorSettings, const QDate& today);

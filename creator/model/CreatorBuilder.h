#pragma once
#include <EdidEncoder.h>

class CreatorModel;
struct EdidInfo;

// Reads the model back into the creator's record, step by step, then encodes the
// record's image. Numbers are read with the program's one conversion; a text that is
// not a number throws ConversionError, and the fields read before it keep their new
// values (nothing is encoded then). Returns what the encoder left out.
EncodeResult ReadBackCreator(const CreatorModel& model, EdidInfo& CreatorSettings);

// The warning line after a build: "Not Written: ..." names what the encoder left out;
// a build that left out nothing clears an earlier build's such warning, and only that.
void ShowNotWritten(CreatorModel& model, const EncodeResult& encoding);

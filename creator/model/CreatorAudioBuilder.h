#pragma once

class CreatorModel;
struct EdidInfo;

// The short audio descriptors from the model's audio fields, in five passes: add the
// multichannel L-PCM descriptor, add a descriptor for each newly ticked "Yes" box,
// remove the multichannel one, remove those of unticked boxes, then fill every
// descriptor from its format's fields. Keeps Audio_Formats in step. Throws
// ConversionError for an edit that is not a number.
void ReadBackAudio(const CreatorModel& model, EdidInfo& CreatorSettings);

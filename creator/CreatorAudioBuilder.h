#pragma once

class CreatorControls;
struct EdidInfo;

// The short audio descriptors from the audio controls, in five passes: add the
// multichannel L-PCM descriptor, add a descriptor for each newly ticked "Yes" box,
// remove the multichannel one, remove those of unticked boxes, then fill every
// descriptor from its format's controls. Keeps Audio_Formats in step. Throws
// ConversionError for an edit that is not a number.
void ReadAudioControls(const CreatorControls& controls, EdidInfo& CreatorSettings);

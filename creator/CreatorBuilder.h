#pragma once
#include <EdidEncoder.h>

class CreatorControls;
struct EdidInfo;

// Copies every creator control into the creator's record, step by step, then encodes
// the record's image. Numbers are read with the program's one conversion; a text that
// is not a number throws ConversionError, and the fields read before it keep their
// new values (nothing is encoded then). Returns what the encoder left out.
EncodeResult ReadCreatorControls(const CreatorControls& controls, EdidInfo& CreatorSettings);

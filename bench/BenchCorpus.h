#pragma once
#include "EdidImage.h"

#include <string>
#include <vector>

// The shared corpus of real-world EDIDs, when the developer has it beside the sources:
// its .bin files in name order, and their images. Empty without the corpus.
std::vector<std::string> CorpusFiles();
std::vector<EdidImage> CorpusImages();

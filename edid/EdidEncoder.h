#pragma once
#include "EdidInfo.h"

#include <string>
#include <vector>

// What one encoding could not fit into the extension.
struct EncodeResult {
    // Names of the data blocks left out for lack of room, in the order they are
    // written ("Audio Data Block", "HDMI VSDB", ...). Empty when everything fit.
    std::vector<std::string> notWritten;
};

// Turns the creator's record into a finished two-block image, in place: block 0's
// identification, monitor name text, timings, extension count and checksum are
// rewritten; the extension is rebuilt from the record, carrying over a few bytes
// of the vendor blocks, the colorimetry block and extension byte 3 of the base
// image. Also updates Flags bits 0x0010/0x0020 and compacts Standard_Timing by
// one pass. A data block that would end past byte 254 is left out and named in
// the result; the image is always complete, with both checksums right.
EncodeResult EncodeEdid(EdidInfo& CreatorSettings);

// "Not Written: " + the left-out names joined by ", " + "."; empty when none.
std::string NotWrittenText(const EncodeResult& result);

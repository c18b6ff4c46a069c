#pragma once
#include "EdidInfo.h"

#include <cstdint>
#include <string>

// Checks the record's image. Clears the validation bits of Status first, so that only
// this image's failure shows; then true when valid, otherwise sets exactly one
// validation bit and returns false. The other bits of Status stay.
bool ValidateEdid(EdidInfo& info);

// The caller's message for a failed validation: the bits are tested in the order
// header, checksum 0, checksum 1, over banks, and the last one set wins.
// Empty when no validation bit is set.
std::string ValidationMessage(std::uint16_t status);

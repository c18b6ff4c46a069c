#pragma once
#include "EdidInfo.h"

#include <cstdint>
#include <string>

// Checks the record's image. True when valid (Status untouched); otherwise adds
// exactly one validation bit to Status and returns false. Never clears a bit.
bool ValidateEdid(EdidInfo& info);

// The caller's message for a failed validation: the bits are tested in the order
// header, checksum 0, checksum 1, over banks, and the last one set wins.
// Empty when no validation bit is set.
std::string ValidationMessage(std::uint16_t status);

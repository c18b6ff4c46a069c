#pragma once
#include "Commands.h"

// The creator's subcommands: they run the creator's model, as the window's handlers do.
extern const Command RoundtripCommand;
extern const Command BrandnewCommand;

namespace ExitStatus {
// An edit of the creator did not hold a number; nothing was written.
constexpr int ConversionFailed = 3;
} // namespace ExitStatus

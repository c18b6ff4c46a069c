#pragma once
#include "Commands.h"

#include <iosfwd>
#include <vector>

// Every subcommand of redaviv-cli in the order the overall help lists them. The help,
// the man page and the shell completion are all written from this one table.
const std::vector<const Command*>& CommandTable();

// The overall help: usage, each command's synopsis and summary, the exit statuses.
void PrintOverallUsage(std::ostream& out);

// The exit statuses every command shares, as the overall help lists them.
extern const char* const kExitStatusHelp;

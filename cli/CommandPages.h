#pragma once
#include "Commands.h"

#include <string>
#include <vector>

// The man page and the bash completion of redaviv-cli, written from the command table
// at build time, so that neither can drift from --help.

// The page in man(7) form: every command's synopsis, summary and help, and the exit
// statuses `exitStatus` lists.
std::string ManPage(const std::vector<const Command*>& commands, const std::string& exitStatus);

// A bash completion script: command names, each command's options (as its synopsis
// and help name them) and fixed words ("internal|external|user"), files otherwise.
std::string BashCompletion(const std::vector<const Command*>& commands);

#pragma once
#include "Commands.h"

#include <QCoreApplication>

#include <memory>

// The creator's subcommands: they drive the window's own creator, offscreen.
extern const Command RoundtripCommand;
extern const Command BrandnewCommand;

namespace ExitStatus {
// An edit of the creator did not hold a number; nothing was written.
constexpr int ConversionFailed = 3;
} // namespace ExitStatus

// The application object for the command named in argv[1]: the creator's commands need
// widgets and run them on the offscreen platform unless QT_QPA_PLATFORM says otherwise;
// every other command runs on Qt Core alone.
std::unique_ptr<QCoreApplication> MakeCliApplication(int& argc, char** argv);

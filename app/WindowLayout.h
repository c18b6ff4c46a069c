#pragma once

class QMainWindow;

// Creates every control of the main window with its layout name, caption, place and
// start state: the link group, the four pages, the hidden debug log, the timers and
// the menu. The subsystems' own rows (analyser summary, creator sub-pages) are added
// by their wiring.
void buildWindowLayout(QMainWindow& window);

// The window's client area.
constexpr int kClientWidth = 480;
constexpr int kClientHeight = 552;

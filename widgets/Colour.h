#pragma once
#include <QColor>
#include <cstdint>

// Colours are given as 0x00BBGGRR (blue in the high byte); this is the one conversion.
QColor colourFromBgr(std::uint32_t bgr);

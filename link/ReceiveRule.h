#pragma once
#include "LinkState.h"

#include <QtGlobal>

#include <array>
#include <cstdint>

class Line;

// A receive buffer: RxCapacity bytes and one spare byte after them, always a zero.
using RxBytes = std::array<std::uint8_t, RxCapacity + 1>;

// Takes the `waiting` bytes off `line` into `buffer` at `fill`, by the rule every reader of
// the line keeps. More than RxCapacity bytes waiting is a flood: the first 16 are read to
// `floodAt` (never past the buffer's end), the rest of the input is dropped and `fill`
// stays; false then. Otherwise the bytes are read at `fill`, those that would go past the
// buffer's end are dropped, `fill` moves past the bytes read and a zero follows them.
bool ReceiveWaiting(Line& line, qint64 waiting, RxBytes& buffer, std::uint32_t& fill,
                    std::uint32_t floodAt);

#pragma once
#include <random>

// std::mt19937's numbers from an engine type of our own. Where Qt is linked in
// statically (Windows), the engine's out-of-line code must not be shared with Qt's: the
// linker keeps one copy of it, and GCC compiled Qt's callers knowing which registers
// their own copy leaves alone. With unsigned long as the word, this is std::mt19937
// itself on Linux and a type of its own, giving the same numbers, on Windows.
using RandomEngine =
    std::mersenne_twister_engine<unsigned long, 32, 624, 397, 31, 0x9908b0dfUL, 11, 0xffffffffUL, 7,
                                 0x9d2c5680UL, 15, 0xefc60000UL, 18, 1812433253UL>;

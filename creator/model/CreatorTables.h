#pragma once
#include <array>
#include <cstdint>

// Tables shared by the creator's model, its loader and its builder. Plain data, walked in
// this order by every loop that reads or sets the model.

// The video codes of the SD/HD/UHD boxes.
inline constexpr std::array<std::uint8_t, 21> CreatorVicList = {
    6, 3, 21, 18, 60, 61, 62, 19, 4, 20, 5, 32, 33, 34, 31, 16, 93, 94, 95, 96, 97};

// The video codes of the YCbCr 4:2:0 boxes.
inline constexpr std::array<std::uint8_t, 2> CreatorYuv420VicList = {96, 97};

// The speakers that have a right-hand partner box standing for the same bit.
inline constexpr std::array<std::uint8_t, 6> PairedSpeakers = {1, 2, 3, 5, 8, 11};

// The audio-format family: box 1 is L-PCM "Basic", 3..9 the "Yes" boxes of the Audio2 rows.
constexpr int AudioFormatBoxCount = 9;

// Audio2 bit-rate edits read "     0" when no descriptor sets them.
constexpr const char* EmptyBitRateText = "     0";

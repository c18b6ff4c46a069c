#pragma once

// Layout names of the editor's containers that the panel reaches once the pages are built.
namespace PageNames {
constexpr const char* Audio2List = "ScrollBox1";
constexpr const char* HdrRow = "Panel31";
} // namespace PageNames

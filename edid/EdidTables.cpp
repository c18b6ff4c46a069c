#include "EdidTables.h"

const std::array<VicName, 27> VicNameTable = {{
    {102, "2160p@60Hz"}, {97, "2160p@60Hz"}, {101, "2160p@50Hz"}, {96, "2160p@50Hz"},
    {100, "2160p@30Hz"}, {95, "2160p@30Hz"}, {99, "2160p@25Hz"},  {94, "2160p@25Hz"},
    {98, "2160p@24Hz"},  {93, "2160p@24Hz"}, {16, "1080p@60Hz"},  {31, "1080p@50Hz"},
    {34, "1080p@30Hz"},  {33, "1080p@25Hz"}, {32, "1080p@24Hz"},  {5, "1080i@60Hz"},
    {20, "1080i@50Hz"},  {4, "720p@60Hz"},   {19, "720p@50Hz"},   {18, "576p@50Hz"},
    {17, "576p@50Hz"},   {22, "576i@50Hz"},  {21, "576i@50Hz"},   {3, "480p@60Hz"},
    {2, "480p@60Hz"},    {1, "480p@60Hz"},   {0, nullptr},
}};

const std::array<AudioFormatBit, 9> AudioFormatBits = {{
    {0x0001, 1, 1, 2, "Linear PCM, at most 2 channels"},
    {0x0002, 1, 3, 8, "Linear PCM, more than 2 channels"},
    {0x0004, 2, 1, 8, "AC-3"},
    {0x0008, 10, 1, 8, "Enhanced AC-3"},
    {0x0010, 12, 1, 8, "MAT (MLP)"},
    {0x0020, 7, 1, 8, "DTS"},
    {0x0040, 11, 1, 8, "DTS-HD"},
    {0x0080, 6, 1, 8, "AAC"},
    {0x0100, 9, 1, 8, "One Bit Audio"},
}};

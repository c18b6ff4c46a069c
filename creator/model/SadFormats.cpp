#include "SadFormats.h"

#include <stdexcept>

namespace {
using E = CreatorEdit;
using F = BoxFamily;
} // namespace

const std::array<SadFormat, 8> SadFormats = {{
    {1, 1, 0x09, AudioByte3::SampleSizes, 0, 0, 0, E::LpcmMaxCh, E::LpcmMaxCh, F::LpcmFreq},
    {3, 2, 0x10, AudioByte3::BitRate, 5, 0x07, 0x50, E::Ac3MaxCh, E::Ac3BitRate, F::Ac3Freq},
    {4, 10, 0x50, AudioByte3::Fixed, 7, 0x06, 0x00, E::Eac3MaxCh, E::Eac3MaxCh, F::Eac3Freq},
    {5, 12, 0x60, AudioByte3::Fixed, 7, 0x7E, 0x00, E::MatMaxCh, E::MatMaxCh, F::MatFreq},
    {6, 7, 0x38, AudioByte3::BitRate, 6, 0x1E, 0xC0, E::DtsMaxCh, E::DtsBitRate, F::DtsFreq},
    {7, 11, 0x58, AudioByte3::Fixed, 7, 0x7E, 0x01, E::DtshdMaxCh, E::DtshdMaxCh, F::DtshdFreq},
    {8, 6, 0x30, AudioByte3::BitRate, 5, 0x06, 0x3C, E::AacMaxCh, E::AacBitRate, F::AacFreq},
    {9, 9, 0x48, AudioByte3::Fixed, 5, 0x02, 0x00, E::ObaMaxCh, E::ObaMaxCh, F::ObaFreq},
}};

const SadFormat* FindSadFormat(std::uint8_t code) {
    for (const SadFormat& format : SadFormats) {
        if (format.code == code)
            return &format;
    }
    return nullptr;
}

const SadFormat& SadFormatOfBox(int v) {
    for (const SadFormat& format : SadFormats) {
        if (format.v == v)
            return format;
    }
    throw std::out_of_range("no audio format box " + std::to_string(v));
}

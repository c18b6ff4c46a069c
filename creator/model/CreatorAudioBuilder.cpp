#include "CreatorAudioBuilder.h"

#include "CreatorItems.h"
#include "CreatorModel.h"
#include "SadFormats.h"

#include <EdidInfo.h>
#include <IntegerText.h>

#include <algorithm>

namespace {

using Sad = std::array<std::uint8_t, 3>;

// A descriptor holds at most 8 channels: a larger count is written as 8, so that it
// never spills into the format code.
constexpr std::int32_t MaxChannels = 8;

std::uint16_t formatBit(int v) {
    return static_cast<std::uint16_t>(1u << (v - 1));
}

bool isFree(const Sad& sad) {
    return sad[0] == 0;
}

Sad* firstFree(EdidInfo& info) {
    for (Sad& sad : info.Audio_Sad) {
        if (isFree(sad))
            return &sad;
    }
    return nullptr;
}

std::int32_t readInt(const CreatorModel& model, CreatorEdit edit) {
    return StrToInt(model.text(edit).toStdString());
}

void addMultichannelLpcm(EdidInfo& info, std::int32_t lpcmMaxCh) {
    if (lpcmMaxCh < 3 || (info.Audio_Formats & MultichannelLpcmBit))
        return;
    info.Audio_Formats |= MultichannelLpcmBit;
    if (Sad* sad = firstFree(info))
        (*sad)[0] = static_cast<std::uint8_t>(std::min(lpcmMaxCh, MaxChannels) + 7);
}

void addTicked(const CreatorModel& model, EdidInfo& info) {
    for (const SadFormat& format : SadFormats) {
        const std::uint16_t bit = formatBit(format.v);
        if (!model.checked(BoxFamily::AudioFormat, format.v) || (info.Audio_Formats & bit))
            continue;
        info.Audio_Formats |= bit;
        if (Sad* sad = firstFree(info))
            (*sad)[0] = format.firstByte;
    }
}

void removeMultichannelLpcm(EdidInfo& info, std::int32_t lpcmMaxCh) {
    if (lpcmMaxCh > 2 || !(info.Audio_Formats & MultichannelLpcmBit))
        return;
    info.Audio_Formats &= static_cast<std::uint16_t>(~MultichannelLpcmBit);
    for (Sad& sad : info.Audio_Sad) {
        if (((sad[0] >> 3) & 0x0F) == LpcmCode && (sad[0] & 0x07) > 1) {
            sad = Sad{};
            return;
        }
    }
}

void removeUnticked(const CreatorModel& model, EdidInfo& info) {
    for (const SadFormat& format : SadFormats) {
        const std::uint16_t bit = formatBit(format.v);
        if (model.checked(BoxFamily::AudioFormat, format.v) || !(info.Audio_Formats & bit))
            continue;
        info.Audio_Formats &= static_cast<std::uint16_t>(~bit);
        for (Sad& sad : info.Audio_Sad) {
            const bool ofFormat = format.code == LpcmCode ? sad[0] == format.firstByte
                                                          : (sad[0] & 0x78) == format.firstByte;
            if (ofFormat)
                sad = Sad{};
        }
    }
}

void setChannels(Sad& sad, std::int32_t maxCh, std::uint8_t fallback) {
    sad[0] &= 0xF8;
    if (maxCh > 0)
        sad[0] |= static_cast<std::uint8_t>(std::min(maxCh, MaxChannels) - 1);
    else
        sad[0] |= fallback;
}

void fill(const CreatorModel& model, const SadFormat& format, Sad& sad) {
    const std::int32_t maxCh = readInt(model, format.maxCh);
    const auto rates =
        static_cast<std::uint8_t>(ReadBits(model, FrequencyBoxes(format.frequencies)));
    if (format.code == LpcmCode) {
        if ((sad[0] & 0x07) != 1)
            setChannels(sad, maxCh, 0);
        sad[1] = rates;
        sad[2] = static_cast<std::uint8_t>(ReadBits(model, CreatorBits::LpcmSampleSize));
        return;
    }
    if (maxCh <= 0) {
        setChannels(sad, maxCh, format.defaultChannels);
        sad[1] = format.defaultRates;
        sad[2] = format.byte3;
        return;
    }
    setChannels(sad, maxCh, 0);
    sad[1] = rates;
    if (format.byte3Kind == AudioByte3::BitRate)
        sad[2] = static_cast<std::uint8_t>(readInt(model, format.bitRate) / 8);
    else
        sad[2] = format.byte3;
}

} // namespace

void ReadBackAudio(const CreatorModel& model, EdidInfo& CreatorSettings) {
    const std::int32_t lpcmMaxCh = readInt(model, CreatorEdit::LpcmMaxCh);
    addMultichannelLpcm(CreatorSettings, lpcmMaxCh);
    addTicked(model, CreatorSettings);
    removeMultichannelLpcm(CreatorSettings, lpcmMaxCh);
    removeUnticked(model, CreatorSettings);
    for (Sad& sad : CreatorSettings.Audio_Sad) {
        if (isFree(sad))
            continue;
        if (const SadFormat* format = FindSadFormat((sad[0] >> 3) & 0x0F))
            fill(model, *format, sad);
    }
}

#include "CreatorModel.h"

#include "CreatorInputRules.h"
#include "CreatorItems.h"
#include "CreatorTables.h"

#include <algorithm>
#include <numeric>

namespace {

std::vector<int> range(int first, int last) {
    std::vector<int> numbers(static_cast<std::size_t>(last - first + 1));
    std::iota(numbers.begin(), numbers.end(), first);
    return numbers;
}

template <class Codes> std::vector<int> codes(const Codes& list) {
    return std::vector<int>(list.begin(), list.end());
}

bool isAudio2YesBox(CreatorBox box) {
    return box.family == BoxFamily::AudioFormat && box.number >= 3;
}

} // namespace

CreatorModel::CreatorModel() {
    texts_[index(CreatorEdit::CecAddress)] = QStringLiteral("0000");
    for (CreatorEdit edit : {CreatorEdit::LpcmMaxCh, CreatorEdit::Ac3MaxCh, CreatorEdit::Eac3MaxCh,
                             CreatorEdit::MatMaxCh, CreatorEdit::DtsMaxCh, CreatorEdit::DtshdMaxCh,
                             CreatorEdit::AacMaxCh, CreatorEdit::ObaMaxCh})
        texts_[index(edit)] = QStringLiteral("0");
    for (CreatorEdit edit :
         {CreatorEdit::Ac3BitRate, CreatorEdit::DtsBitRate, CreatorEdit::AacBitRate})
        texts_[index(edit)] = QString::fromLatin1(EmptyBitRateText);
    for (CreatorEdit edit : {CreatorEdit::HdrDcld1, CreatorEdit::HdrDcld2, CreatorEdit::HdrDcld3})
        texts_[index(edit)] = QStringLiteral("    0");
}

std::optional<std::string> CreatorModel::setText(CreatorEdit edit, const QString& text) {
    QString& held = texts_[index(edit)];
    if (held == text)
        return std::nullopt;
    held = text;
    const InputRuleResult result = RunInputRule(
        edit, [this](CreatorEdit source) -> const QString& { return texts_[index(source)]; });
    if (result.verdict) {
        setWarning(result.verdict->warning);
        setTextColour(result.verdict->checked, result.verdict->colour);
    }
    return result.error;
}

// Each speaker box of a pair sets its partner to its own state, and the partner, already
// in that state, ends the exchange. Unticking an Audio2 row's "Yes" unticks its "For
// Detail".
void CreatorModel::setChecked(CreatorBox box, bool on) {
    std::bitset<BoxNumberLimit>& family = boxes_[index(box.family)];
    if (family[bit(box)] == on)
        return;
    family[bit(box)] = on;
    if (box.family == BoxFamily::Speaker || box.family == BoxFamily::SpeakerRight) {
        const BoxFamily partner =
            box.family == BoxFamily::Speaker ? BoxFamily::SpeakerRight : BoxFamily::Speaker;
        const std::vector<int>& pairs = BoxNumbers(BoxFamily::SpeakerRight);
        if (std::find(pairs.begin(), pairs.end(), box.number) != pairs.end())
            setChecked(partner, box.number, on);
    } else if (isAudio2YesBox(box) && !on) {
        setChecked(BoxFamily::AudioDetail, box.number, false);
    }
}

const std::vector<int>& BoxNumbers(BoxFamily family) {
    static const std::array<std::vector<int>, BoxFamilyCount> numbers = [] {
        std::array<std::vector<int>, BoxFamilyCount> all;
        const auto set = [&all](BoxFamily f, std::vector<int> list) {
            all[static_cast<std::size_t>(f)] = std::move(list);
        };
        set(BoxFamily::EstablishTiming, range(1, 17));
        set(BoxFamily::StandardTiming, range(1, static_cast<int>(StandardTimingCodes.size())));
        set(BoxFamily::ColorSpace, range(1, 3));
        set(BoxFamily::ColorDepth, range(1, 3));
        set(BoxFamily::Colorimetry, range(1, 8));
        set(BoxFamily::VideoIdCode, codes(CreatorVicList));
        set(BoxFamily::Yuv420Vdb, codes(CreatorYuv420VicList));
        set(BoxFamily::Present3D, {1});
        set(BoxFamily::HdrDeepColour, range(1, 3));
        set(BoxFamily::HdrEotf, range(1, 3));
        set(BoxFamily::HdrDespt, {1});
        set(BoxFamily::HdrDetail, {1});
        set(BoxFamily::Speaker, range(1, 11));
        set(BoxFamily::SpeakerRight, codes(PairedSpeakers));
        set(BoxFamily::LpcmSampleSize, range(1, 3));
        set(BoxFamily::AudioFormat, range(1, AudioFormatBoxCount));
        set(BoxFamily::AudioDetail, range(3, AudioFormatBoxCount));
        for (BoxFamily f :
             {BoxFamily::LpcmFreq, BoxFamily::Ac3Freq, BoxFamily::Eac3Freq, BoxFamily::MatFreq,
              BoxFamily::DtsFreq, BoxFamily::DtshdFreq, BoxFamily::AacFreq, BoxFamily::ObaFreq})
            set(f, range(1, 7));
        return all;
    }();
    return numbers[static_cast<std::size_t>(family)];
}

#include "EdidValidation.h"

#include <algorithm>

namespace {

struct StatusMessage {
    std::uint16_t bit;
    const char* text;
};

constexpr StatusMessage kMessages[] = {
    {EdidStatus::BadHeader, "Illegal Edid Header."},
    {EdidStatus::BadChecksum0, "Illegal Edid CheckSum0."},
    {EdidStatus::BadChecksum1, "Illegal Edid CheckSum1."},
    {EdidStatus::OverBanks, "Edid Over Banks."},
};

} // namespace

bool ValidateEdid(EdidInfo& info) {
    info.Status &= static_cast<std::uint16_t>(~EdidStatus::ValidationMask);
    const EdidImage& image = info.Image;
    if (!std::equal(EdidHeader.begin(), EdidHeader.end(), image.begin())) {
        info.Status |= EdidStatus::BadHeader;
        return false;
    }
    if (SumBytes(image, 0, kEdidBlockSize) != 0) {
        info.Status |= EdidStatus::BadChecksum0;
        return false;
    }
    // The extension count is checked before any look at block 1.
    if (image[126] > 1) {
        info.Status |= EdidStatus::OverBanks;
        return false;
    }
    if (image[126] == 1 && SumBytes(image, kEdidBlockSize, kEdidBlockSize) != 0) {
        info.Status |= EdidStatus::BadChecksum1;
        return false;
    }
    return true;
}

std::string ValidationMessage(std::uint16_t status) {
    std::string message;
    for (const StatusMessage& m : kMessages) {
        if (status & m.bit)
            message = m.text;
    }
    return message;
}

#include "EdidModeChoice.h"

#include "ApiTypes.h"
#include "DeviceLink.h"

namespace {

struct ModeCode {
    PresentedEdid edid;
    std::uint8_t code;
};

constexpr ModeCode kModeCodes[] = {
    {PresentedEdid::Internal, 0x00},
    {PresentedEdid::External, 0x02},
    {PresentedEdid::User, 0x03},
};

} // namespace

std::uint8_t EdidModeCode(PresentedEdid which) {
    for (const ModeCode& m : kModeCodes) {
        if (m.edid == which)
            return m.code;
    }
    return 0x00;
}

bool ChooseEdidMode(DeviceLink& link, PresentedEdid which) {
    const BusyGuard::Operation operation = link.tryBeginOperation();
    if (!operation)
        return false;
    link.view().showPresentedEdid(which);
    const std::uint8_t code = EdidModeCode(which);
    link.sendWrite(Api_Edid_Mode, 1, &code);
    return true;
}

#include "CreatorItems.h"

#include "CreatorControls.h"

void ShowBits(const CreatorControls& controls, const BitBoxFamily& family, std::uint32_t value) {
    for (int n = family.first; n <= family.last; ++n)
        controls.setChecked(family.prefix, n, (value & family.mask(n)) != 0);
}

void ClearBits(const CreatorControls& controls, const BitBoxFamily& family) {
    ShowBits(controls, family, 0);
}

std::uint32_t ReadBits(const CreatorControls& controls, const BitBoxFamily& family) {
    std::uint32_t value = 0;
    for (int n = family.first; n <= family.last; ++n) {
        if (controls.checked(family.prefix, n))
            value |= family.mask(n);
    }
    return value;
}

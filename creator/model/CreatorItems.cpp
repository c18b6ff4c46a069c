#include "CreatorItems.h"

#include "CreatorModel.h"

void ShowBits(CreatorModel& model, const BitBoxFamily& family, std::uint32_t value) {
    for (int n = family.first; n <= family.last; ++n)
        model.setChecked(family.family, n, (value & family.mask(n)) != 0);
}

void ClearBits(CreatorModel& model, const BitBoxFamily& family) {
    ShowBits(model, family, 0);
}

std::uint32_t ReadBits(const CreatorModel& model, const BitBoxFamily& family) {
    std::uint32_t value = 0;
    for (int n = family.first; n <= family.last; ++n) {
        if (model.checked(family.family, n))
            value |= family.mask(n);
    }
    return value;
}

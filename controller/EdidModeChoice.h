#pragma once
#include "LinkView.h"

#include <cstdint>

class DeviceLink;

// The code Api_Edid_Mode carries for each presented EDID.
std::uint8_t EdidModeCode(PresentedEdid which);

// Makes the device present `which`: shown as chosen at once, then the mode request.
// False, with nothing shown or sent, when another operation runs.
bool ChooseEdidMode(DeviceLink& link, PresentedEdid which);

#include "DeviceEdids.h"

#include "ApiTypes.h"

const std::array<DeviceEdid, 4> DeviceEdids = {{
    {"Internal_Edid.bin", true, 0xFF, Api_Edid_Block0, Api_Edid_Block1, 200, 5},
    {"External_Edid.bin", false, 0x00, Api_Ext_Edid_Block0, Api_Ext_Edid_Block1, 200, 5},
    {"User_Edid.bin", true, 0x00, Api_Edid_Block0, Api_Edid_Block1, 300, 6},
    {"Stored_Edid.bin", true, 0x55, Api_Edid_Block0, Api_Edid_Block1, 200, 0},
}};

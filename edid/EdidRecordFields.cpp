#include "EdidRecordFields.h"

#include <sstream>

namespace {

template <typename T, std::size_t N> std::string numbers(const std::array<T, N>& values) {
    std::ostringstream s;
    s << '[';
    for (std::size_t i = 0; i < N; ++i)
        s << (i ? ", " : "") << static_cast<unsigned long>(values[i]);
    s << ']';
    return s.str();
}

template <typename T, std::size_t N, std::size_t M>
std::string numbers(const std::array<std::array<T, M>, N>& rows) {
    std::string s = "[";
    for (std::size_t i = 0; i < N; ++i)
        s += (i ? ", " : "") + numbers(rows[i]);
    return s + ']';
}

template <std::size_t N> std::string text(const std::array<char, N>& field) {
    std::size_t n = 0;
    while (n < N && field[n] != 0)
        ++n;
    return std::string(field.data(), n);
}

std::string number(unsigned long value) {
    return std::to_string(value);
}

} // namespace

std::vector<RecordField> RecordFields(const EdidInfo& r) {
    return {
        {"Status", number(r.Status)},
        {"Flags", number(r.Flags)},
        {"Image", numbers(r.Image)},
        {"Manufac_Name", text(r.Manufac_Name), true},
        {"Monitor_Name", text(r.Monitor_Name), true},
        {"Product_Code", number(r.Product_Code)},
        {"Serial_Number", number(r.Serial_Number)},
        {"Manufac_Year", number(r.Manufac_Year)},
        {"Manufac_Week", number(r.Manufac_Week)},
        {"Establish_Timing", number(r.Establish_Timing)},
        {"Standard_Timing", numbers(r.Standard_Timing)},
        {"Ext_Dtd", numbers(r.Ext_Dtd)},
        {"Color_Space", number(r.Color_Space)},
        {"Color_Depth", number(r.Color_Depth)},
        {"Max_Color_Depth", number(r.Max_Color_Depth)},
        {"Video_Id_Code", numbers(r.Video_Id_Code)},
        {"Audio_Sad", numbers(r.Audio_Sad)},
        {"Speaker_Alloc", number(r.Speaker_Alloc)},
        {"Yuv420_Vdb", numbers(r.Yuv420_Vdb)},
        {"Hdmi_Vic", numbers(r.Hdmi_Vic)},
        {"Hdmi_3D_Len", number(r.Hdmi_3D_Len)},
        {"Hdmi_3D_Byte", number(r.Hdmi_3D_Byte)},
        {"Hdmi_3D_Data", numbers(r.Hdmi_3D_Data)},
        {"Video_Cap", number(r.Video_Cap)},
        {"Colorimetry", number(r.Colorimetry)},
        {"Hdr_Eotf", number(r.Hdr_Eotf)},
        {"Hdr_Despt", number(r.Hdr_Despt)},
        {"Hdr_Dcld", numbers(r.Hdr_Dcld)},
        {"Max_Resolution", text(r.Max_Resolution), true},
        {"Support_600MHz", number(r.Support_600MHz)},
        {"Hf_Dc420", number(r.Hf_Dc420)},
        {"Support_SCDC", number(r.Support_SCDC)},
        {"Support_YUV420", number(r.Support_YUV420)},
        {"Cec_Address", numbers(r.Cec_Address)},
        {"Audio_Formats", number(r.Audio_Formats)},
        {"Audio_Max_Channel", number(r.Audio_Max_Channel)},
    };
}

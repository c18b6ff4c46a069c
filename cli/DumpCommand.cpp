// redaviv-cli dump: every field of the decoded record, as JSON.
#include "CommandLine.h"
#include "Commands.h"
#include "EdidDecoder.h"
#include "Json.h"

#include <ostream>
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

// A character field up to its terminating zero, each byte the character of its code.
template <std::size_t N> std::string text(const std::array<char, N>& field) {
    std::size_t n = 0;
    while (n < N && field[n] != 0)
        ++n;
    return JsonLatin1String(std::string(field.data(), n));
}

std::string number(unsigned long value) {
    return std::to_string(value);
}

// Every field in record order, under its own name; the spare byte after Hdr_Dcld is
// not a field of its own and is left out.
std::string recordJson(const EdidInfo& r) {
    const std::pair<const char*, std::string> fields[] = {
        {"Status", number(r.Status)},
        {"Flags", number(r.Flags)},
        {"Image", numbers(r.Image)},
        {"Manufac_Name", text(r.Manufac_Name)},
        {"Monitor_Name", text(r.Monitor_Name)},
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
        {"Max_Resolution", text(r.Max_Resolution)},
        {"Support_600MHz", number(r.Support_600MHz)},
        {"Hf_Dc420", number(r.Hf_Dc420)},
        {"Support_SCDC", number(r.Support_SCDC)},
        {"Support_YUV420", number(r.Support_YUV420)},
        {"Cec_Address", numbers(r.Cec_Address)},
        {"Audio_Formats", number(r.Audio_Formats)},
        {"Audio_Max_Channel", number(r.Audio_Max_Channel)},
    };
    std::string s = "{";
    bool first = true;
    for (const auto& [name, value] : fields) {
        s += first ? "\"" : ", \"";
        s += name;
        s += "\": ";
        s += value;
        first = false;
    }
    return s + '}';
}

int runDump(CommandContext& context) {
    FileCommandArgs args;
    if (!ParseFileCommandArgs(DumpCommand, context, true, args))
        return ExitStatus::Usage;
    if (args.help) {
        PrintCommandHelp(DumpCommand, context.out);
        return ExitStatus::Ok;
    }
    int status = ExitStatus::Ok;
    for (const std::string& file : args.files) {
        EdidInfo info;
        context.out << "{\"file\": " << JsonTextString(file);
        if (!CheckInputFile(DumpCommand, context, file) || !ReadFreshRecord(file, info)) {
            status = ExitStatus::Failed;
            context.out << ", \"error\": \"" << kOpenFailMessage << "\"}\n";
            continue;
        }
        DecodeEdid(info);
        context.out << ", \"record\": " << recordJson(info) << "}\n";
    }
    return status;
}

} // namespace

const Command DumpCommand = {
    "dump",
    "dump [--json] FILE...",
    "every field of the decoded EDID record, as JSON",
    "Reads each EDID file into a fresh record, decodes it and prints one JSON object\n"
    "per line: {\"file\": ..., \"record\": {\"Status\": ..., \"Flags\": ..., \"Image\": [...], "
    "...}}\n"
    "with every field of the record under its name: integers as numbers, byte arrays as\n"
    "arrays of numbers, Manufac_Name, Monitor_Name and Max_Resolution as strings (each\n"
    "byte the character of the same code). JSON is the only format; --json is accepted.\n"
    "A file that cannot be opened gives {\"file\": ..., \"error\": \"Edid Open Fail.\"}.\n"
    "\n"
    "Exit status: 0, or 1 when a file could not be opened; 2 on a usage error.\n",
    runDump,
};

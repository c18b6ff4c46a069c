#include "CreatorBindings.h"

#include <CreatorModel.h>

#include <QtGlobal>

namespace CreatorBindings {

namespace {

using E = CreatorEdit;
using F = BoxFamily;

struct EditBinding {
    CreatorEdit edit;
    const char* name;
    bool upperCase;
};

const EditBinding kEdits[] = {
    {E::ManufacName, "Edit_Creator_Manufac_Name", true},
    {E::MonitorName, "Edit_Creator_Monitor_Name", false},
    {E::ProductCode, "Edit_Creator_Product_Code", false},
    {E::SerialNumber, "Edit_Creator_Serial_Number", false},
    {E::ManufacYear, "Edit_Creator_Manufac_Year", false},
    {E::ManufacWeek, "Edit_Creator_Manufac_Week", false},
    {E::CecAddress, "Edit_Creator_CEC_Address", true},
    {E::LpcmMaxCh, "Edit_AudioLPCM_MaxCh", false},
    {E::Ac3MaxCh, "Edit_AudioAC3_MaxCh", false},
    {E::Eac3MaxCh, "Edit_AudioEAC3_MaxCh", false},
    {E::MatMaxCh, "Edit_AudioMAT_MaxCh", false},
    {E::DtsMaxCh, "Edit_AudioDTS_MaxCh", false},
    {E::DtshdMaxCh, "Edit_AudioDTSHD_MaxCh", false},
    {E::AacMaxCh, "Edit_AudioAAC_MaxCh", false},
    {E::ObaMaxCh, "Edit_AudioOBA_MaxCh", false},
    {E::Ac3BitRate, "Edit_AudioAC3_BitRate", false},
    {E::DtsBitRate, "Edit_AudioDTS_BitRate", false},
    {E::AacBitRate, "Edit_AudioAAC_BitRate", false},
    {E::HdrDcld1, "Edit_HDR_DCLD_1", false},
    {E::HdrDcld2, "Edit_HDR_DCLD_2", false},
    {E::HdrDcld3, "Edit_HDR_DCLD_3", false},
};

// A numbered family: its boxes are named `prefix` + number + `suffix`.
struct FamilyBinding {
    BoxFamily family;
    const char* prefix;
    const char* suffix;
};

const FamilyBinding kFamilies[] = {
    {F::EstablishTiming, "CheckBox_EstablishTiming_", ""},
    {F::StandardTiming, "CheckBox_StandardTiming_", ""},
    {F::ColorSpace, "CheckBox_ColorSpace_", ""},
    {F::ColorDepth, "CheckBox_ColorDepth_", ""},
    {F::Colorimetry, "CheckBox_Colorimetry_", ""},
    {F::VideoIdCode, "CheckBox_VideoIdCode_", ""},
    {F::Yuv420Vdb, "CheckBox_YUV420VDB_", ""},
    {F::HdrDeepColour, "CheckBox_HDR_", ""},
    {F::HdrEotf, "CheckBox_HDR_EOTF_", ""},
    {F::HdrDespt, "CheckBox_HDR_Despt_", ""},
    {F::Speaker, "CheckBox_SpeakerPosition_", ""},
    {F::SpeakerRight, "CheckBox_SpeakerPosition_", "r"},
    {F::LpcmSampleSize, "CheckBox_AudioLPCM_SamBit_", ""},
    {F::AudioFormat, "CheckBox_AudioFormat_", ""},
    {F::LpcmFreq, "CheckBox_AudioLPCM_Freq_", ""},
    {F::Ac3Freq, "CheckBox_AudioAC3_Freq_", ""},
    {F::Eac3Freq, "CheckBox_AudioEAC3_Freq_", ""},
    {F::MatFreq, "CheckBox_AudioMAT_Freq_", ""},
    {F::DtsFreq, "CheckBox_AudioDTS_Freq_", ""},
    {F::DtshdFreq, "CheckBox_AudioDTSHD_Freq_", ""},
    {F::AacFreq, "CheckBox_AudioAAC_Freq_", ""},
    {F::ObaFreq, "CheckBox_AudioOBA_Freq_", ""},
};

// Boxes with a name of their own.
struct BoxBinding {
    CreatorBox box;
    const char* name;
};

const BoxBinding kBoxes[] = {
    {{F::Present3D, 1}, "CheckBox_3D_Present"},
    {{F::HdrDetail, 1}, "CheckBox_HDR_Detail"},
    {{F::AudioDetail, 3}, "CheckBox_AudDetail_AC3"},
    {{F::AudioDetail, 4}, "CheckBox_AudDetail_EAC3"},
    {{F::AudioDetail, 5}, "CheckBox_AudDetail_MAT"},
    {{F::AudioDetail, 6}, "CheckBox_AudDetail_DTS"},
    {{F::AudioDetail, 7}, "CheckBox_AudDetail_DTSHD"},
    {{F::AudioDetail, 8}, "CheckBox_AudDetail_AAC"},
    {{F::AudioDetail, 9}, "CheckBox_AudDetail_OBA"},
};

const EditBinding& bindingOf(CreatorEdit edit) {
    for (const EditBinding& binding : kEdits) {
        if (binding.edit == edit)
            return binding;
    }
    qFatal("Redaviv: the editor binds no control to edit %d", static_cast<int>(edit));
}

} // namespace

const char* const WarningLabel = "Label_EdidCreator_Warning";

const char* editName(CreatorEdit edit) {
    return bindingOf(edit).name;
}

bool upperCase(CreatorEdit edit) {
    return bindingOf(edit).upperCase;
}

QByteArray boxName(CreatorBox box) {
    for (const BoxBinding& binding : kBoxes) {
        if (binding.box.family == box.family && binding.box.number == box.number)
            return binding.name;
    }
    for (const FamilyBinding& binding : kFamilies) {
        if (binding.family == box.family)
            return binding.prefix + QByteArray::number(box.number) + binding.suffix;
    }
    qFatal("Redaviv: the editor binds no control to box %d of family %d", box.number,
           static_cast<int>(box.family));
}

} // namespace CreatorBindings

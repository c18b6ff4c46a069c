#include "EdidOpenDialog.h"

#include "Prompts.h"

std::optional<ChosenEdidFile> ChooseEdidFile(Prompts& prompts) {
    const auto choice = prompts.chooseOpenFileOf({EdidBinFilter, EdidTextFilter});
    if (!choice)
        return std::nullopt;
    const bool text = choice->filter == EdidTextFilter;
    return ChosenEdidFile{choice->path,
                          text ? EdidFileReading::BinaryOrText : EdidFileReading::Binary};
}

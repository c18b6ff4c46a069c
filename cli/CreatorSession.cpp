#include "CreatorSession.h"

#include "CommandLine.h"
#include "CreatorCommands.h"

#include <CreatorBuilder.h>
#include <CreatorLoader.h>
#include <CreatorModel.h>
#include <EdidFile.h>
#include <EdidInfo.h>
#include <EdidInput.h>
#include <FilePath.h>
#include <IntegerText.h>

#include <algorithm>
#include <ostream>

namespace {

// The date of "YYYY-MM-DD" exactly: four digits, two, two, nothing before or after; an
// invalid date for any other text.
QDate exactDate(const std::string& text) {
    constexpr std::size_t Dashes[] = {4, 7};
    if (text.size() != 10)
        return {};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == Dashes[0] || i == Dashes[1];
        if (dash ? text[i] != '-' : (text[i] < '0' || text[i] > '9'))
            return {};
    }
    return QDate(std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)),
                 std::stoi(text.substr(8, 2)));
}

// How one input went through the creator.
struct Passage {
    int status = ExitStatus::Ok;
    std::string failure;    // the line that says why, when status is not Ok
    std::string notWritten; // "Not Written: ..." when blocks did not fit
};

// "Bin Modifiy" (or "Brand New" without an input) and "Save", as the window does them,
// with no edit in between.
Passage passThrough(const std::string* input, const std::string& output, const QDate& today) {
    CreatorModel model;
    EdidInfo CreatorSettings{};
    if (input) {
        const EdidInput read = ReadEdidInput(*input);
        if (read.status != EdidInputStatus::Read)
            return {ExitStatus::Failed, EdidInputMessage(read), {}};
        CreatorSettings.Image = read.image;
        StartFromFile(model, CreatorSettings, today);
    } else {
        StartBrandNew(model, CreatorSettings, today);
    }
    EncodeResult encoding;
    try {
        encoding = ReadBackCreator(model, CreatorSettings);
    } catch (const ConversionError& e) {
        return {ExitStatus::ConversionFailed, e.what(), {}};
    }
    if (!WriteEdidFile(output, CreatorSettings.Image))
        return {ExitStatus::Failed, kOpenFailMessage, {}};
    return {ExitStatus::Ok, {}, NotWrittenText(encoding)};
}

// -d: every input to OUTDIR under its own base name; a line per failure, prefixed with
// the input's name, and exit 1 if any failed.
int runIntoDirectory(CommandContext& context, const CreatorArgs& args, const QDate& today) {
    int status = ExitStatus::Ok;
    for (const std::string& input : args.inputs) {
        const Passage passage = passThrough(&input, args.outputDir + "/" + NameOf(input), today);
        if (passage.status != ExitStatus::Ok) {
            context.err << input << ": " << passage.failure << "\n";
            status = ExitStatus::Failed;
        } else if (!passage.notWritten.empty()) {
            context.err << input << ": " << passage.notWritten << "\n";
        }
    }
    return status;
}

} // namespace

bool ParseCreatorArgs(const Command& command, CommandContext& context, bool wantsInput,
                      CreatorArgs& parsed) {
    const auto& args = context.args;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "--help" || arg == "-h")) {
            parsed.help = true;
        } else if (options && arg == "-o") {
            if (!hasValue)
                return UsageError(command, context, "-o needs a file name");
            parsed.output = args[++i];
        } else if (options && wantsInput && arg == "-d") {
            if (!hasValue)
                return UsageError(command, context, "-d needs a folder name");
            parsed.outputDir = args[++i];
        } else if (options && arg == "--today") {
            if (!hasValue)
                return UsageError(command, context, "--today needs a date");
            parsed.today = exactDate(args[++i]);
            if (!parsed.today.isValid())
                return UsageError(command, context, "--today wants YYYY-MM-DD");
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            return UsageError(command, context, "unknown option '" + arg + "'");
        } else if (wantsInput) {
            parsed.inputs.push_back(arg);
        } else {
            return UsageError(command, context, "unexpected argument '" + arg + "'");
        }
    }
    if (parsed.help)
        return true;
    if (wantsInput && parsed.inputs.empty())
        return UsageError(command, context, "no FILE given");
    if (!parsed.outputDir.empty() &&
        std::find(parsed.inputs.begin(), parsed.inputs.end(), "-") != parsed.inputs.end())
        return UsageError(command, context, "-d saves under each FILE's name; '-' has none");
    if (!parsed.output.empty() && !parsed.outputDir.empty())
        return UsageError(command, context, "-o and -d exclude each other");
    if (parsed.outputDir.empty() && parsed.inputs.size() > 1)
        return UsageError(command, context, "unexpected argument '" + parsed.inputs[1] + "'");
    if (parsed.output.empty() && parsed.outputDir.empty())
        return UsageError(command, context,
                          wantsInput ? "no -o OUT or -d OUTDIR given" : "no -o OUT given");
    return true;
}

int RunCreatorSession(CommandContext& context, const CreatorArgs& args) {
    const QDate today = args.today.isValid() ? args.today : QDate::currentDate();
    if (!args.outputDir.empty())
        return runIntoDirectory(context, args, today);
    const std::string* input = args.inputs.empty() ? nullptr : &args.inputs.front();
    const Passage passage = passThrough(input, args.output, today);
    if (passage.status != ExitStatus::Ok)
        context.err << passage.failure << "\n";
    else if (!passage.notWritten.empty())
        context.err << passage.notWritten << "\n";
    return passage.status;
}

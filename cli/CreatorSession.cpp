#include "CreatorSession.h"

#include "CommandLine.h"
#include "CreatorCommands.h"
#include "TerminalText.h"

#include <CreatedEdid.h>
#include <CreatorModel.h>
#include <EdidInput.h>
#include <EdidValidation.h>
#include <FilePath.h>
#include <IntegerText.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <ostream>
#include <utility>

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
    std::string failure;    // the line that says why, when the input failed
    std::string notWritten; // "Not Written: ..." when blocks did not fit
    bool refused = false;   // the creator refused the input; the line names it
};

// "Bin Modifiy" of `image` (or "Brand New" without one) and "Save" to `output`, as the
// window does them, with no edit in between. A failed save is reported as it happens,
// naming the output.
Passage passThrough(CommandContext& context, const EdidImage* image, const std::string& output,
                    const QDate& today) {
    CreatorModel model;
    CreatedEdid created(model);
    if (image) {
        // The window shows a refused EDID as "Error." in its edits, where the user sees it;
        // saved unseen, those defaults would pass for the file's EDID.
        if (!created.load(*image, today))
            return {ExitStatus::Failed, ValidationMessage(created.settings().Status), {}, true};
    } else {
        created.startBrandNew(today);
    }
    EncodeResult encoding;
    try {
        encoding = created.build();
    } catch (const ConversionError& e) {
        return {ExitStatus::ConversionFailed, e.what(), {}};
    }
    const EdidImage& saved = created.image();
    if (!WriteCommandOutput(context, output, std::vector<std::uint8_t>(saved.begin(), saved.end())))
        return {ExitStatus::Failed, {}, {}};
    return {ExitStatus::Ok, {}, NotWrittenText(encoding)};
}

// The input through the creator, when it reads as an EDID.
Passage passInput(CommandContext& context, const EdidInput& input, const std::string& output,
                  const QDate& today) {
    if (input.status != EdidInputStatus::Read)
        return {ExitStatus::Failed, EdidInputMessage(input), {}};
    return passThrough(context, &input.image, output, today);
}

// -d writes one file per input, so before anything is written: OUTDIR must be a folder,
// no two inputs may be saved as one file (the second would replace the first), and no
// output may be an input (it would be replaced by what was read from another, or from
// itself, cut to 256 bytes). An output that does not exist yet is no input.
int checkDirectoryPlan(CommandContext& context, const CreatorArgs& args,
                       const std::vector<std::string>& outputs) {
    const PathKind kind = KindOfPath(args.outputDir);
    const bool exists = kind != PathKind::Missing;
    if (kind != PathKind::Directory) {
        PrintFileLine(context.err, args.outputDir,
                      exists || errno != ENOENT ? "is not a folder" : "no such folder");
        return ExitStatus::Failed;
    }
    std::vector<std::optional<FileIdentity>> outputFiles;
    for (const std::string& output : outputs)
        outputFiles.push_back(IdentityOfFile(output));
    const auto& inputs = args.inputs;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        for (std::size_t j = i + 1; j < inputs.size(); ++j) {
            if (SameFileName(outputs[i], outputs[j]) ||
                (outputFiles[i] && outputFiles[i] == outputFiles[j])) {
                UsageError(RoundtripCommand, context,
                           inputs[i] + " and " + inputs[j] + " would both be saved as " +
                               outputs[j] + "; nothing written");
                return ExitStatus::Usage;
            }
        }
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        for (const std::string& input : inputs) {
            if (outputFiles[i] && outputFiles[i] == IdentityOfFile(input)) {
                UsageError(RoundtripCommand, context,
                           outputs[i] + " would overwrite the input " + input +
                               "; nothing written");
                return ExitStatus::Usage;
            }
        }
    }
    return ExitStatus::Ok;
}

// -d: every input to OUTDIR under its own base name; a line per failure, prefixed with
// the input's name (or, for a save that failed, naming the output), and exit 1 if any
// failed.
int runIntoDirectory(CommandContext& context, const CreatorArgs& args, const QDate& today) {
    std::vector<std::string> outputs;
    for (const std::string& input : args.inputs)
        outputs.push_back(PathInFolder(args.outputDir, NameOf(input)));
    if (const int refused = checkDirectoryPlan(context, args, outputs))
        return refused;
    int status = ExitStatus::Ok;
    for (std::size_t i = 0; i < args.inputs.size(); ++i) {
        const std::string& input = args.inputs[i];
        // A path that is no regular file is one failure line, as any unreadable input.
        const EdidInput read = ReadEdidInput(input);
        NoteLongInput(context, input, read);
        const Passage passage = passInput(context, read, outputs[i], today);
        if (passage.status != ExitStatus::Ok) {
            if (!passage.failure.empty())
                PrintFileLine(context.err, input, passage.failure);
            status = ExitStatus::Failed;
        } else if (!passage.notWritten.empty()) {
            PrintFileLine(context.err, input, passage.notWritten);
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
    Passage passage;
    if (args.inputs.empty()) {
        passage = passThrough(context, nullptr, args.output, today);
    } else {
        const std::optional<EdidInput> input =
            ReadCommandInput(RoundtripCommand, context, args.inputs.front());
        if (!input)
            return ExitStatus::Failed;
        passage = passInput(context, *input, args.output, today);
    }
    if (passage.refused)
        PrintFileLine(context.err, args.inputs.front(), passage.failure);
    else if (!passage.failure.empty())
        context.err << TerminalText(passage.failure) << "\n";
    else if (!passage.notWritten.empty())
        context.err << passage.notWritten << "\n";
    return passage.status;
}

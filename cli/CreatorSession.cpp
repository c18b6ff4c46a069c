#include "CreatorSession.h"

#include "CommandLine.h"
#include "CreatorCommands.h"

#include <CreatorFiles.h>
#include <ScriptedPrompts.h>
#include <User_interface.h>

#include <QApplication>

#include <cstring>
#include <ostream>

namespace {

bool usageError(const Command& command, CommandContext& context, const std::string& message) {
    context.err << "redaviv-cli " << command.name << ": " << message << "\n";
    PrintCommandUsage(command, context.err);
    return false;
}

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

int statusOf(CreatorOutcome outcome, CommandContext& context, const ScriptedPrompts& prompts) {
    switch (outcome) {
    case CreatorOutcome::Done:
        return ExitStatus::Ok;
    case CreatorOutcome::ConversionFailed:
        context.err << prompts.errors.back() << "\n";
        return ExitStatus::ConversionFailed;
    default:
        context.err << kOpenFailMessage << "\n";
        return ExitStatus::Failed;
    }
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
                return usageError(command, context, "-o needs a file name");
            parsed.output = args[++i];
        } else if (options && arg == "--today") {
            if (!hasValue)
                return usageError(command, context, "--today needs a date");
            parsed.today = exactDate(args[++i]);
            if (!parsed.today.isValid())
                return usageError(command, context, "--today wants YYYY-MM-DD");
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            return usageError(command, context, "unknown option '" + arg + "'");
        } else if (wantsInput && !parsed.input) {
            parsed.input = arg;
        } else {
            return usageError(command, context, "unexpected argument '" + arg + "'");
        }
    }
    if (parsed.help)
        return true;
    if (wantsInput && !parsed.input)
        return usageError(command, context, "no FILE given");
    if (parsed.output.empty())
        return usageError(command, context, "no -o OUT given");
    return true;
}

int RunCreatorSession(CommandContext& context, const CreatorArgs& args) {
    auto owned = std::make_unique<ScriptedPrompts>();
    ScriptedPrompts& prompts = *owned;
    TForm1 form(QStringList(), std::move(owned));
    auto* files = form.findChild<CreatorFiles*>();
    if (args.today.isValid())
        files->setToday([today = args.today] { return today; });

    CreatorOutcome outcome;
    if (args.input) {
        prompts.openAnswers.push_back(*args.input);
        outcome = files->RadioButton_Bin_ModifiyMouseDown();
    } else {
        outcome = files->RadioButton_Brand_NewMouseDown();
    }
    if (outcome != CreatorOutcome::Done)
        return statusOf(outcome, context, prompts);

    prompts.saveAnswers.push_back(args.output);
    outcome = files->Button_Save_CreatedClick();
    if (outcome == CreatorOutcome::Done && !files->lastEncoding().notWritten.empty())
        context.err << NotWrittenText(files->lastEncoding()) << "\n";
    return statusOf(outcome, context, prompts);
}

std::unique_ptr<QCoreApplication> MakeCliApplication(int& argc, char** argv) {
    const bool creator = argc >= 2 && (std::strcmp(argv[1], RoundtripCommand.name) == 0 ||
                                       std::strcmp(argv[1], BrandnewCommand.name) == 0);
    if (!creator)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

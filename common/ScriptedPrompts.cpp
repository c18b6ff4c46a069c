#include "ScriptedPrompts.h"

namespace {
std::optional<std::string> next(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty())
        return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}
} // namespace

std::optional<std::string> ScriptedPrompts::chooseOpenFile(const std::string&) {
    ++openCalls;
    return next(openAnswers);
}

std::optional<std::string> ScriptedPrompts::chooseSaveFile(const std::string&,
                                                           const std::string& suggestedName) {
    ++saveCalls;
    suggestedNames.push_back(suggestedName);
    return next(saveAnswers);
}

void ScriptedPrompts::showError(const std::string& message) {
    errors.push_back(message);
}

void ScriptedPrompts::showInformation(const std::string& title, const std::string& message) {
    informations.push_back(title + "|" + message);
}

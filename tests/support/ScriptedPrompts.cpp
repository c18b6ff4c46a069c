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

std::optional<Prompts::OpenChoice>
ScriptedPrompts::chooseOpenFileOf(const std::vector<std::string>& filters) {
    offeredFilters.push_back(filters);
    const std::optional<std::string> path = chooseOpenFile({});
    std::string filter = filters.empty() ? std::string() : filters.front();
    if (!openFilters.empty()) {
        filter = openFilters.front();
        openFilters.pop_front();
    }
    if (!path)
        return std::nullopt;
    return OpenChoice{*path, filter};
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

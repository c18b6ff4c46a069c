#pragma once
#include "Prompts.h"

#include <deque>
#include <string>
#include <vector>

// Prompts that never wait: file choosers answer from a queue (an empty queue means
// "cancelled"), message boxes are recorded. For the tests.
class ScriptedPrompts : public Prompts {
public:
    std::deque<std::optional<std::string>> openAnswers;
    // The filter each open answer is chosen under, in turn; the first one offered when
    // this runs out. Every list of filters offered is kept.
    std::deque<std::string> openFilters;
    std::vector<std::vector<std::string>> offeredFilters;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<std::string> errors;
    std::vector<std::string> informations;
    std::vector<std::string> suggestedNames;
    int openCalls = 0;
    int saveCalls = 0;

    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::optional<OpenChoice> chooseOpenFileOf(const std::vector<std::string>& filters) override;
    std::optional<std::string> chooseSaveFile(const std::string& filter,
                                              const std::string& suggestedName) override;
    void showError(const std::string& message) override;
    void showInformation(const std::string& title, const std::string& message) override;
};

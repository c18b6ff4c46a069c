#pragma once
#include <optional>
#include <string>
#include <vector>

// Every modal interaction goes through here, so tests and the command line never
// wait on a dialog. Filters are in the toolkit's form, e.g. "EDID (*.bin)".
class Prompts {
public:
    virtual ~Prompts() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> chooseOpenFile(const std::string& filter) = 0;
    // An Open dialog offering several filters: the chosen path and the filter it was
    // chosen under (one of `filters`), or nothing when the user cancelled.
    struct OpenChoice {
        std::string path;
        std::string filter;
    };
    virtual std::optional<OpenChoice> chooseOpenFileOf(const std::vector<std::string>& filters) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& filter,
                                                      const std::string& suggestedName) = 0;
    // The standard error box: title "Redaviv", the message, one OK button.
    virtual void showError(const std::string& message) = 0;
    virtual void showInformation(const std::string& title, const std::string& message) = 0;
};

#pragma once
#include <Prompts.h>

class QWidget;

// The window's modal interactions: file dialogs and message boxes.
class WindowPrompts : public Prompts {
public:
    explicit WindowPrompts(QWidget& window);

    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::optional<OpenChoice> chooseOpenFileOf(const std::vector<std::string>& filters) override;
    std::optional<std::string> chooseSaveFile(const std::string& filter,
                                              const std::string& suggestedName) override;
    void showError(const std::string& message) override;
    void showInformation(const std::string& title, const std::string& message) override;

private:
    QWidget& window_;
};

#include "WindowPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

namespace {
// The information box opens at this offset from the window's top-left corner.
const QPoint kInformationOffset(120, 160);

std::optional<std::string> chosen(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}
} // namespace

WindowPrompts::WindowPrompts(QWidget& window) : window_(window) {}

std::optional<std::string> WindowPrompts::chooseOpenFile(const std::string& filter) {
    return chosen(QFileDialog::getOpenFileName(&window_, QString(), QString(),
                                               QString::fromStdString(filter)));
}

std::optional<Prompts::OpenChoice>
WindowPrompts::chooseOpenFileOf(const std::vector<std::string>& filters) {
    QStringList offered;
    for (const std::string& filter : filters)
        offered.append(QString::fromStdString(filter));
    QString selected;
    const std::optional<std::string> path = chosen(QFileDialog::getOpenFileName(
        &window_, QString(), QString(), offered.join(QStringLiteral(";;")), &selected));
    if (!path)
        return std::nullopt;
    return OpenChoice{*path, selected.toStdString()};
}

std::optional<std::string> WindowPrompts::chooseSaveFile(const std::string& filter,
                                                         const std::string& suggestedName) {
    return chosen(QFileDialog::getSaveFileName(&window_, QString(),
                                               QString::fromStdString(suggestedName),
                                               QString::fromStdString(filter)));
}

void WindowPrompts::showError(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Redaviv"),
                    QString::fromStdString(message), QMessageBox::Ok, &window_);
    box.exec();
}

void WindowPrompts::showInformation(const std::string& title, const std::string& message) {
    QMessageBox box(QMessageBox::Information, QString::fromStdString(title),
                    QString::fromStdString(message), QMessageBox::Ok, &window_);
    box.move(window_.frameGeometry().topLeft() + kInformationOffset);
    box.exec();
}

#include "FirmwareWidgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

FirmwareWidgets::FirmwareWidgets(QLineEdit& path, QLabel& version, QPushButton& update,
                                 QCheckBox& verify)
    : path_(path), version_(version), update_(update), verify_(verify) {}

void FirmwareWidgets::showFirmwarePath(const std::string& path) {
    path_.setText(QString::fromStdString(path));
}

void FirmwareWidgets::setVersionText(const std::string& text) {
    version_.setText(latin1(text));
}

void FirmwareWidgets::setUpdateEnabled(bool enabled) {
    update_.setEnabled(enabled);
}

bool FirmwareWidgets::verifyChecked() const {
    return verify_.isChecked();
}

#pragma once
#include "FirmwareView.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The window's firmware group as a FirmwareView.
class FirmwareWidgets : public FirmwareView {
public:
    FirmwareWidgets(QLineEdit& path, QLabel& version, QPushButton& update, QCheckBox& verify);

    void showFirmwarePath(const std::string& path) override;
    void setVersionText(const std::string& text) override;
    void setUpdateEnabled(bool enabled) override;
    bool verifyChecked() const override;

private:
    QLineEdit& path_;
    QLabel& version_;
    QPushButton& update_;
    QCheckBox& verify_;
};

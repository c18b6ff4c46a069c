#pragma once
#include "FirmwareView.h"

#include <QObject>

#include <memory>
#include <string>

class DeviceLink;
class Prompts;
class Reporter;

// The firmware group's handlers: choosing the image file and updating the device's
// firmware through its loader. Remembers the chosen path until the next "Open".
class FirmwareHandlers : public QObject {
    Q_OBJECT
public:
    FirmwareHandlers(DeviceLink& link, Reporter& reporter, Prompts& prompts,
                     std::unique_ptr<FirmwareView> view, QObject* parent = nullptr);

    // "Open": chooses the image and checks it; "Update": writes it through the loader.
    void openImage();
    void update();

    const std::string& firmwarePath() const { return path_; }

private:
    DeviceLink& link_;
    Reporter& reporter_;
    Prompts& prompts_;
    std::unique_ptr<FirmwareView> view_;
    std::string path_;
};

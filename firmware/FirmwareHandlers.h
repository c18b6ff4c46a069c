#pragma once
#include "FirmwareView.h"

#include <QObject>

#include <memory>
#include <string>

class DeviceLink;
class Prompts;
class Reporter;

// The firmware group's handlers: checking the image file and updating the device's
// firmware through its loader. Remembers the checked path until the next one.
class FirmwareHandlers : public QObject {
    Q_OBJECT
public:
    FirmwareHandlers(DeviceLink& link, Reporter& reporter, std::unique_ptr<FirmwareView> view,
                     QObject* parent = nullptr);

    // "Open": asks `prompts` for the image, then checks it.
    void openImage(Prompts& prompts);
    // Checks the image at `path`: its version, and whether "Update" may be pressed.
    void checkImage(const std::string& path);
    // "Update": writes the image through the loader.
    void update();

    const std::string& firmwarePath() const { return path_; }

private:
    DeviceLink& link_;
    Reporter& reporter_;
    std::unique_ptr<FirmwareView> view_;
    std::string path_;
};

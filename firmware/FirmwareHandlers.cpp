#include "FirmwareHandlers.h"

#include "DeviceLink.h"
#include "FirmwareImage.h"
#include "FirmwareUpdate.h"
#include "Prompts.h"
#include "Reporter.h"

FirmwareHandlers::FirmwareHandlers(DeviceLink& link, Reporter& reporter,
                                   std::unique_ptr<FirmwareView> view, QObject* parent)
    : QObject(parent), link_(link), reporter_(reporter), view_(std::move(view)) {
    // A search found the loader: an update can start, from 0%.
    connect(&link_, &DeviceLink::connectionChanged, this, [this](Connection connection) {
        if (connection == Connection::Isp)
            reporter_.setStatusText(StatusLabel::Firmware, "0%");
    });
}

void FirmwareHandlers::openImage(Prompts& prompts) {
    // No dialog while a device operation runs.
    if (link_.operationRunning())
        return;
    if (const std::optional<std::string> chosen = prompts.chooseOpenFile("EDID (*.bin)"))
        checkImage(*chosen);
}

void FirmwareHandlers::checkImage(const std::string& path) {
    path_ = path;
    view_->showFirmwarePath(path_);

    const std::optional<FirmwareImage> image = FirmwareImage::load(path_);
    if (!image) {
        reporter_.replaceLog("Fw Open Fail.\r\n");
        reporter_.setStatusColour(StatusLabel::Firmware, Colour::Red);
        reporter_.setStatusText(StatusLabel::Firmware, "Update Fw Failed.");
        return;
    }
    reporter_.replaceLog("Fw Open OK.\r\n");
    // The other loader variant takes any file; its images carry no tag.
    if (link_.ispVariant() == 1) {
        view_->setUpdateEnabled(true);
        return;
    }
    const std::optional<std::string> version = image->versionText();
    view_->setVersionText("Target Version : " + version.value_or("Illegal !"));
    view_->setUpdateEnabled(version.has_value());
}

void FirmwareHandlers::update() {
    updateFirmware(link_, reporter_, path_, [this] { return view_->verifyChecked(); });
}

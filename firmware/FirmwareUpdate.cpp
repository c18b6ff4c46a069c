#include "FirmwareUpdate.h"

#include "DeviceLink.h"
#include "IspUpdate.h"
#include "Kqb707Update.h"
#include "Reporter.h"

namespace {

void showFailure(Reporter& reporter, const char* text) {
    reporter.setStatusColour(StatusLabel::Firmware, Colour::Red);
    reporter.setStatusText(StatusLabel::Firmware, text);
}

} // namespace

FirmwareUpdateResult updateFirmware(DeviceLink& link, Reporter& reporter, const std::string& path,
                                    const std::function<bool()>& verify) {
    BusyGuard::Operation operation = link.tryBeginOperation();
    if (!operation)
        return FirmwareUpdateResult::Refused;
    if (!link.ispMode()) {
        showFailure(reporter, "Not ISP Mode.");
        return FirmwareUpdateResult::NotIspMode;
    }
    switch (link.ispVariant()) {
    case 0:
        return IspUpdate(link, reporter, operation, verify).run(path)
                   ? FirmwareUpdateResult::Finished
                   : FirmwareUpdateResult::Failed;
    case 1:
        updateKqb707(link, reporter, path);
        return FirmwareUpdateResult::Failed;
    default:
        showFailure(reporter, "Unknow Device.");
        return FirmwareUpdateResult::UnknownDevice;
    }
}

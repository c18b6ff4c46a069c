#include "EdidFileUpload.h"

#include "DeviceLink.h"
#include "EdidOpenLog.h"
#include "EdidUpload.h"
#include "EdidValidation.h"
#include "Reporter.h"

namespace {

void showFailure(Reporter& reporter, const std::string& message) {
    reporter.setStatusColour(StatusLabel::Upload, Colour::Red);
    reporter.setStatusText(StatusLabel::Upload, message);
}

} // namespace

FileUploadResult UploadEdidFile(DeviceLink& link, const std::string& path, EdidInfo& record,
                                EdidFileReading reading) {
    if (link.operationRunning())
        return FileUploadResult::Refused;
    return UploadEdidInput(link, ReadEdidFileAs(path, reading), record);
}

FileUploadResult UploadEdidInput(DeviceLink& link, const EdidInput& input, EdidInfo& record) {
    const BusyGuard::Operation operation = link.tryBeginOperation();
    if (!operation)
        return FileUploadResult::Refused;
    Reporter& reporter = link.reporter();
    if (!LogEdidOpen(reporter, input)) {
        showFailure(reporter, "Upload Edid Failed.");
        return FileUploadResult::OpenFailed;
    }
    record.Image = input.image;

    if (!ValidateEdid(record)) {
        showFailure(reporter, ValidationMessage(record.Status));
        return FileUploadResult::Invalid;
    }
    const auto lineLost = [&reporter] { showFailure(reporter, "Upload Edid Failed."); };
    return UploadEdidImage(link, record.Image, operation, lineLost) ? FileUploadResult::Sent
                                                                    : FileUploadResult::Cancelled;
}

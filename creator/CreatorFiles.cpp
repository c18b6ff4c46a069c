#include "CreatorFiles.h"

#include "CreatorBuilder.h"
#include "CreatorModel.h"

#include <DeviceLink.h>
#include <EdidFile.h>
#include <EdidOpenDialog.h>
#include <EdidOpenLog.h>
#include <EdidUpload.h>
#include <EdidValidation.h>
#include <IntegerText.h>
#include <Prompts.h>
#include <Reporter.h>

namespace {

constexpr const char* EdidFilter = "EDID (*.bin)";
constexpr const char* SaveName = "Created_Edid.bin";
constexpr const char* OpenOk = "Edid Open OK.\r\n";
constexpr const char* OpenFail = "Edid Open Fail.\r\n";

} // namespace

CreatorFiles::CreatorFiles(CreatorModel& model, Prompts& prompts, Reporter& reporter,
                           DeviceLink& link, QObject* parent)
    : QObject(parent), model_(model), prompts_(prompts), reporter_(reporter), link_(link),
      today_([] { return QDate::currentDate(); }), modelChanged_([] {}), created_(model) {
    setObjectName(QStringLiteral("CreatorFiles"));
}

CreatorOutcome CreatorFiles::startBrandNew() {
    created_.startBrandNew(today_());
    modelChanged_();
    return CreatorOutcome::Done;
}

CreatorOutcome CreatorFiles::loadBinFile() {
    if (link_.operationRunning())
        return CreatorOutcome::Refused;
    const auto chosen = ChooseEdidFile(prompts_);
    if (!chosen)
        return CreatorOutcome::Cancelled;
    const EdidInput input = ReadEdidFileAs(chosen->path, chosen->reading);
    if (!LogEdidOpen(reporter_, input))
        return CreatorOutcome::OpenFailed;
    // A file that fails validation is loaded all the same: the creator shows "Error.".
    created_.load(input.image, today_());
    modelChanged_();
    return CreatorOutcome::Done;
}

bool CreatorFiles::buildCreated() {
    const bool built = RunHandler(prompts_, [this] { lastEncoding_ = created_.build(); });
    if (!built)
        return false;
    ShowNotWritten(model_, lastEncoding_);
    modelChanged_();
    return true;
}

CreatorOutcome CreatorFiles::saveCreated() {
    if (link_.operationRunning())
        return CreatorOutcome::Refused;
    if (!buildCreated())
        return CreatorOutcome::ConversionFailed;
    const auto path = prompts_.chooseSaveFile(EdidFilter, SaveName);
    if (!path)
        return CreatorOutcome::Cancelled;
    if (!WriteEdidFile(*path, created_.image())) {
        reporter_.replaceLog(OpenFail);
        return CreatorOutcome::OpenFailed;
    }
    reporter_.replaceLog(OpenOk);
    return CreatorOutcome::Done;
}

CreatorOutcome CreatorFiles::uploadCreated() {
    const BusyGuard::Operation operation = link_.tryBeginOperation();
    if (!operation)
        return CreatorOutcome::Refused;
    if (!buildCreated())
        return CreatorOutcome::ConversionFailed;
    if (!ValidateEdid(created_.settings())) {
        reporter_.setStatusText(StatusLabel::CreatorUpload,
                                ValidationMessage(created_.settings().Status));
        return CreatorOutcome::NotValid;
    }
    const auto lineLost = [this] {
        reporter_.setStatusText(StatusLabel::CreatorUpload, "Upload Edid Failed.");
    };
    return UploadEdidImage(link_, created_.image(), operation, lineLost)
               ? CreatorOutcome::Done
               : CreatorOutcome::Disconnected;
}

#include "CreatorFiles.h"

#include "BrandNewEdid.h"
#include "CreatorBuilder.h"
#include "CreatorLoader.h"

#include <DeviceLink.h>
#include <EdidFile.h>
#include <EdidUpload.h>
#include <EdidValidation.h>
#include <IntegerText.h>
#include <Prompts.h>
#include <Reporter.h>

#include <QLabel>

namespace {

constexpr const char* EdidFilter = "EDID (*.bin)";
constexpr const char* SaveName = "Created_Edid.bin";
constexpr const char* WarningLabel = "Label_EdidCreator_Warning";
constexpr const char* NotWrittenStart = "Not Written: ";
constexpr const char* OpenOk = "Edid Open OK.\r\n";
constexpr const char* OpenFail = "Edid Open Fail.\r\n";

} // namespace

CreatorFiles::CreatorFiles(QWidget& window, Prompts& prompts, Reporter& reporter, DeviceLink& link,
                           QObject* parent)
    : QObject(parent), controls_(window), prompts_(prompts), reporter_(reporter), link_(link),
      today_([] { return QDate::currentDate(); }) {
    setObjectName(QStringLiteral("CreatorFiles"));
}

CreatorOutcome CreatorFiles::RadioButton_Brand_NewMouseDown() {
    CreatorSettings.Status |= EdidStatus::BrandNew;
    CreatorSettings.Image = BrandNewEdid;
    LoadCreator(controls_, CreatorSettings, CreatorSettings.Image, today_());
    return CreatorOutcome::Done;
}

CreatorOutcome CreatorFiles::RadioButton_Bin_ModifiyMouseDown() {
    if (link_.operationRunning())
        return CreatorOutcome::Refused;
    const auto path = prompts_.chooseOpenFile(EdidFilter);
    if (!path)
        return CreatorOutcome::Cancelled;
    if (!ReadEdidFile(*path, CreatorSettings.Image)) {
        reporter_.replaceLog(OpenFail);
        return CreatorOutcome::OpenFailed;
    }
    reporter_.replaceLog(OpenOk);
    CreatorSettings.Status &= static_cast<std::uint16_t>(~EdidStatus::BrandNew);
    LoadCreator(controls_, CreatorSettings, CreatorSettings.Image, today_());
    return CreatorOutcome::Done;
}

bool CreatorFiles::buildCreated() {
    const bool built = RunHandler(
        prompts_, [this] { lastEncoding_ = ReadCreatorControls(controls_, CreatorSettings); });
    if (!built)
        return false;
    QLabel& warning = controls_.label(WarningLabel);
    const std::string notWritten = NotWrittenText(lastEncoding_);
    if (!notWritten.empty())
        warning.setText(QString::fromLatin1(notWritten.c_str()));
    else if (warning.text().startsWith(QLatin1String(NotWrittenStart)))
        warning.clear(); // an earlier build's warning no longer holds
    return true;
}

CreatorOutcome CreatorFiles::Button_Save_CreatedClick() {
    if (link_.operationRunning())
        return CreatorOutcome::Refused;
    if (!buildCreated())
        return CreatorOutcome::ConversionFailed;
    const auto path = prompts_.chooseSaveFile(EdidFilter, SaveName);
    if (!path)
        return CreatorOutcome::Cancelled;
    if (!WriteEdidFile(*path, CreatorSettings.Image)) {
        reporter_.replaceLog(OpenFail);
        return CreatorOutcome::OpenFailed;
    }
    reporter_.replaceLog(OpenOk);
    return CreatorOutcome::Done;
}

CreatorOutcome CreatorFiles::Button_Upload_CreatedClick() {
    const BusyGuard::Operation operation = link_.tryBeginOperation();
    if (!operation)
        return CreatorOutcome::Refused;
    if (!buildCreated())
        return CreatorOutcome::ConversionFailed;
    // Only the built image's failure may show, not one left from loading a bad file.
    CreatorSettings.Status &= static_cast<std::uint16_t>(~EdidStatus::ValidationMask);
    if (!ValidateEdid(CreatorSettings)) {
        reporter_.setStatusText(StatusLabel::CreatorUpload,
                                ValidationMessage(CreatorSettings.Status));
        return CreatorOutcome::NotValid;
    }
    return UploadEdidImage(link_, CreatorSettings.Image, operation) ? CreatorOutcome::Done
                                                                    : CreatorOutcome::Disconnected;
}

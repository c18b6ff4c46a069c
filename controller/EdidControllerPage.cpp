#include "EdidControllerPage.h"

#include "DeviceLink.h"
#include "EdidDownload.h"
#include "EdidFileUpload.h"
#include "EdidModeChoice.h"
#include "EdidOpenDialog.h"
#include "Prompts.h"

#include <QLineEdit>

EdidControllerPage::EdidControllerPage(DeviceLink& link, Prompts& prompts, QLineEdit& edidPath,
                                       QObject* parent)
    : QObject(parent), link_(link), prompts_(prompts), edidPath_(edidPath) {}

void EdidControllerPage::download(std::size_t row) {
    // No dialog while a device operation runs. The operation begins when the dialog has
    // closed, so that the status poll watches the line while it is open; the dialog is
    // modal, so nothing else can begin meanwhile.
    if (link_.operationRunning())
        return;
    const DeviceEdid& entry = DeviceEdids[row];
    if (const auto path = prompts_.chooseSaveFile("EDID (*.bin)", entry.offeredName))
        DownloadEdid(link_, *path, entry);
}

void EdidControllerPage::Button_DL_IntEdidClick() {
    download(0);
}
void EdidControllerPage::Button_DL_ExtEdidClick() {
    download(1);
}
void EdidControllerPage::Button_DL_UserEdidClick() {
    download(2);
}
void EdidControllerPage::Button_DL_StoredEdidClick() {
    download(3);
}

void EdidControllerPage::Button_Open_EdidClick() {
    const BusyGuard::Operation operation = link_.tryBeginOperation();
    if (!operation)
        return;
    // Nothing received is collected or logged while the dialog is open.
    const ReceivePause pause = link_.pauseReceive();
    if (const auto chosen = ChooseEdidFile(prompts_)) {
        edidPath_.setText(QString::fromStdString(chosen->path));
        textPath_ = chosen->reading == EdidFileReading::BinaryOrText ? chosen->path : std::string();
    }
}

void EdidControllerPage::Button_Upload_EdidClick() {
    const std::string path = edidPath_.text().toStdString();
    // A path typed over the chosen one is read as "*.bin" files are.
    const EdidFileReading reading = !textPath_.empty() && path == textPath_
                                        ? EdidFileReading::BinaryOrText
                                        : EdidFileReading::Binary;
    UploadEdidFile(link_, path, uploadRecord_, reading);
}

void EdidControllerPage::RadioButton_Set_IntEdidMouseDown() {
    ChooseEdidMode(link_, PresentedEdid::Internal);
}
void EdidControllerPage::RadioButton_Set_ExtEdidMouseDown() {
    ChooseEdidMode(link_, PresentedEdid::External);
}
void EdidControllerPage::RadioButton_Set_UserEdidMouseDown() {
    ChooseEdidMode(link_, PresentedEdid::User);
}

#include "EdidControllerPage.h"

#include "DeviceLink.h"
#include "EdidDownload.h"
#include "EdidFileUpload.h"
#include "EdidModeChoice.h"
#include "Prompts.h"

#include <QLineEdit>

EdidControllerPage::EdidControllerPage(DeviceLink& link, Prompts& prompts, QLineEdit& edidPath,
                                       QObject* parent)
    : QObject(parent), link_(link), prompts_(prompts), edidPath_(edidPath) {}

void EdidControllerPage::download(std::size_t row) {
    DownloadEdid(link_, prompts_, EdidDownloads[row]);
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
    const DeviceLink::ReceivePause pause = link_.pauseReceive();
    const auto path = prompts_.chooseOpenFile("EDID (*.bin)");
    if (path)
        edidPath_.setText(QString::fromLocal8Bit(path->c_str()));
}

void EdidControllerPage::Button_Upload_EdidClick() {
    UploadEdidFile(link_, edidPath_.text().toLocal8Bit().toStdString(), uploadRecord_);
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

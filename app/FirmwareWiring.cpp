#include "User_interface.h"

#include <FirmwareHandlers.h>
#include <FirmwareWidgets.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void TForm1::wireFirmware() {
    auto view = std::make_unique<FirmwareWidgets>(
        *control<QLineEdit>("Edit_Fw_Path"), *control<QLabel>("Label_FW_Version"),
        *control<QPushButton>("Button_Update_Fw"), *control<QCheckBox>("CheckBox_FW_Verify"));
    // A Qt child of the window: it keeps the firmware path for the window's life.
    auto* firmware = new FirmwareHandlers(link(), reporter(), std::move(view), this);
    connect(control<QPushButton>("Button_Open_Fw"), &QPushButton::clicked, firmware,
            [this, firmware] { firmware->openImage(prompts()); });
    connect(control<QPushButton>("Button_Update_Fw"), &QPushButton::clicked, firmware,
            [firmware] { firmware->update(); });
}

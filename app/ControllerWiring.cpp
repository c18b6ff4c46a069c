#include "User_interface.h"

#include "BusyPressFilter.h"
#include "DeviceLink.h"
#include "EdidControllerPage.h"
#include "MouseDown.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void TForm1::wireController() {
    auto* page =
        new EdidControllerPage(link(), prompts(), *control<QLineEdit>("Edit_Edid_Path"), this);
    using Handler = void (EdidControllerPage::*)();
    const struct {
        const char* button;
        Handler handler;
    } clicks[] = {
        {"Button_DL_IntEdid", &EdidControllerPage::Button_DL_IntEdidClick},
        {"Button_DL_ExtEdid", &EdidControllerPage::Button_DL_ExtEdidClick},
        {"Button_DL_UserEdid", &EdidControllerPage::Button_DL_UserEdidClick},
        {"Button_DL_StoredEdid", &EdidControllerPage::Button_DL_StoredEdidClick},
        {"Button_Open_Edid", &EdidControllerPage::Button_Open_EdidClick},
        {"Button_Upload_Edid", &EdidControllerPage::Button_Upload_EdidClick},
    };
    for (const auto& click : clicks)
        connect(control<QPushButton>(click.button), &QPushButton::clicked, page, click.handler);

    const struct {
        const char* radio;
        Handler handler;
    } presses[] = {
        {"RadioButton_Set_IntEdid", &EdidControllerPage::RadioButton_Set_IntEdidMouseDown},
        {"RadioButton_Set_ExtEdid", &EdidControllerPage::RadioButton_Set_ExtEdidMouseDown},
        {"RadioButton_Set_UserEdid", &EdidControllerPage::RadioButton_Set_UserEdidMouseDown},
    };
    for (const auto& press : presses) {
        auto* radio = control<QRadioButton>(press.radio);
        onMouseDown(radio, [page, handler = press.handler] { (page->*handler)(); });
        // Installed last, so it sees a press first and can swallow it.
        radio->installEventFilter(new BusyPressFilter(link(), radio));
    }
}

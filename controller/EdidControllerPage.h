#pragma once
#include "EdidInfo.h"

#include <QObject>

#include <string>

class DeviceLink;
class Prompts;
class QLineEdit;

// The handlers of the "EDID Controller" page. Each reads its input from the page and
// runs the matching operation; the operations report through the link's reporter.
class EdidControllerPage : public QObject {
public:
    EdidControllerPage(DeviceLink& link, Prompts& prompts, QLineEdit& edidPath,
                       QObject* parent = nullptr);

    void Button_DL_IntEdidClick();
    void Button_DL_ExtEdidClick();
    void Button_DL_UserEdidClick();
    void Button_DL_StoredEdidClick();

    void Button_Open_EdidClick();
    void Button_Upload_EdidClick();

    void RadioButton_Set_IntEdidMouseDown();
    void RadioButton_Set_ExtEdidMouseDown();
    void RadioButton_Set_UserEdidMouseDown();

private:
    void download(std::size_t row);

    DeviceLink& link_;
    Prompts& prompts_;
    QLineEdit& edidPath_;
    EdidInfo uploadRecord_{}; // the last uploaded file's image and status
    std::string textPath_;    // the path last chosen as hex text, read as such
};

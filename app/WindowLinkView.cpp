#include "WindowLinkView.h"

#include "LedShape.h"
#include "User_interface.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

// The controls a connection enables and a disconnect disables again.
constexpr const char* DeviceControls[] = {
    "BitBtn_Disconnect",
    "Button_Upload_Edid",
    "Button_DL_IntEdid",
    "Button_DL_ExtEdid",
    "Button_DL_UserEdid",
    "Button_DL_StoredEdid",
    "RadioButton_Analysis_IntEdid",
    "RadioButton_Analysis_ExtEdid",
    "RadioButton_Analysis_UserEdid",
    "Button_Upload_Created",
    "RadioButton_Set_IntEdid",
    "RadioButton_Set_ExtEdid",
    "RadioButton_Set_UserEdid",
    "RadioButton_Analysis_Bin",
    "RadioButton_Brand_New",
    "RadioButton_Bin_Modifiy",
    "Button_Save_Created",
};

// The controls that show the hourglass while a search runs.
constexpr const char* SearchCursorControls[] = {"BitBtn_Search", "BitBtn_Disconnect", "GroupBox1",
                                                "PageControl1"};

constexpr int FirmwareGroupHidden = 52;
constexpr int FirmwareGroupShown = 132;

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

WindowLinkView::WindowLinkView(TForm1& window) : QObject(&window), window_(window) {}

void WindowLinkView::setLinkLed(std::uint32_t bgr) {
    window_.control<LedShape>("Shape_LED_Link")->setFill(bgr);
}

void WindowLinkView::setModelName(const std::string& text) {
    window_.control<QLabel>("Label_Model_Name")->setText(latin1(text));
}

void WindowLinkView::setFirmwareVersionText(const std::string& text) {
    window_.control<QLabel>("Label_FW_Version")->setText(latin1(text));
}

void WindowLinkView::setFirmwareControlsShown(bool shown) {
    auto* group = window_.control<QGroupBox>("GroupBox4");
    group->resize(group->width(), shown ? FirmwareGroupShown : FirmwareGroupHidden);
}

void WindowLinkView::showPresentedEdid(PresentedEdid which) {
    const char* name = which == PresentedEdid::Internal   ? "RadioButton_Set_IntEdid"
                       : which == PresentedEdid::External ? "RadioButton_Set_ExtEdid"
                                                          : "RadioButton_Set_UserEdid";
    window_.control<QRadioButton>(name)->setChecked(true);
}

void WindowLinkView::setDeviceControlsEnabled(bool enabled) {
    for (const char* name : DeviceControls)
        window_.control<QWidget>(name)->setEnabled(enabled);
}

void WindowLinkView::setDisconnectEnabled(bool enabled) {
    window_.control<QPushButton>("BitBtn_Disconnect")->setEnabled(enabled);
}

void WindowLinkView::setSearchEnabled(bool enabled) {
    window_.control<QPushButton>("BitBtn_Search")->setEnabled(enabled);
}

void WindowLinkView::setBusyCursor(bool busy) {
    window_.setCursor(busy ? Qt::WaitCursor : Qt::ArrowCursor);
    for (const char* name : SearchCursorControls) {
        QWidget* widget = window_.control<QWidget>(name);
        busy ? widget->setCursor(Qt::WaitCursor) : widget->unsetCursor();
    }
    if (!busy)
        window_.unsetCursor();
}

void WindowLinkView::setPortList(const QStringList& ports) {
    auto* combo = window_.control<QComboBox>("ComboBox1");
    combo->clear();
    combo->addItems(ports);
    if (!ports.isEmpty())
        combo->setCurrentIndex(0);
}

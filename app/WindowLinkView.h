#pragma once
#include "LinkView.h"

#include <QObject>

class TForm1;

// The link's display in the window: the link group, the firmware group, the presented-
// EDID radio buttons, the device controls, Search and the port list.
class WindowLinkView : public QObject, public LinkView {
    Q_OBJECT
public:
    explicit WindowLinkView(TForm1& window);

    void setLinkLed(std::uint32_t bgr) override;
    void setModelName(const std::string& text) override;
    void setFirmwareVersionText(const std::string& text) override;
    void setFirmwareControlsShown(bool shown) override;
    void showPresentedEdid(PresentedEdid which) override;
    void setDeviceControlsEnabled(bool enabled) override;
    void setDisconnectEnabled(bool enabled) override;
    void setSearchEnabled(bool enabled) override;
    void setBusyCursor(bool busy) override;
    void setPortList(const QStringList& ports) override;

private:
    TForm1& window_;
};

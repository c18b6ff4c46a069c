#include "User_interface.h"

#include "DeviceLink.h"
#include "IntegerText.h"
#include "WindowLinkView.h"

#include <QPushButton>
#include <QTimer>

void TForm1::wireLink() {
    auto* view = new WindowLinkView(*this);
    auto* rxTimer = control<QTimer>("Timer_UART_Rx");
    auto* pollTimer = control<QTimer>("Timer_Poll_Status");
    link_ = new DeviceLink(reporter(), *view, rxTimer, pollTimer, this);
    // The view lives exactly as long as the link that uses it.
    view->setParent(link_);
    link_->setPortOverride(portOverride());

    DeviceLink* link = link_;
    connect(control<QPushButton>("BitBtn_Search"), &QPushButton::clicked, link,
            [this, link] { RunHandler(prompts(), [link] { link->BitBtn_SearchClick(); }); });
    connect(control<QPushButton>("BitBtn_Disconnect"), &QPushButton::clicked, link,
            &DeviceLink::BitBtn_DisconnectClick);
    connect(rxTimer, &QTimer::timeout, link, &DeviceLink::Timer_UART_RxTimer);
    connect(pollTimer, &QTimer::timeout, link, &DeviceLink::Timer_Poll_StatusTimer);
    connect(this, &TForm1::closing, link, &DeviceLink::shutdown);
}

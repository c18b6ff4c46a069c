#include "User_interface.h"

#include "DeviceLink.h"
#include "FocusReturn.h"
#include "IntegerText.h"
#include "WindowLinkView.h"

#include <QPushButton>

void TForm1::wireLink() {
    auto* view = new WindowLinkView(*this);
    link_ = new DeviceLink(reporter(), *view, this);
    link_->nameTimers(QStringLiteral("Timer_UART_Rx"), QStringLiteral("Timer_Poll_Status"));
    // The view lives exactly as long as the link that uses it.
    view->setParent(link_);
    link_->setPortOverride(portOverride());

    DeviceLink* link = link_;
    connect(control<QPushButton>("BitBtn_Search"), &QPushButton::clicked, this,
            &TForm1::BitBtn_SearchClick);
    connect(control<QPushButton>("BitBtn_Disconnect"), &QPushButton::clicked, this,
            &TForm1::BitBtn_DisconnectClick);
    connect(this, &TForm1::closing, link, &DeviceLink::shutdown);
    // A Qt child of the window, for every operation's starting control.
    new FocusReturn(*link_, this);
}

void TForm1::BitBtn_SearchClick() {
    RunHandler(prompts(), [this] { link_->search(); });
}

void TForm1::BitBtn_DisconnectClick() {
    link_->disconnect();
}

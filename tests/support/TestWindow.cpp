#include "TestWindow.h"

#include "DeviceLink.h"
#include "EventWait.h"
#include "LedShape.h"
#include "ScriptedPrompts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

const char* const DeviceControlNames[17] = {
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

TestWindow::TestWindow(const QStringList& ports) {
    auto prompts = std::make_unique<ScriptedPrompts>();
    prompts_ = prompts.get();
    form_ = std::make_unique<TForm1>(ports, std::move(prompts));
    form_->show();
}

TestWindow::~TestWindow() {
    form_->close();
}

void TestWindow::click(const char* name) {
    auto* button = control<QAbstractButton>(name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestWindow::search() {
    // The click returns only when the search has ended: it runs inside the handler.
    click("BitBtn_Search");
}

bool TestWindow::enabled(const char* name) {
    return control<QWidget>(name)->isEnabled();
}

std::uint32_t TestWindow::led() {
    return control<LedShape>("Shape_LED_Link")->fill();
}

QString TestWindow::text(const char* label) {
    return control<QLabel>(label)->text();
}

int writesOf(const DeviceLink& link, const QByteArray& bytes) {
    int count = 0;
    for (const WriteJournal::Entry& entry : link.journal().entries())
        count += entry.bytes == bytes ? 1 : 0;
    return count;
}

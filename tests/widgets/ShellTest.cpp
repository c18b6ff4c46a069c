#include "CreatorBindings.h"
#include "DeviceLink.h"
#include "EdidValidation.h"
#include "LedShape.h"
#include "ScriptedPrompts.h"
#include "User_interface.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct ControlAtStart {
    const char* name;
    const char* caption; // nullptr: the control has no caption to check
    bool enabled;
    bool hidden;
};

// Every control of the window's layout with its start state.
const ControlAtStart kControls[] = {
    {"GroupBox1", "Link", true, false},
    {"Label_Model_Name", "Not Found.", true, false},
    {"BitBtn_Search", "Search", true, false},
    {"BitBtn_Disconnect", "Disconnect", false, false},
    {"RadioGroup2", "Mode", true, false},
    {"RadioButton_Set_IntEdid", "Internal", false, false},
    {"RadioButton_Set_ExtEdid", "External", false, false},
    {"RadioButton_Set_UserEdid", "User", false, false},
    {"GroupBox3", "Upload", true, false},
    {"Button_Open_Edid", "Open", true, false},
    {"Button_Upload_Edid", "Upload", false, false},
    {"Label2", "0%", true, false},
    {"GroupBox2", "Download", true, false},
    {"Button_DL_IntEdid", "Internal", false, false},
    {"Button_DL_ExtEdid", "External", false, false},
    {"Button_DL_UserEdid", "User", false, false},
    {"Button_DL_StoredEdid", "Stored", false, true},
    {"RadioGroup1", "Select", true, false},
    {"RadioButton_Analysis_IntEdid", "Internal", false, false},
    {"RadioButton_Analysis_ExtEdid", "External", false, false},
    {"RadioButton_Analysis_UserEdid", "User", false, false},
    {"RadioButton_Analysis_Bin", "Bin File", false, false},
    {"GroupBox5", "Informations", true, false},
    {"RadioGroup3", "Select", true, false},
    {"RadioButton_Brand_New", "Brand New", false, false},
    {"RadioButton_Bin_Modifiy", "Bin Modifiy", false, false},
    {"Button_Save_Created", "Save", false, false},
    {"Button_Upload_Created", "Upload", false, false},
    {"Label3", "0%", true, false},
    {CreatorBindings::WarningLabel, "", true, false},
    {"GroupBox4", "Firmware", true, false},
    {"Label_FW_Version", "Current Version : ", true, false},
    {"Button_Open_Fw", "Open", true, false},
    {"Button_Update_Fw", "Update", false, false},
    {"CheckBox_FW_Verify", "With Verification", true, false},
    {"Label1", "0%", true, false},
    {"Edit_Edid_Path", nullptr, true, false},
    {"Edit_Fw_Path", nullptr, true, false},
    {"Shape_LED_Link", nullptr, true, false},
    {"Panel_Debug", nullptr, true, false},
    {"ComboBox1", nullptr, true, true},
    {"Memo_Debug", nullptr, true, true},
};

QString captionOf(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    return {};
}

std::unique_ptr<TForm1> makeWindow(ScriptedPrompts** prompts = nullptr) {
    auto scripted = std::make_unique<ScriptedPrompts>();
    if (prompts)
        *prompts = scripted.get();
    auto form = std::make_unique<TForm1>(QStringList{}, std::move(scripted));
    form->show();
    return form;
}

void doubleClick(QWidget* w) {
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

} // namespace

TEST(Shell, EveryControlStartsWithItsCaptionAndState) {
    auto form = makeWindow();
    EXPECT_EQ(form->windowTitle(), "Redaviv");
    for (const ControlAtStart& c : kControls) {
        SCOPED_TRACE(c.name);
        auto* w = form->findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr);
        if (c.caption) {
            EXPECT_EQ(captionOf(w), QString::fromLatin1(c.caption));
        }
        EXPECT_EQ(w->isEnabled(), c.enabled);
        EXPECT_EQ(w->isHidden(), c.hidden);
    }
    EXPECT_EQ(form->control<LedShape>("Shape_LED_Link")->fill(), 0x808080u);
    EXPECT_TRUE(form->control<QCheckBox>("CheckBox_FW_Verify")->isChecked());
    EXPECT_EQ(form->control<QGroupBox>("GroupBox4")->height(), 52);
    EXPECT_EQ(form->control<QLabel>("Label_Model_Name")->pos(), QPoint(41, 28));
}

TEST(Shell, PagesTimersAndMenuAreAsLaidOut) {
    auto form = makeWindow();
    auto* pages = form->control<QTabWidget>("PageControl1");
    ASSERT_EQ(pages->count(), 4);
    const char* names[] = {"TabSheet1", "TabSheet3", "TabSheet4", "TabSheet2"};
    const char* captions[] = {"EDID Controller", "EDID Analyzer", "EDID Creator", "System"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), names[i]);
        EXPECT_EQ(pages->tabText(i), captions[i]);
        EXPECT_TRUE(pages->isTabVisible(i));
    }
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheet1");

    auto* editor = form->control<QTabWidget>("PageControl2");
    ASSERT_EQ(editor->count(), 7);
    const char* subCaptions[] = {"Descriptor", "PC Timing",   "SD/HD/UHD", "Audio1",
                                 "Audio2",     "Color Space", "Others"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(editor->tabText(i), subCaptions[i]);
    EXPECT_EQ(editor->currentWidget()->objectName(), "TabSheet5");
    EXPECT_EQ(form->control<QLabel>("Label6")->text(), "High\nFront\nCenter\nRear\nLow");

    auto* rx = form->control<QTimer>("Timer_UART_Rx");
    auto* poll = form->control<QTimer>("Timer_Poll_Status");
    EXPECT_EQ(rx->interval(), 100);
    EXPECT_EQ(poll->interval(), 1000);
    EXPECT_FALSE(rx->isActive());
    EXPECT_FALSE(poll->isActive());

    auto* help = form->menuBar()->findChild<QMenu*>(QStringLiteral("About1"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->title(), "&Help");
    ASSERT_EQ(help->actions().size(), 1);
    EXPECT_EQ(help->actions()[0]->text(), "About");
}

TEST(Shell, WindowHasAFixedClientAreaBelowItsMenu) {
    auto form = makeWindow();
    EXPECT_EQ(form->centralWidget()->size(), QSize(480, 552));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_GT(form->height(), 552);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST(Shell, DebugPanelShowsAndHidesTheLog) {
    auto form = makeWindow();
    auto* panel = form->control<QWidget>("Panel_Debug");
    auto* memo = form->control<QPlainTextEdit>("Memo_Debug");
    const int width = form->width();

    form->reporter().appendLog("before\r\n");
    QTest::mouseClick(panel, Qt::LeftButton); // a single click does nothing
    EXPECT_TRUE(memo->isHidden());
    EXPECT_EQ(form->width(), width);

    doubleClick(panel);
    EXPECT_FALSE(memo->isHidden());
    EXPECT_EQ(form->width(), width + 289 + 15);
    EXPECT_EQ(form->logText(), ""); // showing the log throws away what it held

    form->reporter().addLogLine("after");
    doubleClick(panel);
    EXPECT_TRUE(memo->isHidden());
    EXPECT_EQ(form->width(), width);
    EXPECT_EQ(form->logText(), "after\r\n");
    EXPECT_EQ(memo->toPlainText(), "after\n");
}

TEST(Shell, StatusLabelsTakeTextAndColour) {
    auto form = makeWindow();
    form->reporter().setStatusText(StatusLabel::Firmware, "Update Fw Failed.");
    form->reporter().setStatusColour(StatusLabel::Firmware, 0x0000FF);
    auto* label1 = form->control<QLabel>("Label1");
    EXPECT_EQ(label1->text(), "Update Fw Failed.");
    EXPECT_EQ(label1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    form->reporter().setStatusText(StatusLabel::CreatorUpload, "Illegal Edid Header.");
    EXPECT_EQ(form->control<QLabel>("Label3")->text(), "Illegal Edid Header.");
}

TEST(Shell, StatusLabelsShowEveryTextTheyCanReceiveWhole) {
    auto form = makeWindow();
    std::vector<std::string> validation;
    for (std::uint16_t bit : {EdidStatus::BadHeader, EdidStatus::BadChecksum0,
                              EdidStatus::BadChecksum1, EdidStatus::OverBanks})
        validation.push_back(ValidationMessage(bit));
    std::vector<std::string> upload = validation;
    upload.push_back("Upload Edid Failed.");
    const struct {
        StatusLabel which;
        const char* name;
        std::vector<std::string> failures;
        Qt::Alignment side; // where the percentages stand
        int edge;           // their left or right edge in the label's parent
    } labels[] = {
        {StatusLabel::Upload, "Label2", upload, Qt::AlignRight, 312},
        {StatusLabel::CreatorUpload, "Label3", validation, Qt::AlignLeft, 216},
        {StatusLabel::Firmware,
         "Label1",
         {"Update Fw Failed.", "Not ISP Mode.", "Unknow Device."},
         Qt::AlignRight,
         312},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.name);
        auto* label = form->control<QLabel>(l.name);
        const QRect placed = label->geometry();
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, l.side);
        EXPECT_EQ(l.side == Qt::AlignRight ? placed.x() + placed.width() : placed.x(), l.edge);
        std::vector<std::string> texts = l.failures;
        texts.push_back("100%");
        for (const std::string& text : texts) {
            form->reporter().setStatusText(l.which, text);
            EXPECT_LE(label->sizeHint().width(), label->width()) << text;
            EXPECT_LE(label->sizeHint().height(), label->height()) << text;
        }
        EXPECT_EQ(label->geometry(), placed);
        // The room it takes is its own: inside its parent, over none of its neighbours.
        QWidget* parent = label->parentWidget();
        EXPECT_LE(placed.x() + placed.width(), parent->width());
        for (QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (sibling != label && !sibling->isHidden()) {
                EXPECT_FALSE(sibling->geometry().intersects(placed))
                    << sibling->objectName().toStdString();
            }
        }
    }
    // The firmware label's neighbour still shows its own caption whole.
    auto* verify = form->control<QCheckBox>("CheckBox_FW_Verify");
    EXPECT_LE(verify->sizeHint().width(), verify->width());
}

TEST(Shell, AboutOpensTheInformationBox) {
    ScriptedPrompts* prompts = nullptr;
    auto form = makeWindow(&prompts);
    auto* about = form->findChild<QAction*>(QStringLiteral("About2"));
    ASSERT_NE(about, nullptr);
    {
        // Refused while a device operation runs: no dialog inside its waits.
        auto operation = form->link().tryBeginOperation();
        about->trigger();
        EXPECT_TRUE(prompts->informations.empty());
    }
    about->trigger();
    ASSERT_EQ(prompts->informations.size(), 1u);
    EXPECT_EQ(prompts->informations[0].rfind("About|Redaviv", 0), 0u);
}

TEST(Shell, ManyWindowsComeAndGoCleanly) {
    for (int i = 0; i < 5; ++i) {
        auto form = makeWindow();
        form->close();
    }
}

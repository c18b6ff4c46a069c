#include "WindowLayout.h"

#include "ControlFactory.h"
#include "CreatorBindings.h"
#include "HotSpotPanel.h"
#include "LedShape.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

using namespace ControlFactory;

namespace {

QWidget* addPage(QTabWidget* pages, const char* name, const QString& caption) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, caption);
    return page;
}

// Radio buttons that lie on a page beside a frame form one exclusive group of their own.
void groupRadios(QWidget* parent, std::initializer_list<QRadioButton*> radios) {
    auto* group = new QButtonGroup(parent);
    for (QRadioButton* radio : radios)
        group->addButton(radio);
}

void buildLinkGroup(QWidget* client) {
    QGroupBox* link = groupBox(client, "GroupBox1", QStringLiteral("Link"), 16, 8, 169, 57);
    setFont(link, 12, Weight::Bold);
    auto* led = new LedShape(link);
    led->setObjectName(QStringLiteral("Shape_LED_Link"));
    led->setGeometry(16, 28, 16, 16);
    QLabel* model = label(link, "Label_Model_Name", QStringLiteral("Not Found."), 41, 28, 120, 20);
    setFont(model, 11, Weight::Bold);

    QPushButton* search =
        button(client, "BitBtn_Search", QStringLiteral("Search"), 200, 24, 100, 33);
    search->setIcon(search->style()->standardIcon(QStyle::SP_BrowserReload));
    QPushButton* disconnect =
        button(client, "BitBtn_Disconnect", QStringLiteral("Disconnect"), 312, 24, 115, 33);
    disconnect->setIcon(disconnect->style()->standardIcon(QStyle::SP_DialogCancelButton));
    disconnect->setEnabled(false);

    auto* ports = new QComboBox(client);
    ports->setObjectName(QStringLiteral("ComboBox1"));
    ports->setGeometry(200, 56, 97, 21);
    ports->setVisible(false);

    auto* hotSpot = new HotSpotPanel(client);
    hotSpot->setObjectName(QStringLiteral("Panel_Debug"));
    hotSpot->setGeometry(448, 8, 25, 25);
}

void buildControllerPage(QWidget* page) {
    groupBox(page, "RadioGroup2", QStringLiteral("Mode"), 8, 6, 425, 49);
    QRadioButton* internal =
        radioButton(page, "RadioButton_Set_IntEdid", QStringLiteral("Internal"), 24, 26, 110, 22);
    QRadioButton* external =
        radioButton(page, "RadioButton_Set_ExtEdid", QStringLiteral("External"), 160, 26, 110, 22);
    QRadioButton* user =
        radioButton(page, "RadioButton_Set_UserEdid", QStringLiteral("User"), 296, 26, 110, 22);
    groupRadios(page, {internal, external, user});
    for (QRadioButton* radio : {internal, external, user})
        radio->setEnabled(false);

    QGroupBox* upload = groupBox(page, "GroupBox3", QStringLiteral("Upload"), 8, 68, 425, 97);
    QLineEdit* path = edit(upload, "Edit_Edid_Path", QString(), 16, 28, 296, 24);
    path->setReadOnly(true);
    button(upload, "Button_Open_Edid", QStringLiteral("Open"), 328, 26, 81, 27);
    button(upload, "Button_Upload_Edid", QStringLiteral("Upload"), 328, 60, 81, 27)
        ->setEnabled(false);
    QLabel* status = label(upload, "Label2", QStringLiteral("0%"), 16, 62, 296, 22);
    status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFont(status, 10, Weight::Bold);

    QGroupBox* download = groupBox(page, "GroupBox2", QStringLiteral("Download"), 8, 178, 425, 62);
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"Button_DL_IntEdid", "Internal"},
                   {"Button_DL_ExtEdid", "External"},
                   {"Button_DL_UserEdid", "User"},
                   {"Button_DL_StoredEdid", "Stored"}};
    int left = 16;
    for (const auto& b : buttons) {
        button(download, b.name, QString::fromLatin1(b.caption), left, 24, 92, 27)
            ->setEnabled(false);
        left += 104;
    }
    // The stored EDID's download is wired but never offered.
    download->findChild<QPushButton*>(QStringLiteral("Button_DL_StoredEdid"))->setVisible(false);
}

void buildAnalyserPage(QWidget* page) {
    groupBox(page, "RadioGroup1", QStringLiteral("Select"), 8, 6, 425, 49);
    const char* names[] = {"RadioButton_Analysis_IntEdid", "RadioButton_Analysis_ExtEdid",
                           "RadioButton_Analysis_UserEdid", "RadioButton_Analysis_Bin"};
    const char* captions[] = {"Internal", "External", "User", "Bin File"};
    int left = 18;
    for (int i = 0; i < 4; ++i) {
        radioButton(page, names[i], QString::fromLatin1(captions[i]), left, 26, 100, 22)
            ->setEnabled(false);
        left += 104;
    }
    groupBox(page, "GroupBox5", QStringLiteral("Informations"), 8, 62, 425, 362);
}

void buildCreatorPage(QWidget* page) {
    groupBox(page, "RadioGroup3", QStringLiteral("Select"), 8, 6, 425, 49);
    QRadioButton* brandNew =
        radioButton(page, "RadioButton_Brand_New", QStringLiteral("Brand New"), 24, 26, 130, 22);
    QRadioButton* modify = radioButton(page, "RadioButton_Bin_Modifiy",
                                       QStringLiteral("Bin Modifiy"), 180, 26, 130, 22);
    groupRadios(page, {brandNew, modify});
    brandNew->setEnabled(false);
    modify->setEnabled(false);

    auto* editor = new QTabWidget(page);
    editor->setObjectName(QStringLiteral("PageControl2"));
    // As wide as the page allows and tall enough for the Audio2 list (289) below the tabs.
    editor->setGeometry(4, 58, 433, 318);
    // Seven tabs share the width: a smaller font and small padding so all of them show.
    editor->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 3px; }"));
    QFont tabFont = editor->tabBar()->font();
    tabFont.setPointSizeF(7.5);
    editor->tabBar()->setFont(tabFont);
    const char* names[] = {"TabSheet5",  "TabSheet6", "TabSheet7", "TabSheet8",
                           "TabSheet11", "TabSheet9", "TabSheet12"};
    const char* captions[] = {"Descriptor", "PC Timing",   "SD/HD/UHD", "Audio1",
                              "Audio2",     "Color Space", "Others"};
    for (int i = 0; i < 7; ++i)
        addPage(editor, names[i], QString::fromLatin1(captions[i]));

    // The speaker grid's column and row heads; the rest of the Audio1 page is the editor's.
    QWidget* audio1 = editor->findChild<QWidget*>(QStringLiteral("TabSheet8"));
    label(audio1, "Label5", QString(), 8, 8);
    label(audio1, "Label6", QString(), 8, 24);

    QLabel* warning = label(page, CreatorBindings::WarningLabel, QString(), 8, 378, 425, 18);
    setFont(warning, 8, Weight::Bold);
    QPalette red = warning->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    warning->setPalette(red);

    button(page, "Button_Save_Created", QStringLiteral("Save"), 8, 398, 92, 27)->setEnabled(false);
    button(page, "Button_Upload_Created", QStringLiteral("Upload"), 112, 398, 92, 27)
        ->setEnabled(false);
    // Wide enough for the longest validation message, up to the page's right margin.
    QLabel* status = label(page, "Label3", QStringLiteral("0%"), 216, 398, 217, 27);
    setFont(status, 10, Weight::Bold);
}

void buildSystemPage(QWidget* page) {
    QGroupBox* firmware = groupBox(page, "GroupBox4", QStringLiteral("Firmware"), 8, 6, 425, 52);
    QLabel* version =
        label(firmware, "Label_FW_Version", QStringLiteral("Current Version : "), 16, 24, 390, 20);
    setFont(version, 10, Weight::Bold);
    // Below the first 52 pixels: seen only while a loader is connected (the box grows to 132).
    QLineEdit* path = edit(firmware, "Edit_Fw_Path", QString(), 16, 58, 296, 24);
    path->setReadOnly(true);
    button(firmware, "Button_Open_Fw", QStringLiteral("Open"), 328, 56, 81, 27);
    button(firmware, "Button_Update_Fw", QStringLiteral("Update"), 328, 92, 81, 27)
        ->setEnabled(false);
    QCheckBox* verify = checkBox(firmware, "CheckBox_FW_Verify",
                                 QStringLiteral("With Verification"), 16, 94, 150, 22);
    setFont(verify, 10, Weight::Bold);
    verify->setChecked(true);
    // The percentages stay right-aligned under the path box's right edge (312); the label
    // reaches left to the check box so that "Update Fw Failed." shows whole.
    QLabel* status = label(firmware, "Label1", QStringLiteral("0%"), 168, 94, 144, 22);
    status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFont(status, 10, Weight::Bold);
}

} // namespace

void buildWindowLayout(QMainWindow& window) {
    auto* client = new QWidget(&window);
    client->setObjectName(QStringLiteral("Form1Client"));
    window.setCentralWidget(client);

    buildLinkGroup(client);

    auto* pages = new QTabWidget(client);
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->setGeometry(16, 80, 449, 457);
    buildControllerPage(addPage(pages, "TabSheet1", QStringLiteral("EDID Controller")));
    buildAnalyserPage(addPage(pages, "TabSheet3", QStringLiteral("EDID Analyzer")));
    buildCreatorPage(addPage(pages, "TabSheet4", QStringLiteral("EDID Creator")));
    buildSystemPage(addPage(pages, "TabSheet2", QStringLiteral("System")));

    auto* memo = new QPlainTextEdit(client);
    memo->setObjectName(QStringLiteral("Memo_Debug"));
    memo->setGeometry(kClientWidth, 8, 289, 537);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setReadOnly(true);
    memo->setVisible(false);

    QMenuBar* menu = window.menuBar();
    menu->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* help = menu->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("About1"));
    help->addAction(QStringLiteral("About"))->setObjectName(QStringLiteral("About2"));
}

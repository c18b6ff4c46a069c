#include "User_interface.h"

#include "DeviceLink.h"
#include "HotSpotPanel.h"
#include "LogText.h"
#include "WindowLayout.h"
#include "WindowPrompts.h"
#include "WindowReporter.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <cstdio>
#include <cstdlib>

TForm1::TForm1(const QStringList& ports, std::unique_ptr<Prompts> prompts, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      portOverride_(ports), log_(std::make_unique<LogText>()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Redaviv"));
    buildWindowLayout(*this);

    prompts_ = prompts ? std::move(prompts) : std::make_unique<WindowPrompts>(*this);
    reporter_ = std::make_unique<WindowReporter>(
        *log_, *control<QPlainTextEdit>("Memo_Debug"), *control<QLabel>("Label2"),
        *control<QLabel>("Label3"), *control<QLabel>("Label1"));

    // Not resizable: the client area is fixed, the menu bar sits above it.
    centralWidget()->setFixedSize(kClientWidth, kClientHeight);
    adjustSize();
    setFixedSize(sizeHint());
    move(694, 295);

    connect(control<HotSpotPanel>("Panel_Debug"), &HotSpotPanel::doubleClicked, this,
            &TForm1::Panel_DebugDblClick);
    connect(findChild<QAction*>(QStringLiteral("About2")), &QAction::triggered, this,
            &TForm1::About2Click);

    wireLink();
    wireController();
    wireAnalyser();
    wireCreator();
    wireCreatorFiles();
    wireFirmware();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    control<QTabWidget>("PageControl1")->setCurrentWidget(control<QWidget>("TabSheet1"));
    control<QTabWidget>("PageControl2")->setCurrentWidget(control<QWidget>("TabSheet5"));
    control<QLabel>("Label6")->setText(QStringLiteral("High\nFront\nCenter\nRear\nLow"));
}

void TForm1::Panel_DebugDblClick() {
    auto* memo = control<QPlainTextEdit>("Memo_Debug");
    const int extra = memo->width() + 15;
    DebugShown = DebugShown ? 0 : 1;
    if (DebugShown) {
        reporter_->replaceLog(std::string());
        memo->setVisible(true);
        centralWidget()->setFixedWidth(centralWidget()->width() + extra);
    } else {
        memo->setVisible(false);
        centralWidget()->setFixedWidth(centralWidget()->width() - extra);
    }
    setFixedWidth(centralWidget()->width());
}

void TForm1::About2Click() {
    // No dialog opens inside a running device operation's waits.
    if (link_->operationRunning())
        return;
    prompts_->showInformation("About", "Redaviv\r\nVersion " REDAVIV_VERSION);
}

void TForm1::closeEvent(QCloseEvent* event) {
    emit closing();
    event->accept();
}

void TForm1::missingControl(const char* name) {
    std::fprintf(stderr, "Redaviv: the window has no control named %s\n", name);
    std::abort();
}

Reporter& TForm1::reporter() const {
    return *reporter_;
}
Prompts& TForm1::prompts() const {
    return *prompts_;
}
const std::string& TForm1::logText() const {
    return log_->text();
}

DeviceLink& TForm1::link() const {
    return *link_;
}

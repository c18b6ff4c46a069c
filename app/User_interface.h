#pragma once
#include <QMainWindow>
#include <QStringList>

#include <Prompts.h>
#include <Reporter.h>

#include <memory>
#include <string>

class DeviceLink;
class LogText;
class QPlainTextEdit;

// The main window: owns every control (each with its layout name as objectName),
// the log and, through the subsystems wired in by wire*(), every handler.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // `ports`: when not empty, the only serial ports a search probes, in this order.
    // `prompts`: the modal interactions; null means the window's own dialogs.
    explicit TForm1(const QStringList& ports = {}, std::unique_ptr<Prompts> prompts = nullptr,
                    QWidget* parent = nullptr);
    ~TForm1() override;

    // A control by its layout name; aborts when it does not exist (a layout fault).
    template <class T> T* control(const char* name) const {
        T* found = findChild<T*>(QString::fromLatin1(name));
        if (!found)
            missingControl(name);
        return found;
    }

    Reporter& reporter() const;
    Prompts& prompts() const;
    // The log's whole text ("\r\n" line breaks, bytes as received).
    const std::string& logText() const;
    const QStringList& portOverride() const { return portOverride_; }
    DeviceLink& link() const;

signals:
    // The window is closing: every subsystem stops talking to the device at once.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void Panel_DebugDblClick();
    void BitBtn_SearchClick();
    void BitBtn_DisconnectClick();
    void About2Click();
    [[noreturn]] static void missingControl(const char* name);

    // Each subsystem wires its handlers in its own source file.
    void wireLink();
    void wireController();
    void wireAnalyser();
    void wireCreator();
    void wireCreatorFiles();
    void wireFirmware();

    QStringList portOverride_;
    std::unique_ptr<LogText> log_;
    std::unique_ptr<Reporter> reporter_;
    std::unique_ptr<Prompts> prompts_;
    DeviceLink* link_ = nullptr; // Qt child of the window, created by wireLink()
    unsigned char DebugShown = 0;
};

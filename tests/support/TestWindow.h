#pragma once
#include "User_interface.h"

#include <QStringList>

#include <memory>

class DeviceLink;
class ScriptedPrompts;

// The whole window, offscreen, probing only `ports`, with scripted prompts. Closed
// (as by the user) and destroyed with this object.
// The window's "Download" buttons, in the order of DeviceEdids.
constexpr const char* DownloadButtons[] = {"Button_DL_IntEdid", "Button_DL_ExtEdid",
                                           "Button_DL_UserEdid", "Button_DL_StoredEdid"};

class TestWindow {
public:
    explicit TestWindow(const QStringList& ports = {});
    ~TestWindow();

    TForm1& form() { return *form_; }
    DeviceLink& link() { return form_->link(); }
    ScriptedPrompts& prompts() { return *prompts_; }
    const std::string& log() const { return form_->logText(); }

    template <class T> T* control(const char* name) { return form_->control<T>(name); }
    // Clicks an enabled button as the user would.
    void click(const char* name);
    // Search, and wait until it ended (connected, ISP mode, or nothing found).
    void search();
    bool enabled(const char* name);

    // The link LED's colour, 0x00BBGGRR.
    std::uint32_t led();
    QString text(const char* label);

private:
    ScriptedPrompts* prompts_;
    std::unique_ptr<TForm1> form_;
};

// How many of the link's writes to the port were exactly `bytes` (devsim's reads may join
// writes that follow each other closely).
int writesOf(const DeviceLink& link, const QByteArray& bytes);

// The 17 controls a connection enables.
extern const char* const DeviceControlNames[17];

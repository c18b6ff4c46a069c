#pragma once
#include "CreatorControls.h"

#include <EdidEncoder.h>
#include <EdidInfo.h>

#include <QDate>
#include <QObject>

#include <functional>

class DeviceLink;
class Prompts;
class QWidget;
class Reporter;

// How one of the creator's file handlers ended.
enum class CreatorOutcome {
    Done,
    Cancelled,        // the file dialog was cancelled
    Refused,          // a device operation is running
    OpenFailed,       // the file could not be opened or written
    ConversionFailed, // an edit did not hold a number; the error box was shown
    NotValid,         // the built image failed validation; nothing was sent
    Disconnected,     // the link went away during the upload; nothing more was sent
};

// The creator's base EDID and its file handlers: "Brand New", "Bin Modifiy", "Save"
// and "Upload". Owns the creator's record, CreatorSettings, for the window's life.
// The window and redaviv-cli both drive the creator through these handlers.
class CreatorFiles : public QObject {
    Q_OBJECT
public:
    // `window` holds every creator control (looked up by name).
    CreatorFiles(QWidget& window, Prompts& prompts, Reporter& reporter, DeviceLink& link,
                 QObject* parent = nullptr);

    // Where today's date comes from (the local date unless set).
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    EdidInfo& settings() { return CreatorSettings; }
    // What the last build left out for lack of room.
    const EncodeResult& lastEncoding() const { return lastEncoding_; }

    CreatorOutcome RadioButton_Brand_NewMouseDown();
    CreatorOutcome RadioButton_Bin_ModifiyMouseDown();
    CreatorOutcome Button_Save_CreatedClick();
    CreatorOutcome Button_Upload_CreatedClick();

private:
    // ReadCreatorControls and the "Not Written: " warning; false when a conversion failed
    // (the error box has been shown).
    bool buildCreated();

    CreatorControls controls_;
    Prompts& prompts_;
    Reporter& reporter_;
    DeviceLink& link_;
    std::function<QDate()> today_;
    EncodeResult lastEncoding_;
    EdidInfo CreatorSettings{};
};

#pragma once
#include "CreatedEdid.h"

#include <EdidEncoder.h>
#include <EdidInfo.h>

#include <QDate>
#include <QObject>

#include <functional>

class CreatorModel;
class DeviceLink;
class Prompts;
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
// and "Upload". Owns the created EDID (CreatedEdid) for the window's life.
// They load into and read back from the creator's model, and say when they changed it.
class CreatorFiles : public QObject {
    Q_OBJECT
public:
    CreatorFiles(CreatorModel& model, Prompts& prompts, Reporter& reporter, DeviceLink& link,
                 QObject* parent = nullptr);

    // Called after a handler changed the model (the editor then shows it).
    void setModelChanged(std::function<void()> changed) { modelChanged_ = std::move(changed); }

    // Where today's date comes from (the local date unless set).
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    EdidInfo& settings() { return created_.settings(); }
    // What the last build left out for lack of room.
    const EncodeResult& lastEncoding() const { return lastEncoding_; }

    // "Brand New", "Bin Modifiy", "Save" and "Upload".
    CreatorOutcome startBrandNew();
    CreatorOutcome loadBinFile();
    CreatorOutcome saveCreated();
    CreatorOutcome uploadCreated();

private:
    // The build and the "Not Written: " warning; false when a conversion failed
    // (the error box has been shown).
    bool buildCreated();

    CreatorModel& model_;
    Prompts& prompts_;
    Reporter& reporter_;
    DeviceLink& link_;
    std::function<QDate()> today_;
    std::function<void()> modelChanged_;
    EncodeResult lastEncoding_;
    CreatedEdid created_;
};

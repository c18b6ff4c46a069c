#pragma once
#include <EdidEncoder.h>
#include <EdidInfo.h>

class CreatorModel;
class QDate;

// The EDID the creator makes, held in its record (CreatorSettings), and what "Brand New",
// "Bin Modifiy" and "Save" do to it: one for the creator's page and the command line,
// each of which reads and writes the files its own way.
class CreatedEdid {
public:
    explicit CreatedEdid(CreatorModel& model) : model_(model) {}

    EdidInfo& settings() { return CreatorSettings; }
    const EdidImage& image() const { return CreatorSettings.Image; }

    // "Brand New": the template, dated `today`.
    void startBrandNew(const QDate& today);
    // "Bin Modifiy" of `image`. False when it fails validation: the creator then shows
    // "Error." in its name edits instead of the image's fields.
    bool load(const EdidImage& image, const QDate& today);
    // What "Save" saves: the model read back into the record and its image built. Throws
    // ConversionError for an edit that holds no number. Returns what the encoder left out.
    EncodeResult build();

private:
    CreatorModel& model_;
    EdidInfo CreatorSettings{};
};

#pragma once
// The fixture of the controller and analyser tests: a window connected to a devsim
// that serves EDIDs the test chose.
#include "DevsimProcess.h"
#include "EdidImage.h"
#include "TestWindow.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

class EdidPageTest : public ::testing::Test {
protected:
    // Each EDID is written to a file and given to devsim by its option ("internal",
    // "external", "user", "stored"); `options` are added as they are.
    void connect(std::initializer_list<std::pair<const char*, EdidImage>> edids,
                 QStringList options = {});

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    qsizetype sentSize() const { return device->sentStream().size(); }
    QByteArray sentSince(qsizetype before) const { return device->sentStream().mid(before); }
    // The log begins with `text`; the late answer of a status poll may follow it.
    bool logStartsWith(const char* text) const { return window->log().rfind(text, 0) == 0; }

    QTemporaryDir dir;
    std::unique_ptr<DevsimProcess> device;
    std::unique_ptr<TestWindow> window;
};

int Occurrences(const std::string& text, const std::string& part);

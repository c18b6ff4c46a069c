#pragma once
// EDID images, and the Qt face of the tests' bytes helpers (TestBytes.h): paths as
// QString, bytes as QByteArray.
#include "EdidImage.h"

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <string>

namespace EdidTestFiles {

// A valid EDID named `name` (up to 13 characters) with a CEA extension: 1080p60,
// seven audio formats (the summary's audio row takes two lines), an HDMI block with
// CEC address 1000.
EdidImage RichEdid(const std::string& name);
// A valid EDID without extension and without audio, named `name`.
EdidImage PlainEdid(const std::string& name);

bool WriteBytes(const QString& path, const QByteArray& bytes);
bool WriteImage(const QString& path, const EdidImage& image);
QByteArray ReadBytes(const QString& path);
QByteArray Bytes(const EdidImage& image);
// Bytes from their values, e.g. Frame({0x81, 0x01, 0x01, 0x0D}).
QByteArray Frame(std::initializer_list<int> values);

} // namespace EdidTestFiles

#include "EdidTestFiles.h"

#include "TestBytes.h"
#include "TestEdids.h"

namespace EdidTestFiles {

namespace {

constexpr std::uint8_t AudioTag = 0x20;
constexpr std::uint8_t VideoTag = 0x40;
constexpr std::uint8_t VendorTag = 0x60;

void putName(EdidImage& image, const std::string& name) {
    TestEdids::PutNameDescriptor(image, 108, name.size() < 13 ? name + "\n" : name);
}

} // namespace

EdidImage RichEdid(const std::string& name) {
    using TestEdids::Block;
    EdidImage image = TestEdids::WithExtension({
        Block(VideoTag, {0x90}), // VIC 16, native
        // LPCM 2 ch, LPCM 8 ch, AC-3, E-AC-3, DTS, DTS-HD, AAC
        Block(AudioTag, {0x09, 0x07, 0x07, 0x0F, 0x07, 0x07, 0x15, 0x07, 0x50, 0x55, 0x07,
                         0x00, 0x3D, 0x07, 0xC0, 0x5F, 0x07, 0x00, 0x35, 0x07, 0x50}),
        Block(VendorTag, {0x03, 0x0C, 0x00, 0x10, 0x00}),
    });
    putName(image, name);
    TestEdids::FixChecksums(image);
    return image;
}

EdidImage PlainEdid(const std::string& name) {
    EdidImage image = TestEdids::Base();
    putName(image, name);
    TestEdids::FixChecksums(image, false);
    return image;
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    return TestBytes::writeFile(path.toStdString(), TestBytes::Bytes(bytes.begin(), bytes.end()));
}

bool WriteImage(const QString& path, const EdidImage& image) {
    return WriteBytes(path, Bytes(image));
}

QByteArray ReadBytes(const QString& path) {
    const TestBytes::Bytes bytes = TestBytes::readFile(path.toStdString());
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

QByteArray Bytes(const EdidImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()),
                      static_cast<qsizetype>(image.size()));
}

QByteArray Frame(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

} // namespace EdidTestFiles

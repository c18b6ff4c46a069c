#include "EdidPageTest.h"

#include "DeviceLink.h"
#include "EdidTestFiles.h"

void EdidPageTest::connect(std::initializer_list<std::pair<const char*, EdidImage>> edids,
                           QStringList options) {
    for (const auto& [name, image] : edids) {
        const QString file = path(name) + QStringLiteral(".src");
        ASSERT_TRUE(EdidTestFiles::WriteImage(file, image));
        options << QStringLiteral("--") + QString::fromLatin1(name) << file;
    }
    device = std::make_unique<DevsimProcess>(options);
    ASSERT_FALSE(device->path().isEmpty());
    window = std::make_unique<TestWindow>(QStringList{device->path()});
    window->search();
    ASSERT_EQ(window->link().connection(), Connection::Connected);
}

int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// What the creator writes, checked by an independent decoder (Debian's edid-decode): the
// real EDIDs of the shared corpus saved unchanged, and Brand New. Skipped without the
// decoder or the corpus.
#include "CliRunner.h"
#include "EdidFile.h"
#include "EdidInfo.h"
#include "EdidValidation.h"
#include "TestBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// Kinds of failure that follow from the creator's design: it always writes a CTA-861
// extension, also behind a base block alone, and a Video Capability block only where the
// base had one; the decoder wants one in such an extension, and 640x480p60 among its
// timings.
const char* const kDesignKinds[] = {
    "Missing VCDB, needed for Set Selectable RGB Quantization",
    "Required #x#p# timings are missing",
};

const QString kToday = QStringLiteral("2026-12-08");

QString decoderPath() {
    return QStandardPaths::findExecutable(QStringLiteral("edid-decode"));
}

// The failures `edid-decode --check` reports for `file`, one per message under the name of
// its block, numbers folded to '#' so that a count or a value does not make a new kind.
std::set<std::string> failureKinds(const QString& decoder, const QString& file) {
    QProcess run;
    run.start(decoder, {QStringLiteral("--check"), file});
    EXPECT_TRUE(run.waitForFinished(60000)) << file.toStdString();
    static const QRegularExpression number(QStringLiteral("\\d+"));
    std::set<std::string> kinds;
    QString block;
    bool inside = false;
    for (const QString& line : QString::fromUtf8(run.readAllStandardOutput()).split('\n')) {
        if (line == QLatin1String("Failures:"))
            inside = true;
        else if (!inside || line.isEmpty())
            continue;
        else if (line.startsWith(QLatin1String("EDID conformity")))
            break;
        else if (!line.startsWith(' '))
            block = line;
        else if (!line.startsWith(QLatin1String("    ")))
            kinds.insert(QString(block + ' ' + line.trimmed()).replace(number, "#").toStdString());
    }
    return kinds;
}

bool followsFromTheDesign(const std::string& kind) {
    for (const char* designKind : kDesignKinds) {
        if (kind.find(designKind) != std::string::npos)
            return true;
    }
    return false;
}

// The kinds `output` has and `input` has not, but for those of the design.
std::set<std::string> newKinds(const std::set<std::string>& input,
                               const std::set<std::string>& output) {
    std::set<std::string> added;
    for (const std::string& kind : output) {
        if (!input.count(kind) && !followsFromTheDesign(kind))
            added.insert(kind);
    }
    return added;
}

// Every EDID the creator accepts, with a CTA-861 extension or none, comes out of
// roundtrip with no kind of failure its input did not have. The others are refused,
// named with their validation message, and nothing is written for them.
TEST(CreatorConformity, TheCorpusSavedUnchangedGainsNoKindOfFailure) {
    const QString decoder = decoderPath();
    if (decoder.isEmpty())
        GTEST_SKIP() << "edid-decode is not installed";
    const QDir corpus(QStringLiteral(REDAVIV_EDID_CORPUS));
    const QStringList names = corpus.entryList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name);
    if (names.isEmpty())
        GTEST_SKIP() << "no EDID corpus at " << REDAVIV_EDID_CORPUS;
    TestBytes::TempFolder folder("redaviv-corpus");
    ASSERT_TRUE(folder.ok());
    const QString out = QString::fromStdString(folder.path());

    QStringList args = {QStringLiteral("roundtrip"), QStringLiteral("--today"), kToday,
                        QStringLiteral("-d"), out};
    for (const QString& name : names)
        args.append(corpus.filePath(name));
    const CliRun run = runCli(args);

    // What the command says on standard error: the note on an input beyond the 256 bytes
    // the creator reads, and the refusal of an input that fails validation.
    std::string expectedErr;
    bool refused = false;
    std::string gained;
    int checked = 0;
    for (const QString& name : names) {
        const QString input = corpus.filePath(name);
        const QString output = out + '/' + name;
        EdidInfo info{};
        ASSERT_TRUE(ReadEdidFile(input.toStdString(), info.Image));
        if (const qint64 size = QFileInfo(input).size(); size > 256)
            expectedErr += input.toStdString() + ": " + std::to_string(size) +
                           " bytes; only the first 256 (the base block and one extension) are "
                           "read.\n";
        if (!ValidateEdid(info)) {
            refused = true;
            expectedErr += input.toStdString() + ": " + ValidationMessage(info.Status) + "\n";
            EXPECT_FALSE(QFile::exists(output)) << name.toStdString();
            continue;
        }
        ASSERT_TRUE(QFile::exists(output)) << name.toStdString() << "\n" << run.err;
        if (info.Image[126] == 1 && info.Image[128] != 0x02)
            continue; // another kind of extension is rewritten as CTA-861
        ++checked;
        for (const std::string& kind :
             newKinds(failureKinds(decoder, input), failureKinds(decoder, output)))
            gained += name.toStdString() + ": " + kind + "\n";
    }
    EXPECT_EQ(run.status, refused ? 1 : 0);
    EXPECT_EQ(run.err, expectedErr);
    EXPECT_GT(checked, 0);
    EXPECT_EQ(gained, "");
}

TEST(CreatorConformity, BrandNewFailsOnlyForTheVideoCapabilityItDoesNotModel) {
    const QString decoder = decoderPath();
    if (decoder.isEmpty())
        GTEST_SKIP() << "edid-decode is not installed";
    TestBytes::TempFolder folder("redaviv-brandnew");
    ASSERT_TRUE(folder.ok());
    const QString out = QString::fromStdString(folder.path("new.bin"));
    ASSERT_EQ(runCli({QStringLiteral("brandnew"), QStringLiteral("-o"), out,
                      QStringLiteral("--today"), kToday})
                  .status,
              0);
    std::string failures;
    for (const std::string& kind : failureKinds(decoder, out)) {
        if (kind.find(kDesignKinds[0]) == std::string::npos)
            failures += kind + "\n";
    }
    EXPECT_EQ(failures, "");
}

} // namespace

// The man page and the bash completion of redaviv-cli: written by the build from the
// command table, they name every command, render, and complete.
#include "CommandPages.h"
#include "CommandTable.h"
#include "EdidFile.h"
#include "TestBytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string fileText(const std::string& path) {
    const auto bytes = ReadRegularFile(path, 1 << 20);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

std::string commandOutput(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

const std::string kManPage = REDAVIV_CLI_MANPAGE;
const std::string kCompletion = REDAVIV_CLI_COMPLETION;

TEST(CliPagesTest, TheBuildWroteThePagesOfTheCommandTable) {
    EXPECT_EQ(fileText(kManPage), ManPage(CommandTable(), kExitStatusHelp));
    EXPECT_EQ(fileText(kCompletion), BashCompletion(CommandTable()));
}

TEST(CliPagesTest, TheManPageRendersEveryCommand) {
    if (std::system("command -v man >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "man is not installed";
    const std::string shown = commandOutput("MANWIDTH=200 man -l '" + kManPage + "' 2>&1");
    EXPECT_NE(shown.find("redaviv-cli - EDID files"), std::string::npos) << shown;
    for (const Command* command : CommandTable()) {
        EXPECT_NE(shown.find(command->synopsis), std::string::npos) << command->synopsis;
        EXPECT_NE(shown.find(command->summary), std::string::npos) << command->summary;
    }
    EXPECT_NE(shown.find("EXIT STATUS"), std::string::npos);
    EXPECT_EQ(shown.find("warning"), std::string::npos) << shown;
}

TEST(CliPagesTest, TheCompletionOffersEveryCommandItsOptionsAndWords) {
    // COMP_WORDS as bash gives them; prints what the completion offers, in an empty
    // folder so that no file name is offered.
    TestBytes::TempFolder empty("redaviv-completion");
    ASSERT_TRUE(empty.ok());
    const std::string& folder = empty.path();
    const auto offered = [&](const std::string& words) {
        return commandOutput("cd '" + folder + "' && bash -c 'source \"" + kCompletion +
                             "\"; COMP_WORDS=(" + words +
                             "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _redaviv_cli; "
                             "printf \"%s\\n\" \"${COMPREPLY[@]}\"' 2>&1");
    };
    const std::string commands = offered("redaviv-cli \"\"");
    for (const Command* command : CommandTable())
        EXPECT_NE(commands.find(std::string(command->name) + "\n"), std::string::npos)
            << command->name;
    EXPECT_EQ(offered("redaviv-cli dow"), "download\n");
    EXPECT_EQ(offered("redaviv-cli --port /dev/ttyUSB0 download a"), "all\n");
    EXPECT_EQ(offered("redaviv-cli upload x.bin --e"), "--each\n");
    EXPECT_EQ(offered("redaviv-cli export x --format b"), "bin\n");
    const std::string info = offered("redaviv-cli info --");
    EXPECT_NE(info.find("--json\n"), std::string::npos) << info;
    EXPECT_EQ(::rmdir(folder.c_str()), 0);
}

} // namespace

// redaviv-cli-pages MANPAGE COMPLETION: writes the man page and the bash completion of
// redaviv-cli from its command table. Run by the build.
#include "CommandPages.h"
#include "CommandTable.h"
#include "EdidFile.h"

#include <iostream>

namespace {

bool write(const char* path, const std::string& text) {
    if (WriteFileWhole(path, std::vector<std::uint8_t>(text.begin(), text.end())))
        return true;
    std::cerr << "redaviv-cli-pages: cannot write " << path << "\n";
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: redaviv-cli-pages MANPAGE COMPLETION\n";
        return 2;
    }
    const bool written = write(argv[1], ManPage(CommandTable(), kExitStatusHelp)) &&
                         write(argv[2], BashCompletion(CommandTable()));
    return written ? 0 : 1;
}

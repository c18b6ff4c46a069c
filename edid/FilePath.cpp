#include "FilePath.h"
#include "RandomEngine.h"

#include <random>

namespace {

// The name the temporary file gets after the target's own name: "." and six characters.
constexpr std::size_t TempSuffixLength = 7;

#ifdef _WIN32
constexpr char Separators[] = "/\\";
#else
constexpr char Separators[] = "/";
#endif

// Where the name begins: after the last separator, or after a drive ("C:name").
std::size_t nameStart(const std::string& path) {
    const auto separator = path.find_last_of(Separators);
    if (separator != std::string::npos)
        return separator + 1;
#ifdef _WIN32
    if (path.size() >= 2 && path[1] == ':')
        return 2;
#endif
    return 0;
}

bool isSeparator(char c) {
    return std::char_traits<char>::find(Separators, sizeof Separators - 1, c) != nullptr;
}

} // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t start = nameStart(path);
    if (start == 0)
        return ".";
    // The root keeps its separator ("/", "C:\"); a drive alone is its current folder.
    std::size_t end = start - 1;
#ifdef _WIN32
    if (end == 2 && path[1] == ':')
        return path.substr(0, 3);
    if (end == 1 && path[1] == ':')
        return path.substr(0, 2);
#endif
    return end == 0 ? path.substr(0, 1) : path.substr(0, end);
}

std::string NameOf(const std::string& path) {
    return path.substr(nameStart(path));
}

std::string ParentOf(const std::string& path) {
    std::size_t end = path.size();
    while (end > 1 && isSeparator(path[end - 1]))
        --end;
    return FolderOf(path.substr(0, end));
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty() || nameStart(folder) == folder.size())
        return folder + name;
    return folder + "/" + name;
}

std::string TempNameFor(const std::string& name, std::size_t nameMax) {
    std::size_t keep = name.size();
    if (keep + TempSuffixLength > nameMax) {
        keep = nameMax > TempSuffixLength ? nameMax - TempSuffixLength : 0;
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
    }
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local RandomEngine random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    std::string temp = name.substr(0, keep) + ".";
    for (std::size_t i = 1; i < TempSuffixLength; ++i)
        temp += letters[pick(random)];
    return temp;
}

#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Paths as the program takes them: UTF-8 text. '/' separates a path's parts everywhere;
// on Windows '\' does too (and "C:" begins a path on drive C).

// The folder part of `path`: "." for a bare name, the root for a name in the root.
std::string FolderOf(const std::string& path);

// The last part of `path`, the name in its folder.
std::string NameOf(const std::string& path);

// The folder that holds what `path` names, separators at its end aside: "edids/" and
// "edids" are both in ".".
std::string ParentOf(const std::string& path);

// `name` in `folder`: joined by '/', unless the folder already ends where a name begins.
std::string PathInFolder(const std::string& folder, const std::string& name);

// True when `a` and `b` name one file by their text alone: equal, and on Windows, whose
// file names ignore case, also equal but for case ("X.bin" and "x.bin").
bool SameFileName(const std::string& a, const std::string& b);

// What exists at `path` (a symbolic link counts as its target). Missing when nothing can
// be looked up there; errno then says why (ENOENT: no such file).
enum class PathKind { Missing, Regular, Directory, Fifo, Device, Other };
PathKind KindOfPath(const std::string& path);

// Which file `path` names: two paths to one file (through a link, another spelling of
// the path, a hard link) give the same identity. Nothing when nothing is there.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity& other) const {
        return volume == other.volume && file == other.file;
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};
std::optional<FileIdentity> IdentityOfFile(const std::string& path);

// Makes the folder `path`; its parent must exist. False, with errno saying why, when it
// cannot be made.
bool MakeFolder(const std::string& path);

// "<name>.<6 random characters>": the name of a temporary file beside `name`, cut short
// so that the whole stays within `nameMax` bytes (a cut never splits a UTF-8 character).
std::string TempNameFor(const std::string& name, std::size_t nameMax);

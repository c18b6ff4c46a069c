#pragma once
#include <cstddef>
#include <string>

// Paths as the program takes them: UTF-8 text. '/' separates a path's parts everywhere;
// on Windows '\' does too (and "C:" begins a path on drive C).

// The folder part of `path`: "." for a bare name, the root for a name in the root.
std::string FolderOf(const std::string& path);

// The last part of `path`, the name in its folder.
std::string NameOf(const std::string& path);

// What exists at `path` (a symbolic link counts as its target).
enum class PathKind { Missing, Regular, Directory, Fifo, Device, Other };
PathKind KindOfPath(const std::string& path);

// "<name>.<6 random characters>": the name of a temporary file beside `name`, cut short
// so that the whole stays within `nameMax` bytes (a cut never splits a UTF-8 character).
std::string TempNameFor(const std::string& name, std::size_t nameMax);

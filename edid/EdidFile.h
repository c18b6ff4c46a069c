#pragma once
#include "EdidImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// Reads at most `limit` bytes from the start of the regular file `path` (a symbolic
// link is followed). Nothing when it cannot be opened, cannot be read, or is anything
// but a regular file: a directory, a FIFO or a device is refused without waiting on it
// (opening a FIFO for reading would block until a writer comes). `fileSize`, when given,
// gets the whole file's size.
std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& path, std::size_t limit,
                                                         std::size_t* fileSize = nullptr);

// Reads an EDID file: 256 bytes in order; bytes missing at the end read as 0xFF and
// bytes after the 256th are ignored. False when ReadRegularFile refuses the file; the
// image is then untouched. Does not validate.
bool ReadEdidFile(const std::string& path, EdidImage& image);

// The file format's rule applied to bytes already read: the first 256 in order, bytes
// missing at the end as 0xFF.
EdidImage EdidImageFromBytes(const std::vector<std::uint8_t>& bytes);

// Reads at most `limit` bytes of an open stream (standard input, say) into `bytes`.
// False on a read error. `total`, when given, gets the count of every byte up to the
// stream's end: the bytes past the limit are read too, and dropped.
bool ReadStreamBytes(std::FILE* stream, std::size_t limit, std::vector<std::uint8_t>& bytes,
                     std::size_t* total = nullptr);

// True when `path` names an existing writable regular file, or a new name in a
// writable folder: the file a transfer is about to produce can be created. A symbolic
// link counts as its target; a link whose target is missing is refused.
bool CanCreateFile(const std::string& path);

// Writes `bytes` to `path` whole or not at all: a temporary file beside the target
// is written, flushed and renamed over it, so a failure never leaves a truncated
// file and never destroys the file it was to replace. A symbolic link is written
// through: its target is replaced and the link stays. The temporary name is never
// longer than the folder allows, so any name that may be created can be written.
// Refuses what CanCreateFile refuses (a rename would otherwise replace a read-only file).
// On failure errno says why (EISDIR, EINVAL for anything else that is no regular file,
// EACCES, ENOENT, ENOSPC, ...).
bool WriteFileWhole(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The same for an EDID image, errno included.
bool WriteEdidFile(const std::string& path, const EdidImage& image);

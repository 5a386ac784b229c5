#pragma once
// Reading a whole file whose size the program does not control.
//
// A study, a settings file or a column file is read into memory at once. A path given by a user or by a
// study may name anything: a folder, a named pipe (which blocks a reader until someone writes), /dev/zero
// (endless), a huge file. Only regular files are opened, and only up to a size cap, so a small crafted
// input never costs more than what it holds and never blocks.

#include <cstddef>
#include <string>

namespace kinoval {

enum TFileReadResult : int {
    frOk = 0,
    frMissing = 1, // no such file
    frFailed = 2, // it exists but could not be read (permissions, I/O error)
    frNotRegular = 3, // a folder, a device, a pipe or a socket
    frTooLarge = 4, // larger than the cap
};

// Studies and settings files are a few kilobytes to a few megabytes; anything beyond this is not one.
inline constexpr std::size_t kMaxTextFileBytes = 64u * 1024u * 1024u;

// Reads the file into contents. On failure contents is empty and errorText (when given) holds the reason
// in the interface's language.
int ReadWholeFile(
    const std::string& path, std::size_t maxBytes, std::string& contents, std::string* errorText = nullptr);

// Why a path cannot be read as a file (missing, a folder, a device...), for messages; empty for a regular
// file.
std::string NotARegularFileReason(const std::string& path);

} // namespace kinoval

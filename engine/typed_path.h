#pragma once

#include <string>

// A search path as the user typed it, tidied once when it is read, the way
// Windows would tidy it: every path the program hands the file system later
// is taken literally (a name ending in a dot or a blank is that name).

namespace quill {

// Tidies the folder part of folder + backslash + mask: forward slashes
// become backslashes, doubled separators and "." fall away, ".." steps back
// one folder (never above the drive or the share), and blanks and dots at
// the end of each folder name are dropped. The mask after the last
// backslash is kept as typed ("*." means names without an extension).
std::string NormaliseTypedPath(const std::string& path);

} // namespace quill

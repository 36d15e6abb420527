// Reading and writing the program's text files safely.
#pragma once

#include <istream>
#include <string>

// Formatted extraction that leaves target untouched when it fails (a failed
// `>>` would store 0). Returns whether a value was read.
template <class T>
bool ReadValue(std::istream& in, T& target)
{
    T value{};
    if (!(in >> value)) return false;
    target = value;
    return true;
}

// Reads one whole line (any length, without its line end and a trailing CR)
// and keeps at most maxChars bytes of it. A long line never poisons the
// stream for the lines after it. Returns false at end of input.
bool ReadLimitedLine(std::istream& in, std::string& line, size_t maxChars);

// Replaces the file at path with bytes: writes "<path>.tmp" in the same folder,
// flushes it to disk, renames it over the old file and flushes the folder, so
// that after a power loss either the old or the new file is there, whole.
// False when any step failed; the old file is then left as it was (unless only
// the folder flush failed) and the temporary file is removed.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// As WriteFileAtomically, for a file only its owner may read: the temporary
// file is created new with mode 0600 (whatever the umask) and never follows a
// link. A temporary path that exists and cannot be removed (a folder) fails
// the write and is left alone.
bool WritePrivateFileAtomically(const std::string& path, const std::string& bytes);

enum class FileRead { Read, Failed, TooLarge };

// Reads the whole file at path into bytes. Failed: missing, not a regular file
// (a folder, a device, a pipe: never waited on) or a read error; TooLarge: the
// file holds more than maxBytes. bytes is emptied unless the result is Read.
FileRead ReadWholeFileBytes(const std::string& path, std::string& bytes, size_t maxBytes);

// True when path names an existing regular file (a folder is not a file).
bool FileExists(const std::string& path);

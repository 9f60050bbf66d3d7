#pragma once
// Files as byte strings: reading whole files, writing them completely or not
// at all, and the small path questions the engine asks.
#include <cstdint>
#include <string>
#include <string_view>

namespace korvelin {

// The whole file as bytes. Raises "Cannot open file "<path>". <reason>" when it
// cannot be opened, and a read error message when reading fails.
std::string ReadFileBytes(const std::string& path);

// Writes data to a temporary file beside path and renames it over path, so
// that an interrupted or failed write (a full disk, say) leaves any older file
// as it was. Raises "Cannot write file "<path>". <reason>" on failure.
void WriteFileAtomic(const std::string& path, std::string_view data);

// True when path names a regular file (a symbolic link to one counts).
bool FileExists(const std::string& path);
// True when path names a directory.
bool DirectoryExists(const std::string& path);

// The part after the last path separator.
std::string_view ExtractFileName(std::string_view path);
// The part up to and including the last path separator (empty without one).
std::string_view ExtractFilePath(std::string_view path);

}  // namespace korvelin

namespace korvelin {
// The folder of the running executable, with a trailing separator: the
// program folder that holds sys/ and receives pages, logs and working files.
std::string ProgramFolder();
}  // namespace korvelin

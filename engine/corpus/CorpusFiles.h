#pragma once
// Collecting the corpus files under a folder and rejecting files that are not
// plain code-page text.
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/StrList.h"

namespace korvelin {

class TProgressHook;

// Appends to files every entry of folder whose name ends in ext exactly (byte
// for byte, so ".TXT" is not ".txt"), entering subfolders when recurse is set,
// and returns the total byte size of the files appended. Entries are taken in
// name order, so a corpus loads the same way every time; a subfolder's files
// are appended where the subfolder is met. Hidden entries (names beginning
// with ".") are skipped: editors and other systems leave such files beside
// real ones (AppleDouble "._name.txt" files are binary), and one of them would
// reject the whole load. Symbolic links to files are followed; links to
// folders are not entered, so a link cycle cannot trap the walk.
int64_t FindCorpusFiles(const std::string& folder, TStrList& files, bool recurse, std::string_view ext,
                        TProgressHook* progress = nullptr);

// False when the file starts with a UTF-16 or UTF-8 byte-order mark; true
// otherwise, and true when no file exists at path.
bool IsAnsiFile(const std::string& path);

// False when one of the first 40960 bytes is 0. Raises when the file cannot be opened.
bool IsTextFile(const std::string& path);

// Checks every listed file; when any fails, writes the list of failures to
// reportPath (CR LF lines) and raises "<n> file(s) in Non-ANSI format, see:\n\r<reportPath>".
void CheckAnsiFiles(const TStrList& files, const std::string& reportPath, TProgressHook* progress = nullptr);

}  // namespace korvelin

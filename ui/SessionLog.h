#pragma once
// The session log: the memo on the Settings tab, written whole to
// "Korvelin.log" in the program folder after every change. The file is UTF-8
// with CR LF line ends: it holds folder names and, later, query text of both
// code pages. Entries (TLog) hold UTF-8 too; tabs convert corpus text first.
#include <QString>
#include <string>

#include "foundation/Types.h"

class QPlainTextEdit;

namespace korvelin {

// Header, seconds ("0.000 second(s)", nothing when 0), result, options and
// detail, separated by a space and two tabs.
QString FormatLogEntry(const TLog& entry);

class TSessionLog {
 public:
  TSessionLog(QPlainTextEdit* memo, std::string path);

  // Appends one line ("-" stands for a rule of 58 hyphens), emptying the memo
  // first when clear is set, then saves.
  void LogLine(const QString& text, bool clear = false);
  // Appends the entry as one line, saves, and empties the entry.
  void WriteLogEntry(TLog& entry, bool clear = false);
  // Writes the memo to the file; nothing while the memo is empty.
  void Save() const;
  void Clear();

  const std::string& Path() const { return FPath; }

 private:
  QPlainTextEdit* FMemo;
  std::string FPath;
};

}  // namespace korvelin

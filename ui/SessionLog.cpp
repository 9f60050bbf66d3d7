#include "SessionLog.h"

#include <QPlainTextEdit>

#include "foundation/TextFile.h"

namespace korvelin {

QString FormatLogEntry(const TLog& entry) {
  const QString sep = QStringLiteral(" \t\t");
  const QString seconds =
      entry.Seconds != 0.0f ? QString::number(entry.Seconds, 'f', 3) + QStringLiteral(" second(s)") : QString();
  return QString::fromStdString(entry.Header) + sep + seconds + sep + QString::fromStdString(entry.Result) + sep +
         QString::fromStdString(entry.Options) + sep + QString::fromStdString(entry.Detail);
}

TSessionLog::TSessionLog(QPlainTextEdit* memo, std::string path) : FMemo(memo), FPath(std::move(path)) {}

void TSessionLog::LogLine(const QString& text, bool clear) {
  if (clear) FMemo->clear();
  FMemo->appendPlainText(text == QLatin1String("-") ? QString(58, QLatin1Char('-')) : text);
  Save();
}

void TSessionLog::WriteLogEntry(TLog& entry, bool clear) {
  if (clear) FMemo->clear();
  FMemo->appendPlainText(FormatLogEntry(entry));
  Save();
  entry = TLog{};
}

void TSessionLog::Save() const {
  const QString text = FMemo->toPlainText();
  if (text.isEmpty()) return;
  QString file = text;
  file.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  file += QLatin1String("\r\n");
  WriteFileAtomic(FPath, file.toUtf8().toStdString());
}

void TSessionLog::Clear() { FMemo->clear(); }

}  // namespace korvelin

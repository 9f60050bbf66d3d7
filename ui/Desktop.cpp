#include "Desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace korvelin {

std::optional<QString> TQtDesktop::SelectFolder(QWidget* parent, const QString& start) {
  QFileDialog dialog(parent, QStringLiteral("Select Folder"), start);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedFiles().value(0);
}

std::optional<QString> TQtDesktop::OpenFileName(QWidget* parent, const QString& folder, const QString& filter) {
  QFileDialog dialog(parent, QStringLiteral("Open"), folder, filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedFiles().value(0);
}

void TQtDesktop::ShowMessage(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void TQtDesktop::ShowError(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox::critical(parent, title, text, QMessageBox::Ok);
}

void TQtDesktop::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace korvelin

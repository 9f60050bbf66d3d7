#include "Desktop.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace korvelin {

namespace {

const QString kFileManager = QStringLiteral("org.freedesktop.FileManager1");

// xdg-open on a folder, found in paths (none: PATH); nothing without it.
void OpenFolderWith(const QStringList& paths, const QString& folder) {
  const QString name = QStringLiteral("xdg-open");
  const QString exe = paths.isEmpty() ? QStandardPaths::findExecutable(name) : QStandardPaths::findExecutable(name, paths);
  if (!exe.isEmpty()) QProcess::startDetached(exe, {folder});
}

}  // namespace

TQtDesktop::TQtDesktop(std::optional<QString> busAddress, QStringList openerPaths)
    : FBusAddress(std::move(busAddress)), FOpenerPaths(std::move(openerPaths)) {}

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

std::optional<QString> TQtDesktop::SaveFileName(QWidget* parent, const QString& folder, const QString& filter) {
  QFileDialog dialog(parent, QStringLiteral("Save"), folder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // A bare name gets ".txt" here, so the dialog asks before replacing the
  // file that is actually written.
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

bool TQtDesktop::Confirm(QWidget* parent, const QString& title, const QString& text) {
  return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

void TQtDesktop::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

void TQtDesktop::RevealInExplorer(const QString& path) {
  const QString trimmed = path.trimmed();
  if (trimmed.isEmpty()) return;
  const QFileInfo info(trimmed);
  if (!info.isFile()) return;
  if (ShowItems(info.absoluteFilePath())) return;
  OpenFolder(info.absolutePath());
}

bool TQtDesktop::ShowItems(const QString& file) {
  if (FBusAddress && FBusAddress->isEmpty()) return false;
  QDBusConnection bus = FBusAddress ? QDBusConnection::connectToBus(*FBusAddress, QStringLiteral("korvelin-reveal"))
                                    : QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusConnectionInterface* daemon = bus.interface();
  if (daemon == nullptr) return false;
  bool offered = daemon->isServiceRegistered(kFileManager).value();
  if (!offered) {
    const QDBusReply<QStringList> activatable = daemon->call(QStringLiteral("ListActivatableNames"));
    offered = activatable.isValid() && activatable.value().contains(kFileManager);
  }
  if (!offered) return false;

  QDBusMessage call = QDBusMessage::createMethodCall(kFileManager, QStringLiteral("/org/freedesktop/FileManager1"),
                                                     kFileManager, QStringLiteral("ShowItems"));
  call << QStringList{QUrl::fromLocalFile(file).toString()} << QString();
  // Not waited for: a file manager that has to start first must not hold
  // the window. If it refuses, the folder is opened instead.
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), QCoreApplication::instance());
  const QString folder = QFileInfo(file).absolutePath();
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                   [folder, paths = FOpenerPaths](QDBusPendingCallWatcher* w) {
                     if (w->isError()) OpenFolderWith(paths, folder);
                     w->deleteLater();
                   });
  return true;
}

void TQtDesktop::OpenFolder(const QString& folder) { OpenFolderWith(FOpenerPaths, folder); }

}  // namespace korvelin

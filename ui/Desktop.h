#pragma once
// What the window asks of the desktop: choosing a folder or a file, message
// boxes, and opening a folder, a link or a saved file in another program.
// The window takes it as a seam, so tests answer the dialogs and read the
// messages.
#include <QString>
#include <QStringList>
#include <optional>

class QUrl;
class QWidget;

namespace korvelin {

class TDesktop {
 public:
  virtual ~TDesktop() = default;
  // The chosen folder, or nothing when the user cancels.
  virtual std::optional<QString> SelectFolder(QWidget* parent, const QString& start) = 0;
  // An existing file chosen in folder with a filter such as "Text File (*.txt)";
  // nothing when the user cancels.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& folder, const QString& filter) = 0;
  // A file name to save to, chosen in folder; nothing when the user cancels.
  virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& folder, const QString& filter) = 0;
  // A modal message with an OK button.
  virtual void ShowMessage(QWidget* parent, const QString& title, const QString& text) = 0;
  virtual void ShowError(QWidget* parent, const QString& title, const QString& text) = 0;
  // A yes/no question; true for yes.
  virtual bool Confirm(QWidget* parent, const QString& title, const QString& text) = 0;
  // Opens a folder in the file manager, or a link in its program.
  virtual void OpenUrl(const QUrl& url) = 0;
  // Shows a saved file in the desktop's file manager, selected. A blank path
  // or a missing file does nothing.
  virtual void RevealInExplorer(const QString& path) = 0;
};

// Qt's dialogs and the desktop's default programs.
class TQtDesktop : public TDesktop {
 public:
  // Where RevealInExplorer looks for a file manager: the session bus (no
  // address), another bus (an address) or none (an empty address); and the
  // folders searched for xdg-open (none: PATH).
  explicit TQtDesktop(std::optional<QString> busAddress = std::nullopt, QStringList openerPaths = {});

  std::optional<QString> SelectFolder(QWidget* parent, const QString& start) override;
  std::optional<QString> OpenFileName(QWidget* parent, const QString& folder, const QString& filter) override;
  std::optional<QString> SaveFileName(QWidget* parent, const QString& folder, const QString& filter) override;
  void ShowMessage(QWidget* parent, const QString& title, const QString& text) override;
  void ShowError(QWidget* parent, const QString& title, const QString& text) override;
  bool Confirm(QWidget* parent, const QString& title, const QString& text) override;
  void OpenUrl(const QUrl& url) override;
  // The file manager's org.freedesktop.FileManager1 ShowItems over D-Bus when
  // a file manager offers it; else xdg-open on the file's folder; else nothing.
  void RevealInExplorer(const QString& path) override;

 private:
  // Asks the file manager over D-Bus; false when none offers ShowItems.
  bool ShowItems(const QString& file);
  void OpenFolder(const QString& folder);

  std::optional<QString> FBusAddress;
  QStringList FOpenerPaths;
};

}  // namespace korvelin

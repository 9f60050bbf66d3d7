#pragma once
// What the window asks of the desktop: choosing a folder or a file, message
// boxes, and opening a folder or a link in another program. The window takes
// it as a seam, so tests answer the dialogs and read the messages.
#include <QString>
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
  // A modal message with an OK button.
  virtual void ShowMessage(QWidget* parent, const QString& title, const QString& text) = 0;
  virtual void ShowError(QWidget* parent, const QString& title, const QString& text) = 0;
  // Opens a folder in the file manager, or a link in its program.
  virtual void OpenUrl(const QUrl& url) = 0;
};

// Qt's dialogs and the desktop's default programs.
class TQtDesktop : public TDesktop {
 public:
  std::optional<QString> SelectFolder(QWidget* parent, const QString& start) override;
  std::optional<QString> OpenFileName(QWidget* parent, const QString& folder, const QString& filter) override;
  void ShowMessage(QWidget* parent, const QString& title, const QString& text) override;
  void ShowError(QWidget* parent, const QString& title, const QString& text) override;
  void OpenUrl(const QUrl& url) override;
};

}  // namespace korvelin

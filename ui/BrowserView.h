#pragma once
// The browser view of the result pages. Pages are local files written beside
// the program; their links carry commands ("17", "sort:freq"). The page
// reports every navigation before it happens: a target whose last part holds
// ".htm" loads, anything else is cancelled and handed over as a command.
// Nothing is fetched from the network.
#include <QString>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>
#include <string>

#include "foundation/CodePage.h"

class QWebEngineProfile;

namespace korvelin {

// The profile every view shares: in memory only, no HTTP cache, and every
// request that is not for a local file blocked.
QWebEngineProfile* LocalPagesProfile();
// How many requests the profile has blocked so far.
int BlockedRequestCount();

// The command a navigation target stands for: the last part of a local path
// ("17" of file:///.../17), or the whole target for other schemes ("sort:freq").
QString NavigationTarget(const QUrl& url);

class TBrowserPage : public QWebEnginePage {
  Q_OBJECT

 public:
  explicit TBrowserPage(QObject* parent = nullptr);

  // While it answers true, commands are cancelled and dropped: a link
  // clicked while a command runs must not start another inside it.
  std::function<bool()> IgnoreCommands;

 signals:
  // A cancelled navigation: target as NavigationTarget gives it.
  void BeforeNavigate(const QString& target, const QUrl& url);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};

class TBrowserView : public QWebEngineView {
  Q_OBJECT

 public:
  explicit TBrowserView(QWidget* parent = nullptr);

  // Pages without a declared charset are read in this code page.
  void SetCodePage(TCodePage cp);
  // Shows the local page at path (bytes of a file name). A page rewritten
  // under the same name is read again with its pictures and style sheets.
  void Navigate(const std::string& path);
  TBrowserPage* Page() const { return FPage; }
  // See TBrowserPage::IgnoreCommands.
  void SetIgnoreCommands(std::function<bool()> ignore) { FPage->IgnoreCommands = std::move(ignore); }

 signals:
  void BeforeNavigate(const QString& target);

 private:
  TBrowserPage* FPage;
};

}  // namespace korvelin

#include "BrowserView.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <atomic>

namespace korvelin {

namespace {

std::atomic<int> gBlocked{0};

class TLocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (info.requestUrl().isLocalFile()) return;
    info.block(true);
    ++gBlocked;
  }
};

}  // namespace

QWebEngineProfile* LocalPagesProfile() {
  static QWebEngineProfile* profile = [] {
    // Off the record: nothing of the pages is kept on disk.
    auto* p = new QWebEngineProfile(QCoreApplication::instance());
    p->setHttpCacheType(QWebEngineProfile::NoCache);
    p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    p->setUrlRequestInterceptor(new TLocalOnlyInterceptor(p));
    QWebEngineSettings* s = p->settings();
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // A file dropped on a view would otherwise become a navigation, and so a
    // command.
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    // Links of unknown schemes ("sort:freq") are commands: the engine must
    // ask the page about them, which it does only when it may follow them.
    // The page refuses every target that is not a local file, so none of
    // them is ever handed to another program.
    s->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
    return p;
  }();
  return profile;
}

int BlockedRequestCount() { return gBlocked.load(); }

QString NavigationTarget(const QUrl& url) {
  if (url.isLocalFile()) return QFileInfo(url.toLocalFile()).fileName();
  return url.toString();
}

TBrowserPage::TBrowserPage(QObject* parent) : QWebEnginePage(LocalPagesProfile(), parent) {}

bool TBrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType /*type*/, bool /*isMainFrame*/) {
  const QString target = NavigationTarget(url);
  if (target.contains(QLatin1String(".htm"))) return url.isLocalFile();
  if (IgnoreCommands && IgnoreCommands()) return false;
  // Handed over once this request has been answered: the command may write
  // and show pages, which must not happen inside the engine's own call.
  QMetaObject::invokeMethod(
      this, [this, target, url] { emit BeforeNavigate(target, url); }, Qt::QueuedConnection);
  return false;
}

TBrowserView::TBrowserView(QWidget* parent) : QWebEngineView(parent), FPage(new TBrowserPage(this)) {
  setPage(FPage);
  connect(FPage, &TBrowserPage::BeforeNavigate, this,
          [this](const QString& target, const QUrl&) { emit BeforeNavigate(target); });
  SetCodePage(TCodePage::Windows1252);
}

void TBrowserView::SetCodePage(TCodePage cp) {
  FPage->settings()->setDefaultTextEncoding(QString::fromLatin1(CodePageName(cp)));
}

void TBrowserView::Navigate(const std::string& path) {
  const QUrl url = QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path)));
  if (url == FPage->url())
    FPage->triggerAction(QWebEnginePage::ReloadAndBypassCache);
  else
    FPage->load(url);
}

}  // namespace korvelin

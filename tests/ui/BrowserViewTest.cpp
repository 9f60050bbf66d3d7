// The browser view on pages written here: navigation handed over as
// commands, the code page of pages without a charset, pages and pictures
// rewritten under the same name, and no network.
#include <QDesktopServices>
#include <QImage>
#include <QSignalSpy>
#include <QTcpServer>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "BrowserView.h"
#include "UiTestUtil.h"

namespace korvelin {
namespace {

using test::TTempDir;

constexpr int kWaitMs = 60000;

// Records the links the desktop would have been asked to open.
class TUrlRecorder : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> Urls;
 public slots:
  void Open(const QUrl& url) { Urls << url; }
};

class BrowserView : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* scheme : {"sort", "http", "https", "file"})
      QDesktopServices::setUrlHandler(scheme, &recorder, "Open");
    view = std::make_unique<TBrowserView>();
    view->resize(640, 480);
    view->show();
    QObject::connect(view.get(), &TBrowserView::BeforeNavigate, [this](const QString& t) { commands << t; });
  }

  // Shows the page and waits until it has loaded.
  void Show(const std::string& path) {
    QSignalSpy loaded(view->Page(), &QWebEnginePage::loadFinished);
    view->Navigate(path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loaded.isEmpty() && loaded.last().at(0).toBool(); }, kWaitMs))
        << "page did not load: " << path;
  }
  QVariant Js(const QString& script) {
    QVariant result;
    bool done = false;
    view->Page()->runJavaScript(script, [&](const QVariant& v) {
      result = v;
      done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kWaitMs)) << script.toStdString();
    return result;
  }
  // Waits until a script gives the expected value.
  bool JsBecomes(const QString& script, const QVariant& expected) {
    return QTest::qWaitFor([&] { return Js(script) == expected; }, kWaitMs);
  }
  void WriteImage(const std::string& path, int width) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    QImage image(width, 5, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    ASSERT_TRUE(image.save(QString::fromStdString(path), "JPG"));
  }

  void TearDown() override {
    for (const char* scheme : {"sort", "http", "https", "file"}) QDesktopServices::unsetUrlHandler(scheme);
  }

  TUrlRecorder recorder;
  TTempDir dir;
  std::unique_ptr<TBrowserView> view;
  QStringList commands;
};

TEST(NavigationTarget, Table) {
  const std::pair<const char*, const char*> cases[] = {
      {"file:///prog/17", "17"},
      {"file:///prog/r3&f2", "r3&f2"},
      {"file:///prog/conc.htm#top", "conc.htm"},
      {"file:///prog/%E8%AF%AD.htm", "语.htm"},
      {"sort:freq", "sort:freq"},
  };
  for (const auto& [url, target] : cases) EXPECT_EQ(NavigationTarget(QUrl(url)), QString::fromUtf8(target)) << url;
}

TEST_F(BrowserView, LinksWithoutHtmAreHandedOverAsCommands) {
  dir.Write("page.htm",
            "<html><body><a id='hit' href='17'>17</a> <a id='sort' href='sort:freq'>sort</a> "
            "<a id='cell' href='r3&amp;f2'>cell</a> <a id='next' href='other.htm'>next</a></body></html>");
  dir.Write("other.htm", "<html><body id='other'>other</body></html>");
  Show(dir / "page.htm");
  const QUrl page = view->url();

  Js("document.getElementById('hit').click()");
  ASSERT_TRUE(QTest::qWaitFor([&] { return commands.size() == 1; }, kWaitMs));
  Js("document.getElementById('sort').click()");
  ASSERT_TRUE(QTest::qWaitFor([&] { return commands.size() == 2; }, kWaitMs));
  Js("document.getElementById('cell').click()");
  ASSERT_TRUE(QTest::qWaitFor([&] { return commands.size() == 3; }, kWaitMs));
  EXPECT_EQ(commands, QStringList({"17", "sort:freq", "r3&f2"}));
  EXPECT_EQ(view->url(), page);
  EXPECT_EQ(Js("document.getElementById('hit') !== null"), QVariant(true)) << "the page stays";

  QSignalSpy loaded(view->Page(), &QWebEnginePage::loadFinished);
  Js("document.getElementById('next').click()");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !loaded.isEmpty() && loaded.last().at(0).toBool(); }, kWaitMs));
  EXPECT_EQ(view->url(), QUrl::fromLocalFile(QString::fromStdString(dir / "other.htm")));
  EXPECT_EQ(commands.size(), 3);
  EXPECT_TRUE(recorder.Urls.isEmpty()) << "no link went to another program";
}

// While a command runs the page drops commands: they are neither handed over
// then nor later. Pages still load.
TEST_F(BrowserView, CommandsAreDroppedWhileIgnored) {
  dir.Write("page.htm", "<html><body><a id='one' href='1'>1</a> <a id='two' href='2'>2</a></body></html>");
  Show(dir / "page.htm");
  bool ignoring = true;
  view->SetIgnoreCommands([&] { return ignoring; });
  Js("document.getElementById('one').click()");
  ignoring = false;
  // Navigations are answered in order: once "2" is handed over, "1" was seen.
  Js("document.getElementById('two').click()");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !commands.isEmpty(); }, kWaitMs));
  QCoreApplication::processEvents();
  EXPECT_EQ(commands, QStringList({"2"}));
  EXPECT_EQ(view->url(), QUrl::fromLocalFile(QString::fromStdString(dir / "page.htm")));
}

TEST_F(BrowserView, PagesWithoutCharsetAreReadInTheCorpusCodePage) {
  struct Case {
    TCodePage cp;
    std::string bytes;
    QString text;
  } cases[] = {
      {TCodePage::Gbk, "\xD6\xD0\xCE\xC4 \xA1\xA3", QString::fromUtf8("中文 。")},
      {TCodePage::Windows1252, "caf\xE9 \x93q\x94", QString::fromUtf8("café “q”")},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string page = dir.Write("p" + std::to_string(n++) + ".htm",
                                       "<html><body><p id='t'>" + c.bytes + "</p></body></html>");
    view->SetCodePage(c.cp);
    Show(page);
    EXPECT_EQ(Js("document.getElementById('t').textContent").toString(), c.text);
  }
}

TEST_F(BrowserView, StyleSheetsAndPicturesLoadBesideThePage) {
  dir.Write("sys/result.css", "#box { width: 123px; }");
  WriteImage(dir / "tmp/all.jpg", 10);
  dir.Write("stat.htm",
            "<html><head><link rel='stylesheet' href='sys/result.css'/></head><body><div id='box'>x</div>"
            "<img id='a' src='tmp/all.jpg'/><img id='b' src='tmp\\all.jpg'/></body></html>");
  Show(dir / "stat.htm");
  EXPECT_TRUE(JsBecomes("getComputedStyle(document.getElementById('box')).width", "123px"));
  EXPECT_TRUE(JsBecomes("document.getElementById('a').naturalWidth", 10));
  EXPECT_TRUE(JsBecomes("document.getElementById('b').naturalWidth", 10));
}

// Pages and pictures are rewritten in place; showing them again shows what
// is on disk now.
TEST_F(BrowserView, RewrittenPagesAndPicturesAreReadAgain) {
  const std::string page = dir / "conc.htm";
  auto write = [&](const char* text, int width) {
    WriteImage(dir / "tmp/plot.jpg", width);
    dir.Write("sys/result.css", "#t { width: " + std::to_string(width * 10) + "px; }");
    dir.Write("conc.htm", std::string("<html><head><link rel='stylesheet' href='sys/result.css'/></head><body>") +
                              "<p id='t'>" + text + "</p><img id='i' src='tmp/plot.jpg'/></body></html>");
  };
  write("one", 10);
  Show(page);
  ASSERT_TRUE(JsBecomes("document.getElementById('i').naturalWidth", 10));
  EXPECT_EQ(Js("document.getElementById('t').textContent"), QVariant("one"));

  write("two", 20);
  Show(page);
  EXPECT_EQ(Js("document.getElementById('t').textContent"), QVariant("two"));
  EXPECT_TRUE(JsBecomes("document.getElementById('i').naturalWidth", 20));
  EXPECT_TRUE(JsBecomes("getComputedStyle(document.getElementById('t')).width", "200px"));

  // Another page showing the rewritten picture.
  WriteImage(dir / "tmp/plot.jpg", 30);
  dir.Write("para.htm", "<html><body><img id='i' src='tmp/plot.jpg'/></body></html>");
  Show(dir / "para.htm");
  EXPECT_TRUE(JsBecomes("document.getElementById('i').naturalWidth", 30));
}

// Two locks keep the network out: local pages may not reach remote URLs, and
// the profile blocks every request that is not for a local file. The second
// case lifts the first lock for this view only, to show the second holds.
TEST_F(BrowserView, NothingIsFetchedFromTheNetwork) {
  for (const bool remoteAllowed : {false, true}) {
    SCOPED_TRACE(remoteAllowed);
    view->Page()->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, remoteAllowed);
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const std::string base = "http://127.0.0.1:" + std::to_string(server.serverPort());
    const int blockedBefore = BlockedRequestCount();
    const std::string page = dir.Write(
        "net" + std::to_string(remoteAllowed) + ".htm",
        "<html><head><link rel='stylesheet' href='" + base + "/s.css'/></head><body>"
        "<img id='i' src='" + base + "/p.jpg' onerror=\"document.title='img-error'\"/>"
        "<script>fetch('" + base + "/f').then(function(){document.body.dataset.f='ok'},"
        "function(){document.body.dataset.f='failed'});</script>"
        "<a id='out' href='" + base + "/page.htm'>out</a></body></html>");
    Show(page);
    EXPECT_TRUE(JsBecomes("document.title", "img-error"));
    EXPECT_TRUE(JsBecomes("document.body.dataset.f", "failed"));

    // A link to a remote page is refused: not followed, and no command.
    const QUrl here = view->url();
    Js("document.getElementById('out').click()");
    QSignalSpy ended(view->Page(), &QWebEnginePage::loadFinished);
    view->load(QUrl(QString::fromStdString(base + "/typed.htm")));
    // A refused navigation ends as a failed load.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ended.isEmpty(); }, kWaitMs));
    EXPECT_FALSE(ended.last().at(0).toBool());
    EXPECT_EQ(Js("document.title"), QVariant("img-error"));
    EXPECT_EQ(view->url(), here);
    EXPECT_TRUE(commands.isEmpty());
    EXPECT_TRUE(recorder.Urls.isEmpty());

    if (remoteAllowed) {
      EXPECT_GT(BlockedRequestCount(), blockedBefore);
    }
    EXPECT_FALSE(server.waitForNewConnection(0));
    EXPECT_FALSE(server.hasPendingConnections());
  }
}

}  // namespace
}  // namespace korvelin

#include "BrowserViewTest.moc"

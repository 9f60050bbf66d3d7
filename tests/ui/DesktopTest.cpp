// Showing a saved file in the desktop's file manager: the FileManager1
// ShowItems call on a bus of the test's own, else xdg-open on the folder.
#include <QDBusConnection>
#include <QProcess>

#include "Desktop.h"
#include "UiTestUtil.h"

namespace korvelin {
namespace {

using test::ReadAll;
using test::TTempDir;

constexpr int kWaitMs = 30000;

// Answers ShowItems as a file manager does, keeping the URIs.
class TFakeFileManager : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

 public:
  QStringList Shown;

 public slots:
  void ShowItems(const QStringList& uris, const QString& /*startupId*/) { Shown << uris; }
};

// A session bus of the test's own, stopped at the end.
class TPrivateBus {
 public:
  TPrivateBus() {
    daemon_.setProgram(QStringLiteral("dbus-daemon"));
    daemon_.setArguments({"--session", "--nofork", "--print-address=1"});
    daemon_.start();
    if (!daemon_.waitForStarted(kWaitMs)) return;
    while (address_.isEmpty() && daemon_.waitForReadyRead(kWaitMs))
      address_ = QString::fromLocal8Bit(daemon_.readAllStandardOutput()).trimmed();
  }
  ~TPrivateBus() {
    if (daemon_.state() != QProcess::NotRunning) {
      daemon_.kill();
      daemon_.waitForFinished(kWaitMs);
    }
  }
  const QString& Address() const { return address_; }

 private:
  QProcess daemon_;
  QString address_;
};

class RevealInExplorer : public ::testing::Test {
 protected:
  void SetUp() override {
    file = dir.Write("results/saved.txt", "1\ta\tb\t c \td\r\n");
    // A stand-in for xdg-open that writes down its arguments.
    opener = dir.Write("bin/xdg-open", "#!/bin/sh\necho \"$@\" >> \"$(dirname \"$0\")/called\"\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
  }
  bool OpenerCalled() const { return std::filesystem::exists(dir / "bin/called"); }
  QStringList OpenerPaths() const { return {QString::fromStdString(dir / "bin")}; }

  TTempDir dir;
  std::string file;
  std::string opener;
};

TEST_F(RevealInExplorer, AsksTheFileManagerOverDBus) {
  TPrivateBus bus;
  if (bus.Address().isEmpty()) GTEST_SKIP() << "dbus-daemon is not available";
  QDBusConnection manager = QDBusConnection::connectToBus(bus.Address(), QStringLiteral("fake-file-manager"));
  ASSERT_TRUE(manager.isConnected());
  TFakeFileManager fake;
  ASSERT_TRUE(manager.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fake,
                                     QDBusConnection::ExportAllSlots));
  ASSERT_TRUE(manager.registerService(QStringLiteral("org.freedesktop.FileManager1")));

  TQtDesktop desktop(bus.Address(), OpenerPaths());
  desktop.RevealInExplorer(QStringLiteral("  ") + QString::fromStdString(file) + QStringLiteral(" "));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !fake.Shown.isEmpty(); }, kWaitMs));
  EXPECT_EQ(fake.Shown, QStringList({QUrl::fromLocalFile(QString::fromStdString(file)).toString()}));
  EXPECT_FALSE(OpenerCalled());
  QDBusConnection::disconnectFromBus(QStringLiteral("fake-file-manager"));
}

TEST_F(RevealInExplorer, OpensTheFolderWithoutAFileManager) {
  TPrivateBus bus;
  struct Case {
    const char* name;
    std::optional<QString> address;
  } cases[] = {
      {"no bus", QString()},
      {"a bus without a file manager", bus.Address()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.address && !c.address->isEmpty() && bus.Address().isEmpty()) continue;
    std::filesystem::remove(dir / "bin/called");
    TQtDesktop desktop(c.address, OpenerPaths());
    // A missing file does nothing; the saved one opens its folder once.
    desktop.RevealInExplorer(QString::fromStdString(dir / "results/missing.txt"));
    desktop.RevealInExplorer(QString());
    desktop.RevealInExplorer(QString::fromStdString(file));
    ASSERT_TRUE(QTest::qWaitFor([&] { return OpenerCalled() && !ReadAll(dir / "bin/called").empty(); }, kWaitMs));
    EXPECT_EQ(ReadAll(dir / "bin/called"), dir / "results" + "\n");
  }
}

}  // namespace
}  // namespace korvelin

#include "DesktopTest.moc"

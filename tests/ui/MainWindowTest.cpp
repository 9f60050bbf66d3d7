// The window as a whole: its state at start, start-up work, closing, and the
// way handler errors reach the user.
#include <QCheckBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>

#include "BusyIndicator.h"
#include "GroupBar.h"
#include "SettingsTab.h"
#include "UiTestUtil.h"
#include "WorkingFiles.h"
#include "foundation/Error.h"

namespace korvelin {
namespace {

using test::Child;
using test::ReadAll;
using test::TFakeDesktop;
using test::TProgramFolder;
using test::TWindowTest;

using MainWindow = TWindowTest;

TEST_F(MainWindow, StartUpState) {
  auto* pg = Child<QTabWidget>(*frm, "pgMain");
  const std::vector<std::pair<const char*, QString>> tabs = {
      {"tsSettings", "Settings"}, {"tsConc", "Concordance"},     {"tsStat", "Statistics"},
      {"tsCol", "Collocation & Colligation"}, {"tsWordlist", "N-gram List"}, {"tsKeyness", "Keyness"},
      {"tsAbout", "About"}};
  ASSERT_EQ(pg->count(), static_cast<int>(tabs.size()));
  for (int i = 0; i < pg->count(); ++i) {
    EXPECT_EQ(pg->widget(i)->objectName(), tabs[static_cast<size_t>(i)].first);
    // A tab caption shows "&&" as one "&".
    EXPECT_EQ(pg->tabText(i).replace("&&", "&"), tabs[static_cast<size_t>(i)].second);
    const bool usable = i == 0 || i == pg->count() - 1;
    EXPECT_EQ(pg->isTabEnabled(i), usable) << tabs[static_cast<size_t>(i)].first;
  }
  EXPECT_EQ(pg->currentWidget()->objectName(), "tsSettings");
  EXPECT_EQ(frm->windowTitle(), "Zentrik Korvelin 1.0 beta 20");
  EXPECT_EQ(frm->minimumSize(), QSize(819, 614));
  EXPECT_EQ(frm->Busy().BusyCaption(), "Zentrik Korvelin 1.0 beta 20 ");
  EXPECT_FALSE(frm->Busy().Timer1()->isActive());
  EXPECT_EQ(frm->Busy().Timer1()->interval(), 50);

  EXPECT_TRUE(Child<QPushButton>(*frm, "btnLoadCorpus")->isEnabled());
  EXPECT_TRUE(Child<QCheckBox>(*frm, "cbxSubFolder")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(*frm, "cbxSubFolder")->isEnabled());
  EXPECT_FALSE(Child<QWidget>(*frm, "gbSettings")->isEnabled());
  EXPECT_FALSE(Child<QWidget>(*frm, "gbGlobalSetting")->isEnabled());
  EXPECT_FALSE(Child<QPushButton>(*frm, "btnSaveLog")->isEnabled());
  EXPECT_TRUE(Child<QPushButton>(*frm, "btnSaveLog")->isHidden());
  EXPECT_TRUE(test::MemoLines(Child<QPlainTextEdit>(*frm, "mmLog")).isEmpty());
  for (const char* name : {"cbxDitto", "cbxEnableLemma", "cbxUseEmbeddedLemma", "cbxEnablePOSCategory", "cbxGroupFile"}) {
    EXPECT_FALSE(Child<QCheckBox>(*frm, name)->isChecked()) << name;
    EXPECT_FALSE(Child<QCheckBox>(*frm, name)->isEnabledTo(frm.get())) << name;
  }
  for (const char* name : {"btnLoadLemma", "btnLoadPOSCategory", "btnLoadGroupInfo"})
    EXPECT_FALSE(Child<QPushButton>(*frm, name)->isEnabledTo(frm.get())) << name;

  const auto* settings = Child<TGroupBar>(*frm, "gbSettings");
  QStringList captions;
  for (const TGroup* g : settings->Groups()) {
    captions << g->Caption();
    EXPECT_FALSE(g->Opened()) << g->Caption().toStdString();
  }
  EXPECT_EQ(captions, QStringList({"Concordance", "Statistics", "Collocation & Colligation", "N-gram List", "Keyness"}));
  captions.clear();
  for (const TGroup* g : Child<TGroupBar>(*frm, "gbGlobalSetting")->Groups()) captions << g->Caption();
  EXPECT_EQ(captions, QStringList({"Corpus", "Lemma & POS Tag", "Files"}));

  EXPECT_TRUE(std::filesystem::is_directory(folder / "cache"));
  EXPECT_EQ(frm->PunctEN(), kDefaultPunctEN);
  EXPECT_EQ(frm->PunctZH(), kDefaultPunctZH);
  EXPECT_EQ(frm->Corpus(), nullptr);
  EXPECT_EQ(frm->SmartInput(), nullptr);
  EXPECT_FALSE(folder.Has("Korvelin.log"));
}

TEST(MainWindowStart, CleansWorkingFilesAndReadsPunctuation) {
  TProgramFolder folder;
  TFakeDesktop desktop;
  for (const char* name : {"conc.htm", "para.htm", "SamplePlot.jpg", "tmp/r1.jpg", "mine.htm", "photo.jpg"}) {
    std::filesystem::create_directories(std::filesystem::path(folder / name).parent_path());
    std::ofstream(folder / name) << "x";
  }
  std::ofstream(folder / "sys/punctuations and symbols.ini") << "EN=.,\r\nZH=\xA1\xA3\r\n";

  TfrmMain frm(folder.path(), &desktop);
  for (const char* name : {"conc.htm", "para.htm", "SamplePlot.jpg", "tmp"}) EXPECT_FALSE(folder.Has(name)) << name;
  EXPECT_TRUE(folder.Has("mine.htm"));
  EXPECT_TRUE(folder.Has("photo.jpg"));
  EXPECT_EQ(frm.PunctEN(), ".,");
  EXPECT_EQ(frm.PunctZH(), "\xA1\xA3");
  EXPECT_EQ(frm.Settings().Count(), 2);
}

TEST_F(MainWindow, ClosingRightAfterStartWritesNoLog) {
  EXPECT_TRUE(frm->close());
  EXPECT_FALSE(folder.Has("Korvelin.log"));
}

TEST_F(MainWindow, ClosingAfterALoadSavesTheLogAndCleansUp) {
  Load(test::SamplesFolder("en"));
  ASSERT_NE(frm->Corpus(), nullptr);
  std::ofstream(folder / "conc.htm") << "page";
  std::filesystem::create_directories(folder / "tmp");
  std::filesystem::remove(folder / "Korvelin.log");

  EXPECT_TRUE(frm->close());
  const std::string log = ReadAll(folder / "Korvelin.log");
  EXPECT_NE(log.find("#File Count: \t3\r\n"), std::string::npos) << log;
  EXPECT_EQ(frm->Corpus(), nullptr);
  EXPECT_FALSE(folder.Has("conc.htm"));
  EXPECT_FALSE(folder.Has("tmp"));
}

TEST_F(MainWindow, CloseIsRefusedWhileACommandRuns) {
  bool closed = true;
  {
    TBusyScope busy(frm->Busy());
    closed = frm->close();
  }
  EXPECT_FALSE(closed);
  EXPECT_TRUE(frm->close());
}

TEST_F(MainWindow, ErrorsAreShownAfterTheBracketRestoredTheWindow) {
  frm->Guarded([&] {
    TBusyScope busy(frm->Busy());
    // An error in a handler run from inside the command waits for the end.
    frm->Guarded([] { throw EKorvelinError("inner"); });
    EXPECT_TRUE(desktop.Errors.isEmpty());
    throw EKorvelinError("outer");
  });
  EXPECT_EQ(desktop.Errors, QStringList({"inner", "outer"}));
  EXPECT_EQ(desktop.EnabledAtMessage, std::vector<bool>({true, true}));
  EXPECT_TRUE(frm->isEnabled());
  EXPECT_EQ(frm->windowTitle(), "Zentrik Korvelin 1.0 beta 20");

  frm->Guarded([&] { frm->LogLine("ok"); });
  EXPECT_EQ(desktop.Errors.size(), 2) << "a handler that succeeds shows nothing";
}

// The About tab names the data the lemmatizer is made from and links their
// licences beside the program; its links go to the desktop.
TEST_F(MainWindow, AboutTabLinksTheLicences) {
  const QString licences = Child<QLabel>(*frm, "lbLicences")->text();
  EXPECT_TRUE(licences.contains("WordNet")) << licences.toStdString();
  EXPECT_TRUE(licences.contains("SCOWL")) << licences.toStdString();
  QStringList links;
  for (const char* name : {"lbLicences", "lbLink"}) {
    auto it = QRegularExpression("href=\"([^\"]+)\"").globalMatch(Child<QLabel>(*frm, name)->text());
    while (it.hasNext()) links << it.next().captured(1);
  }
  ASSERT_EQ(links.size(), 3) << links.join(" ").toStdString();
  for (const QString& link : links) {
    const QUrl url(link);
    if (url.isLocalFile()) {
      EXPECT_TRUE(QFile::exists(url.toLocalFile())) << link.toStdString();
    }
    emit Child<QLabel>(*frm, "lbLicences")->linkActivated(link);
  }
  ASSERT_EQ(desktop.Opened.size(), 3u);
  EXPECT_EQ(desktop.Opened[0], QUrl::fromLocalFile(QString::fromStdString(folder / "sys/WordNet-LICENSE.txt")));
  EXPECT_EQ(desktop.Opened[1], QUrl::fromLocalFile(QString::fromStdString(folder / "sys/SCOWL-LICENSE.txt")));
}

}  // namespace
}  // namespace korvelin

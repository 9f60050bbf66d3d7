// The Settings tab: the load command, corpus language and format, lemma and
// POS-category lists, the Files group.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>

#include "ControlHelpers.h"
#include "GroupBar.h"
#include "PathLabel.h"
#include "UiTestUtil.h"
#include "corpus/Corpus.h"
#include "lemma/Lemma.h"
#include "query/SmartInput.h"

namespace korvelin {
namespace {

using test::Child;
using test::Choose;
using test::Items;
using test::ReadAll;
using test::SamplesFolder;
using test::TTempDir;

const QString kRule(58, '-');

// One line of English word_TAG text, long enough to be the whole sample.
const char* const kTaggedLine =
    "The_AT old_JJ man_NN1 went_VVD to_II the_AT sea_NN1 and_CC saw_VVD two_MC boats_NN2 ._. "
    "In_II31 spite_II32 of_II33 the_AT wind_NN1 he_PPHS1 stayed_VVD ._.\r\n";

class SettingsTab : public test::TWindowTest {
 protected:
  // Combos of a tab to come, registered as such a tab will; kept outside
  // the window so they do not show on it.
  void SetUp() override {
    TWindowTest::SetUp();
    frm->AddDataTypeCombo(dataTypes.get());
    frm->AddDisplayModeCombo(displayModes.get());
  }
  template <typename T = QCheckBox>
  T* W(const char* name) const {
    return Child<T>(*frm, name);
  }
  std::string TaggedCorpus() {
    corpora.Write("标注 tagged/a.txt", std::string(kTaggedLine) + kTaggedLine + kTaggedLine);
    return corpora / "标注 tagged";
  }
  // Picks a file in the open dialog and clicks the button.
  void LoadList(const char* button, const std::string& path) {
    desktop.Files.push_back(QString::fromStdString(path));
    W<QPushButton>(button)->click();
  }

  TTempDir corpora;
  std::unique_ptr<QComboBox> dataTypes = std::make_unique<QComboBox>();
  std::unique_ptr<QComboBox> displayModes = std::make_unique<QComboBox>();
};

void ExpectLoadLog(const QStringList& log, const QString& folder, int files, const QString& size) {
  ASSERT_EQ(log.size(), 9) << log.join("\n").toStdString();
  EXPECT_EQ(log[0], kRule);
  EXPECT_TRUE(QRegularExpression("^ Zentrik Korvelin 1\\.0\\t\\S.*$").match(log[1]).hasMatch()) << log[1].toStdString();
  EXPECT_EQ(log[2], kRule);
  EXPECT_EQ(log[3], "#Folder(s) Selected: \t" + folder);
  EXPECT_EQ(log[4], kRule);
  EXPECT_TRUE(QRegularExpression("^#Corpus Loading: \\t\\d+\\.\\d{3} second\\(s\\) used\\.$").match(log[5]).hasMatch())
      << log[5].toStdString();
  EXPECT_EQ(log[6], "#File Count: \t" + QString::number(files));
  EXPECT_EQ(log[7], "#Data Size: \t" + size);
  EXPECT_EQ(log[8], kRule);
}

TEST_F(SettingsTab, LoadingTheSamples) {
  struct Case {
    const char* sample;
    bool chinese;
    int files;
    QString size;
    QStringList formats;
    QString format;
    bool lemma;
    QStringList dataTypes, displayModes;
  } cases[] = {
      {"en", false, 3, "0.544M", {"Raw", "Tagged"}, "Raw", true, {"Word"}, {"Word"}},
      {"zh", true, 10, "0.137M", {"Raw", "Tagged", "Segmented"}, "Raw", false, {"Char"}, {"Char"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sample);
    const std::string path = SamplesFolder(c.sample);
    Load(path);
    EXPECT_TRUE(desktop.Errors.isEmpty()) << desktop.Errors.join("; ").toStdString();
    ASSERT_NE(frm->Corpus(), nullptr);
    EXPECT_EQ(frm->Corpus()->Chinese(), c.chinese);
    EXPECT_FALSE(frm->Corpus()->Tagged());
    EXPECT_EQ(frm->CodePage(), c.chinese ? TCodePage::Gbk : TCodePage::Windows1252);
    EXPECT_EQ(frm->CorpusFiles().Count(), c.files);
    ExpectLoadLog(Log(), QString::fromStdString(path), c.files, c.size);
    EXPECT_EQ(ReadAll(folder / "Korvelin.log"), (Log().join("\r\n") + "\r\n").toStdString());

    EXPECT_EQ(Items(W<QComboBox>("cbLanguage")), QStringList({"English", "Chinese"}));
    EXPECT_EQ(W<QComboBox>("cbLanguage")->currentText(), c.chinese ? "Chinese" : "English");
    EXPECT_EQ(Items(W<QComboBox>("cbFormat")), c.formats);
    EXPECT_EQ(W<QComboBox>("cbFormat")->currentText(), c.format);
    EXPECT_FALSE(W("cbxDitto")->isEnabled());
    EXPECT_FALSE(W("cbxDitto")->isChecked());
    EXPECT_EQ(W("cbxEnableLemma")->isEnabled(), c.lemma);
    EXPECT_FALSE(W("cbxEnablePOSCategory")->isEnabled());
    EXPECT_TRUE(W<QWidget>("gbGlobalSetting")->isEnabled());
    EXPECT_TRUE(W<QWidget>("gbSettings")->isEnabled());
    EXPECT_TRUE(W("cbxGroupFile")->isEnabled());
    EXPECT_EQ(W<TPathLabel>("lbFolder")->Path(), QString::fromStdString(path));
    EXPECT_EQ(Items(dataTypes.get()), c.dataTypes);
    EXPECT_EQ(Items(displayModes.get()), c.displayModes);
    ASSERT_NE(frm->SmartInput(), nullptr);
    EXPECT_FALSE(frm->SmartInput()->Tagged());
    EXPECT_TRUE(frm->isEnabled());
    EXPECT_EQ(frm->windowTitle(), "Zentrik Korvelin 1.0 beta 20");
  }
}

TEST_F(SettingsTab, TaggedEnglishCorpus) {
  Load(TaggedCorpus());
  ASSERT_NE(frm->Corpus(), nullptr);
  EXPECT_TRUE(frm->Corpus()->Tagged());
  EXPECT_EQ(W<QComboBox>("cbFormat")->currentText(), "Tagged");
  EXPECT_TRUE(W("cbxDitto")->isEnabled());
  EXPECT_TRUE(W("cbxDitto")->isChecked());
  EXPECT_TRUE(frm->Corpus()->DittoTags());
  EXPECT_TRUE(W("cbxEnableLemma")->isEnabled());
  EXPECT_TRUE(W("cbxEnablePOSCategory")->isEnabled());
  EXPECT_TRUE(frm->SmartInput()->Tagged());
  EXPECT_EQ(Items(dataTypes.get()), QStringList({"Word", "POS", "Word_POS"}));
  EXPECT_EQ(Items(displayModes.get()), QStringList({"Word", "POS", "Word_POS"}));

  W("cbxDitto")->click();
  EXPECT_FALSE(frm->Corpus()->DittoTags());

  // Raw: no tags, no ditto, no categories.
  Choose(W<QComboBox>("cbFormat"), "Raw");
  EXPECT_FALSE(frm->Corpus()->Tagged());
  EXPECT_FALSE(W("cbxDitto")->isEnabled());
  EXPECT_FALSE(frm->Corpus()->DittoTags());
  EXPECT_FALSE(W("cbxEnablePOSCategory")->isEnabled());
  EXPECT_EQ(Items(dataTypes.get()), QStringList({"Word"}));
  EXPECT_EQ(Items(displayModes.get()), QStringList({"Word"}));
}

TEST_F(SettingsTab, SwitchingLanguageToChinese) {
  Load(SamplesFolder("en"));
  W("cbxEnableLemma")->click();
  ASSERT_NE(frm->Lemma(), nullptr);
  EXPECT_EQ(Items(dataTypes.get()), QStringList({"Word", "Lemma"}));

  Choose(W<QComboBox>("cbLanguage"), "Chinese");
  EXPECT_TRUE(frm->Corpus()->Chinese());
  EXPECT_EQ(frm->CodePage(), TCodePage::Gbk);
  EXPECT_FALSE(W("cbxEnableLemma")->isEnabled());
  EXPECT_FALSE(W("cbxEnableLemma")->isChecked());
  EXPECT_FALSE(W<QGroupBox>("gbLemma")->isEnabled());
  EXPECT_EQ(frm->Lemma(), nullptr);
  EXPECT_FALSE(frm->SmartInput()->HasLemma());
  EXPECT_EQ(Log().last(), "#Disable Lemma.");
  EXPECT_EQ(Items(W<QComboBox>("cbFormat")), QStringList({"Raw", "Tagged", "Segmented"}));
  // English running text was detected as space-separated.
  EXPECT_EQ(W<QComboBox>("cbFormat")->currentText(), "Segmented");
  EXPECT_FALSE(W("cbxDitto")->isEnabled());
  EXPECT_EQ(Items(dataTypes.get()), QStringList({"Word"}));

  Choose(W<QComboBox>("cbFormat"), "Raw");
  EXPECT_FALSE(frm->Corpus()->Segmented());
  EXPECT_EQ(Items(dataTypes.get()), QStringList({"Char"}));
  EXPECT_EQ(Items(displayModes.get()), QStringList({"Char"}));

  Choose(W<QComboBox>("cbLanguage"), "English");
  EXPECT_FALSE(frm->Corpus()->Chinese());
  EXPECT_EQ(Items(W<QComboBox>("cbFormat")), QStringList({"Raw", "Tagged"}));
  EXPECT_TRUE(W("cbxEnableLemma")->isEnabled());
  EXPECT_FALSE(W("cbxEnableLemma")->isChecked());
}

TEST_F(SettingsTab, EmbeddedLemmaListOnAndOff) {
  Load(SamplesFolder("en"));
  const int before = Log().size();
  // Setting a box to the state it has runs nothing.
  W("cbxEnableLemma")->setChecked(false);
  EXPECT_EQ(Log().size(), before);

  W("cbxEnableLemma")->click();
  ASSERT_NE(frm->Lemma(), nullptr);
  EXPECT_EQ(frm->Lemma()->GetLemma("went"), "go");
  EXPECT_TRUE(W("cbxUseEmbeddedLemma")->isChecked());
  EXPECT_TRUE(W("cbxUseEmbeddedLemma")->isEnabled());
  EXPECT_FALSE(W<QPushButton>("btnLoadLemma")->isEnabled());
  EXPECT_TRUE(frm->SmartInput()->HasLemma());
  ASSERT_EQ(Log().size(), before + 1);
  EXPECT_TRUE(QRegularExpression("^#Load Lemma List: \\t\\t\\d+\\.\\d{3} second\\(s\\)\\tEmbedded Lemma List$")
                  .match(Log().last())
                  .hasMatch())
      << Log().last().toStdString();
  EXPECT_EQ(Items(dataTypes.get()), QStringList({"Word", "Lemma"}));

  W("cbxUseEmbeddedLemma")->click();
  EXPECT_EQ(frm->Lemma(), nullptr);
  EXPECT_FALSE(frm->SmartInput()->HasLemma());
  EXPECT_EQ(Log().last(), "#Disable Lemma.");
  EXPECT_TRUE(W<QPushButton>("btnLoadLemma")->isEnabled());
  EXPECT_EQ(Items(dataTypes.get()), QStringList({"Word"}));
  EXPECT_EQ(ReadAll(folder / "Korvelin.log"), (Log().join("\r\n") + "\r\n").toStdString());
}

TEST_F(SettingsTab, LemmaListFromAFile) {
  Load(SamplesFolder("en"));
  W("cbxEnableLemma")->click();
  W("cbxUseEmbeddedLemma")->click();
  const std::string list = corpora.Write("my lemmas.txt", "went=go\r\ngoes=go\r\n");
  LoadList("btnLoadLemma", list);

  ASSERT_NE(frm->Lemma(), nullptr);
  EXPECT_EQ(frm->Lemma()->GetLemma("GOES"), "go");
  EXPECT_EQ(frm->SmartInput()->Translate("@go"), "(go|went|goes)");
  EXPECT_EQ(W<QLabel>("lbLemmaFile")->text(), "my lemmas.txt");
  EXPECT_EQ(W<QLabel>("lbLemmaFile")->toolTip(), QString::fromStdString(list));
  EXPECT_TRUE(QRegularExpression("^#Load Lemma List: \\t\\t\\d+\\.\\d{3} second\\(s\\)\\tmy lemmas\\.txt$")
                  .match(Log().last())
                  .hasMatch())
      << Log().last().toStdString();
  EXPECT_EQ(Items(dataTypes.get()), QStringList({"Word", "Lemma"}));

  W("cbxEnableLemma")->click();
  EXPECT_EQ(frm->Lemma(), nullptr);
  EXPECT_EQ(Log().last(), "#Disable Lemmatization.");
  EXPECT_EQ(W<QLabel>("lbLemmaFile")->text(), "");
  EXPECT_FALSE(W<QPushButton>("btnLoadLemma")->isEnabled());
}

TEST_F(SettingsTab, UnreadableLemmaListIsAnErrorAndNoEntry) {
  Load(SamplesFolder("en"));
  W("cbxEnableLemma")->click();
  W("cbxUseEmbeddedLemma")->click();
  const int before = Log().size();
  LoadList("btnLoadLemma", corpora / "missing.txt");
  ASSERT_EQ(desktop.Errors.size(), 1);
  EXPECT_TRUE(desktop.Errors[0].startsWith("Cannot open file")) << desktop.Errors[0].toStdString();
  EXPECT_EQ(frm->Lemma(), nullptr);
  EXPECT_FALSE(frm->SmartInput()->HasLemma());
  EXPECT_EQ(Log().size(), before);
  EXPECT_TRUE(frm->isEnabled());
}

TEST_F(SettingsTab, POSCategoryList) {
  Load(TaggedCorpus());
  W("cbxEnablePOSCategory")->click();
  EXPECT_TRUE(W<QPushButton>("btnLoadPOSCategory")->isEnabled());
  EXPECT_EQ(frm->POSCategory(), nullptr);
  LoadList("btnLoadPOSCategory", corpora.Write("cats.txt", "NN1=NOUN\r\nNN2=NOUN\r\nVVD=VERB\r\n"));

  ASSERT_NE(frm->POSCategory(), nullptr);
  EXPECT_EQ(frm->SmartInput()->Translate("#NOUN"), "\\S+_(NN1|NN2)");
  EXPECT_TRUE(QRegularExpression("^#Load POSCategory: \\t\\d+\\.\\d{3} second\\(s\\)\\tcats\\.txt$")
                  .match(Log().last())
                  .hasMatch())
      << Log().last().toStdString();
  EXPECT_EQ(Items(dataTypes.get()), QStringList({"Word", "POS", "Word_POS", "POSCategory"}));

  W("cbxEnablePOSCategory")->click();
  EXPECT_EQ(frm->POSCategory(), nullptr);
  EXPECT_FALSE(frm->SmartInput()->HasPOSCategory());
  EXPECT_EQ(Log().last(), "#Disable POS Categorization.");
  EXPECT_EQ(Items(dataTypes.get()), QStringList({"Word", "POS", "Word_POS"}));
  EXPECT_FALSE(W<QPushButton>("btnLoadPOSCategory")->isEnabled());
}

TEST_F(SettingsTab, ANewLoadDropsTheListsAndRewritesTheLog) {
  Load(TaggedCorpus());
  W("cbxEnableLemma")->click();
  W("cbxEnablePOSCategory")->click();
  LoadList("btnLoadPOSCategory", corpora.Write("cats.txt", "NN1=NOUN\r\n"));
  ASSERT_NE(frm->Lemma(), nullptr);
  ASSERT_NE(frm->POSCategory(), nullptr);

  Load(SamplesFolder("zh"));
  EXPECT_EQ(frm->Lemma(), nullptr);
  EXPECT_EQ(frm->POSCategory(), nullptr);
  EXPECT_FALSE(W("cbxEnableLemma")->isChecked());
  EXPECT_FALSE(W("cbxEnablePOSCategory")->isChecked());
  EXPECT_EQ(W<QLabel>("lbPOSCategoryFile")->toolTip(), "");
  ExpectLoadLog(Log(), QString::fromStdString(SamplesFolder("zh")), 10, "0.137M");
  EXPECT_TRUE(frm->Corpus()->Chinese());
}

TEST_F(SettingsTab, FoldersWithoutCorpusText) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;
  } cases[] = {
      {"empty folder", {}},
      {"zero-byte files", {{"a.txt", ""}, {"sub/b.txt", ""}}},
      {"other extensions", {{"A.TXT", "text"}, {"b.md", "text"}}},
  };
  Load(SamplesFolder("en"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TTempDir dir;
    for (const auto& [name, bytes] : c.files) dir.Write(name, bytes);
    desktop.Messages.clear();
    Load(dir.path());
    EXPECT_EQ(desktop.Messages, QStringList({"No corpus file was found in the selected folder!"}));
    EXPECT_EQ(desktop.EnabledAtMessage.back(), true);
    EXPECT_TRUE(desktop.Errors.isEmpty());
    EXPECT_EQ(frm->Corpus(), nullptr);
    EXPECT_EQ(frm->SmartInput(), nullptr);
    EXPECT_TRUE(Log().isEmpty());
    EXPECT_FALSE(W<QWidget>("gbGlobalSetting")->isEnabled());
    EXPECT_FALSE(W<QWidget>("gbSettings")->isEnabled());
    EXPECT_EQ(W<TPathLabel>("lbFolder")->Path(), "");
  }
}

TEST_F(SettingsTab, RejectedFolders) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;
    std::string error;
    std::string report;  // expected error.log, empty: none written
  } cases[] = {
      {"UTF-16 file",
       {{"good.txt", "plain text\r\n"}, {"u16.txt", std::string("\xFF\xFEh\0i\0", 6)}},
       "1 file(s) in Non-ANSI format, see:\n\r" + (folder / "error.log"),
       "u16.txt is NOT ansi text file;\r\n"},
      {"zero bytes",
       {{"bin.txt", std::string("ab\0cd", 5)}, {"u8bom.txt", "\xEF\xBB\xBFtext"}},
       "2 file(s) in Non-ANSI format, see:\n\r" + (folder / "error.log"),
       "bin.txt is NOT text file;\r\nu8bom.txt is NOT ansi text file;\r\n"},
      {"only blank lines", {{"blank.txt", "   \r\n\r\n"}}, "TCorpus Upper bound(-1) is smaller than lower bound(0)！", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TTempDir dir;
    for (const auto& [name, bytes] : c.files) dir.Write(name, bytes);
    std::filesystem::remove(folder / "error.log");
    desktop.Errors.clear();
    Load(dir.path());
    EXPECT_EQ(desktop.Errors, QStringList({QString::fromStdString(c.error)}));
    EXPECT_EQ(desktop.EnabledAtMessage.back(), true);
    if (c.report.empty()) {
      EXPECT_FALSE(folder.Has("error.log"));
    } else {
      EXPECT_EQ(ReadAll(folder / "error.log"), c.report);
    }
    EXPECT_EQ(frm->Corpus(), nullptr);
    EXPECT_EQ(Log().last(), "#Corpus Loading...");
    EXPECT_FALSE(W<QWidget>("gbGlobalSetting")->isEnabled());
    EXPECT_FALSE(W("cbxGroupFile")->isEnabled());
    EXPECT_TRUE(frm->isEnabled());
    EXPECT_EQ(frm->windowTitle(), "Zentrik Korvelin 1.0 beta 20");
  }
}

TEST_F(SettingsTab, CancelledAndBlankFolderChoices) {
  Load(SamplesFolder("en"));
  const QStringList log = Log();

  desktop.Folders.push_back(QString());
  W<QPushButton>("btnLoadCorpus")->click();
  EXPECT_TRUE(desktop.Errors.isEmpty());
  EXPECT_TRUE(desktop.Messages.isEmpty());

  Load("   ");
  EXPECT_EQ(desktop.Errors, QStringList({"No folder was selected!"}));
  ASSERT_NE(frm->Corpus(), nullptr) << "nothing was reset";
  EXPECT_EQ(Log(), log);
}

TEST_F(SettingsTab, IncludeSubfolders) {
  corpora.Write("c/a.txt", "one two three four five\r\n");
  corpora.Write("c/sub/b.txt", "six seven eight nine\r\n");
  for (const bool sub : {true, false}) {
    if (W("cbxSubFolder")->isChecked() != sub) W("cbxSubFolder")->click();
    Load(corpora / "c");
    ASSERT_NE(frm->Corpus(), nullptr);
    EXPECT_EQ(frm->Corpus()->FileCount(), sub ? 2 : 1);
    EXPECT_EQ(Log()[6], "#File Count: \t" + QString::number(sub ? 2 : 1));
  }
}

// Names that are not ASCII, and paths past 255 bytes both for the program
// folder and for the corpus.
TEST(SettingsTabPaths, LongAndNonAsciiPaths) {
  std::string below;
  for (int i = 0; i < 5; ++i) below += std::string(50, static_cast<char>('p' + i)) + "/";
  test::TProgramFolder folder(below + "程序");
  test::TFakeDesktop desktop;
  TfrmMain frm(folder.path(), &desktop);
  TTempDir corpora;
  std::string corpus = "语料 café";
  for (int i = 0; i < 5; ++i) corpus += "/" + std::string(50, static_cast<char>('a' + i));
  corpora.Write(corpus + "/text.txt", "one two three four five\r\n");
  const std::string path = corpora / corpus;
  ASSERT_GT(path.size(), 255u);
  ASSERT_GT(folder.path().size(), 255u);
  std::ofstream(folder / "conc.htm") << "x";

  desktop.Folders.push_back(QString::fromUtf8(path.c_str()));
  Child<QPushButton>(frm, "btnLoadCorpus")->click();
  EXPECT_TRUE(desktop.Errors.isEmpty()) << desktop.Errors.join("; ").toStdString();
  ASSERT_NE(frm.Corpus(), nullptr);
  const QStringList log = test::MemoLines(Child<QPlainTextEdit>(frm, "mmLog"));
  ASSERT_EQ(log.size(), 9);
  EXPECT_EQ(log[3], "#Folder(s) Selected: \t" + QString::fromUtf8(path.c_str()));
  EXPECT_NE(ReadAll(folder / "Korvelin.log").find("#Folder(s) Selected: \t" + path + "\r\n"), std::string::npos);
  EXPECT_FALSE(folder.Has("conc.htm"));
}

TEST_F(SettingsTab, FolderLabelOpensTheFolder) {
  frm->show();
  Load(SamplesFolder("en"));
  QTest::mouseDClick(W<TPathLabel>("lbFolder"), Qt::LeftButton);
  ASSERT_EQ(desktop.Opened.size(), 1u);
  EXPECT_EQ(desktop.Opened[0], QUrl::fromLocalFile(QString::fromStdString(SamplesFolder("en"))));
}

TEST_F(SettingsTab, FilesGroup) {
  EXPECT_FALSE(W("cbxGroupFile")->isEnabledTo(frm.get()));
  Load(SamplesFolder("en"));
  EXPECT_FALSE(W<QGroupBox>("gbGroupFile")->isEnabled());
  W("cbxGroupFile")->click();
  EXPECT_TRUE(W<QGroupBox>("gbGroupFile")->isEnabled());
  EXPECT_TRUE(W<QPushButton>("btnLoadGroupInfo")->isEnabled());
  EXPECT_TRUE(W<QLabel>("lbGroupFile")->isVisibleTo(frm.get()));

  const std::string settings = corpora.Write("groups.txt", "Alice=Carroll\r\nOthers=Conrad|Wells\r\n");
  LoadList("btnLoadGroupInfo", settings);
  EXPECT_EQ(W<QLabel>("lbGroupFile")->text(), "groups.txt");
  EXPECT_EQ(W<QLabel>("lbGroupFile")->toolTip(), QString::fromStdString(settings));
  EXPECT_EQ(frm->GroupSettings().Count(), 2);

  W("cbxGroupFile")->click();
  EXPECT_EQ(frm->GroupSettings().Count(), 0);
  EXPECT_EQ(W<QLabel>("lbGroupFile")->text(), "");
  EXPECT_FALSE(W<QLabel>("lbGroupFile")->isVisibleTo(frm.get()));
  EXPECT_FALSE(W<QGroupBox>("gbGroupFile")->isEnabled());
}

// Nothing on the tab is cut short, at the smallest window size and a usual
// one. With KV_SCREENSHOT_DIR set, the window is saved there as PNG.
TEST_F(SettingsTab, ControlsFitTheirCaptions) {
  Load(TaggedCorpus());
  W("cbxEnableLemma")->click();
  SetGroupsOpened(W<TGroupBar>("gbSettings"), true);
  for (const QSize size : {QSize(819, 614), QSize(1280, 800)}) {
    SCOPED_TRACE(size.width());
    frm->resize(size);
    frm->show();
    QCoreApplication::processEvents();
    for (QWidget* w : Child<QWidget>(*frm, "tsSettings")->findChildren<QWidget*>()) {
      if (!w->isVisible() || qobject_cast<TPathLabel*>(w) != nullptr) continue;
      const bool captioned = qobject_cast<QAbstractButton*>(w) != nullptr || qobject_cast<QComboBox*>(w) != nullptr ||
                             (qobject_cast<QLabel*>(w) != nullptr && w->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored);
      if (!captioned) continue;
      // A combo may be narrower than its longest item; a caption may not.
      const QSize need = qobject_cast<QComboBox*>(w) != nullptr ? w->minimumSizeHint() : w->sizeHint();
      EXPECT_GE(w->width(), need.width()) << w->objectName().toStdString();
      EXPECT_GE(w->height(), need.height()) << w->objectName().toStdString();
    }
    if (const QByteArray dir = qgetenv("KV_SCREENSHOT_DIR"); !dir.isEmpty()) {
      frm->grab().save(QString::fromLocal8Bit(dir) + QString("/korvelin-settings-%1.png").arg(size.width()));
      Child<QTabWidget>(*frm, "pgMain")->setCurrentIndex(6);
      QCoreApplication::processEvents();
      frm->grab().save(QString::fromLocal8Bit(dir) + QString("/korvelin-about-%1.png").arg(size.width()));
      Child<QTabWidget>(*frm, "pgMain")->setCurrentIndex(0);
    }
  }
}

}  // namespace
}  // namespace korvelin

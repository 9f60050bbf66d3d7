// The window's helpers that need no window: paging, data types, punctuation
// settings, working-file clean-up, log lines and the control helpers.
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "ControlHelpers.h"
#include "DataTypes.h"
#include "Paging.h"
#include "SessionLog.h"
#include "UiTestUtil.h"
#include "WorkingFiles.h"
#include "foundation/CodePage.h"

namespace korvelin {
namespace {

using test::Items;
using test::ReadAll;
using test::TTempDir;

TEST(Paging, PageRangesTable) {
  struct Case {
    int64_t total, perPage;
    std::vector<std::string> items;
  } cases[] = {
      {250, 100, {"1-100", "101-200", "201-250"}},
      {200, 100, {"1-100", "101-200"}},
      {99, 100, {}},
      {100, 100, {"1-100"}},
      {3, 1, {"1-1", "2-2", "3-3"}},
      {2147483647, 1000000000, {"1-1000000000", "1000000001-2000000000", "2000000001-2147483647"}},
  };
  for (const auto& c : cases) EXPECT_EQ(PageRanges(c.total, c.perPage), c.items) << c.total << "/" << c.perPage;
}

TEST(Paging, PageRangesChecksBothNumbers) {
  EXPECT_KV_ERROR(PageRanges(0, 100), "TfrmMain Lower bound overflows!");
  EXPECT_KV_ERROR(PageRanges(100, 0), "TfrmMain Lower bound overflows!");
  EXPECT_KV_ERROR(PageRanges(2147483648LL, 100), "TfrmMain Upper bound overflows! (2147483648>2147483647)");
}

TEST(Paging, FillPageComboLeavesTheComboWhenRowsDoNotFillAPage) {
  QComboBox combo;
  combo.addItems({"keep", "these"});
  combo.setCurrentIndex(1);
  EXPECT_FALSE(FillPageCombo(&combo, 99, 100));
  EXPECT_EQ(Items(&combo), QStringList({"keep", "these"}));
  EXPECT_EQ(combo.currentIndex(), 1);

  EXPECT_TRUE(FillPageCombo(&combo, 250, 100));
  EXPECT_EQ(Items(&combo), QStringList({"1-100", "101-200", "201-250"}));
  EXPECT_EQ(combo.currentIndex(), 0);
}

TEST(Paging, ParsePageRangeTable) {
  struct Case {
    const char* text;
    int32_t from, to;
  } cases[] = {
      {"101-200", 101, 200}, {"  1-100 ", 1, 100}, {"201-250", 201, 250}, {"-5", -1, -1},
      {"100", -1, -1},       {"", -1, -1},         {"   ", -1, -1},
  };
  for (const auto& c : cases) {
    const TPageRange r = ParsePageRange(c.text);
    EXPECT_EQ(r.From, c.from) << c.text;
    EXPECT_EQ(r.To, c.to) << c.text;
  }
  EXPECT_KV_ERROR(ParsePageRange("1-x"), "'x' is not a valid integer value");
  EXPECT_KV_ERROR(ParsePageRange("a-2"), "'a' is not a valid integer value");
  EXPECT_KV_ERROR(ParsePageRange("7-"), "'' is not a valid integer value");
}

TEST(DataTypes, FromText) {
  const std::pair<const char*, uint8_t> cases[] = {{"Word", 0},        {"Char", 0}, {"POS", 1},
                                                   {"Lemma", 2},       {"POSCategory", 3}, {"Word_POS", 4},
                                                   {"word", 4},        {"", 4}};
  for (const auto& [text, code] : cases) EXPECT_EQ(DataTypeFromText(text), code) << text;
}

TEST(DataTypes, ItemsByCorpusAndLists) {
  using V = std::vector<std::string>;
  struct Case {
    TCorpusFlags corpus;
    bool lemma, category;
    V items;
  } cases[] = {
      {{true, true, true}, true, true, {"Word", "POS", "Word_POS", "POSCategory"}},
      {{true, false, true}, false, false, {"Word", "POS", "Word_POS"}},
      {{true, true, false}, true, true, {"Word"}},
      {{true, false, false}, true, true, {"Char"}},
      {{false, true, true}, true, true, {"Word", "POS", "Word_POS", "Lemma", "POSCategory"}},
      {{false, true, true}, false, true, {"Word", "POS", "Word_POS", "POSCategory"}},
      {{false, true, true}, true, false, {"Word", "POS", "Word_POS", "Lemma"}},
      {{false, true, false}, true, true, {"Word", "Lemma"}},
      {{false, false, false}, false, false, {"Word"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DataTypeItems(c.corpus, c.lemma, c.category), c.items)
        << c.corpus.Chinese << c.corpus.Segmented << c.corpus.Tagged << c.lemma << c.category;
}

TEST(DataTypes, DisplayModesByCorpus) {
  using V = std::vector<std::string>;
  const std::pair<TCorpusFlags, V> cases[] = {
      {{true, false, true}, {"Word", "POS", "Word_POS"}},
      {{false, true, true}, {"Word", "POS", "Word_POS"}},
      {{true, false, false}, {"Char"}},
      {{true, true, false}, {"Word"}},
      {{false, false, false}, {"Word"}},
  };
  for (const auto& [flags, items] : cases) EXPECT_EQ(DisplayModeItems(flags), items);
}

TEST(Punctuation, DefaultBytes) {
  EXPECT_EQ(std::string(kDefaultPunctEN),
            std::string("\x2C\x2E\x3A\x3B\x27\x22\x21\x3F\x3C\x3E\x7B\x7D\x5C\x5B\x5C\x5D\x60\x28\x29\x7E\x40"
                        "\x23\x24\x25\x5E\x26\x2A\x2B\x3D\x7C\x5C\x5C\x2F"));
  EXPECT_EQ(std::string(kDefaultPunctEN).size(), 33u);
  EXPECT_EQ(std::string(kDefaultPunctZH),
            Utf8ToCodePage("，。？：；！·～－‘’“”【】｛｝０１２３４５６７８９", TCodePage::Gbk));
  EXPECT_EQ(std::string(kDefaultPunctZH).size(), 54u);  // 27 characters
}

TEST(Punctuation, SettingsFileTable) {
  struct Case {
    const char* name;
    const char* file;  // nullptr: no settings file
    std::string en, zh;
  } cases[] = {
      {"no file", nullptr, kDefaultPunctEN, kDefaultPunctZH},
      {"both keys", "EN= ,.; \r\nZH=\xA3\xAC\xA1\xA3\r\n", ",.;", "\xA3\xAC\xA1\xA3"},
      {"empty value", "EN=  \r\nZH=\xA3\xAC\r\n", kDefaultPunctEN, "\xA3\xAC"},
      {"missing key", "ZH=\xA3\xAC\n", kDefaultPunctEN, "\xA3\xAC"},
      {"other keys only", "XX=abc\r\n", kDefaultPunctEN, kDefaultPunctZH},
      {"key without case", "en=!?\r\n", "!?", kDefaultPunctZH},
  };
  for (const auto& c : cases) {
    TTempDir dir;
    const std::string program = dir.path() + "/";
    if (c.file != nullptr) dir.Write("sys/punctuations and symbols.ini", c.file);
    TStrList settings;
    const TPunctuation punct = ReadPunctuationSettings(program, settings);
    EXPECT_EQ(punct.EN, c.en) << c.name;
    EXPECT_EQ(punct.ZH, c.zh) << c.name;
  }
}

// The clean-up removes only the window's own files and the tmp folder, in a
// short program folder and in one whose paths exceed 255 bytes.
TEST(CleanTempFiles, RemovesOnlyWorkingFilesAndTmp) {
  for (const size_t depth : {size_t{0}, size_t{6}}) {
    TTempDir dir;
    std::string program = dir.path() + "/";
    for (size_t i = 0; i < depth; ++i) program += std::string(60, static_cast<char>('a' + i)) + "/";
    std::filesystem::create_directories(program);
    if (depth > 0) {
      ASSERT_GT((program + "BigSamplePlot.jpg").size(), 255u);
    }

    auto write = [&](const std::string& name) {
      std::filesystem::create_directories(std::filesystem::path(program + name).parent_path());
      std::ofstream(program + name) << "x";
    };
    for (const char* name : kWorkingFiles) write(name);
    write("tmp/all.jpg");
    write("tmp/deeper/r1&f2.jpg");
    const std::vector<std::string> own = {"mine.htm", "photo.jpg", "Korvelin.log", "notes.txt", "sys/blank.htm"};
    for (const auto& name : own) write(name);
    std::filesystem::create_directories(program + "cache");

    CleanTempFiles(program);

    for (const char* name : kWorkingFiles) EXPECT_FALSE(std::filesystem::exists(program + name)) << name;
    EXPECT_FALSE(std::filesystem::exists(program + "tmp")) << depth;
    for (const auto& name : own) EXPECT_TRUE(std::filesystem::exists(program + name)) << name;
    EXPECT_TRUE(std::filesystem::is_directory(program + "cache"));
  }
}

TEST(CleanTempFiles, FolderBearingAWorkingFileNameIsKept) {
  TTempDir dir;
  dir.Write("conc.htm/inside.txt", "x");
  CleanTempFiles(dir.path() + "/");
  EXPECT_TRUE(std::filesystem::exists(dir / "conc.htm/inside.txt"));
}

TEST(CleanTempFiles, TmpLinkIsRemovedNotFollowed) {
  TTempDir dir;
  const std::string program = dir.path() + "/bin/";
  dir.Write("elsewhere/keep.jpg", "x");
  std::filesystem::create_directories(program);
  std::filesystem::create_directory_symlink(dir.path() + "/elsewhere", program + "tmp");
  CleanTempFiles(program);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(program + "tmp")));
  EXPECT_TRUE(std::filesystem::exists(dir.path() + "/elsewhere/keep.jpg"));
}

TEST(SessionLog, EntryLayout) {
  TLog entry{"#Search:", 0.0f, "12 hit(s)", "Smart Input", "the"};
  EXPECT_EQ(FormatLogEntry(entry), "#Search: \t\t \t\t12 hit(s) \t\tSmart Input \t\tthe");
  entry.Seconds = 1.25f;
  EXPECT_EQ(FormatLogEntry(entry), "#Search: \t\t1.250 second(s) \t\t12 hit(s) \t\tSmart Input \t\tthe");
}

TEST(SessionLog, LinesEntriesAndTheFile) {
  TTempDir dir;
  QPlainTextEdit memo;
  TSessionLog log(&memo, dir / "Korvelin.log");
  log.Save();
  EXPECT_FALSE(std::filesystem::exists(dir / "Korvelin.log")) << "an empty memo writes nothing";

  log.LogLine("-", true);
  log.LogLine("first");
  TLog entry{"#Coll.:", 0.5f, "r", "o", "d"};
  log.WriteLogEntry(entry);
  EXPECT_EQ(test::MemoLines(&memo),
            QStringList({QString(58, '-'), "first", "#Coll.: \t\t0.500 second(s) \t\tr \t\to \t\td"}));
  EXPECT_EQ(entry.Header, "");
  EXPECT_EQ(entry.Seconds, 0.0f);
  EXPECT_EQ(entry.Detail, "");
  EXPECT_EQ(ReadAll(dir / "Korvelin.log"),
            std::string(58, '-') + "\r\nfirst\r\n#Coll.: \t\t0.500 second(s) \t\tr \t\to \t\td\r\n");

  log.LogLine("\xE8\xAF\xAD\xE6\x96\x99 caf\xC3\xA9", true);
  EXPECT_EQ(test::MemoLines(&memo).size(), 1);
  EXPECT_EQ(ReadAll(dir / "Korvelin.log"), "\xE8\xAF\xAD\xE6\x96\x99 caf\xC3\xA9\r\n");
}

TEST(ControlHelpers, FillNumberComboAndItsChecks) {
  QComboBox combo;
  FillNumberCombo(&combo, 0, 10, 5);
  EXPECT_EQ(Items(&combo), QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
  EXPECT_EQ(combo.currentText(), "5");
  FillNumberCombo(&combo, 1, 1, 0);
  EXPECT_EQ(Items(&combo), QStringList({"1"}));

  EXPECT_KV_ERROR(FillNumberCombo(&combo, 11, 10, 0), "TfrmMain Upper bound overflows! (11>10)");
  EXPECT_KV_ERROR(FillNumberCombo(&combo, 0, 5, 6), "TfrmMain Upper bound overflows! (6>5)");
  EXPECT_KV_ERROR(FillNumberCombo(&combo, 3, 2, 0), "TfrmMain Upper bound(-1) is smaller than lower bound(0)！");
  EXPECT_EQ(Items(&combo), QStringList({"1"})) << "a failed check changes nothing";
}

TEST(ControlHelpers, ReadSpans) {
  QComboBox left, right;
  FillNumberCombo(&left, 0, 10, 5);
  FillNumberCombo(&right, 0, 5, 1);
  EXPECT_EQ(ReadSpans(&left, &right), std::make_pair(5, 1));
  right.setEditable(true);
  right.setEditText("x");
  EXPECT_KV_ERROR(ReadSpans(&left, &right), "'x' is not a valid integer value");
}

TEST(ControlHelpers, ResetFilterPanelKeepsLoop) {
  QFrame panel;
  auto* edit = new QLineEdit("abc", &panel);
  auto* spin = new QSpinBox(&panel);
  spin->setValue(7);
  auto* dspin = new QDoubleSpinBox(&panel);
  dspin->setValue(2.5);
  auto* loop = new QCheckBox("Loop", &panel);
  loop->setChecked(true);
  auto* exclude = new QCheckBox("Exclude", &panel);
  exclude->setChecked(true);
  auto* combo = new QComboBox(&panel);
  combo->addItems({"by Value", "by Regex"});
  combo->setCurrentIndex(1);
  auto* inner = new QFrame(&panel);
  auto* innerEdit = new QLineEdit("x", inner);
  auto* innerCheck = new QCheckBox("Case", inner);
  innerCheck->setChecked(true);

  ResetFilterPanel(&panel);
  EXPECT_EQ(edit->text(), "");
  EXPECT_EQ(spin->value(), 0);
  EXPECT_EQ(dspin->value(), 0.0);
  EXPECT_TRUE(loop->isChecked());
  EXPECT_FALSE(exclude->isChecked());
  EXPECT_EQ(combo->currentIndex(), 0);
  EXPECT_EQ(innerEdit->text(), "");
  EXPECT_FALSE(innerCheck->isChecked());
}

TEST(ControlHelpers, PanelEnabledAndCombosOfDirectChildren) {
  QFrame panel;
  auto* button = new QCheckBox("a", &panel);
  auto* combo = new QComboBox(&panel);
  combo->addItems({"1", "2"});
  auto* inner = new QFrame(&panel);
  auto* innerCombo = new QComboBox(inner);
  innerCombo->addItems({"1", "2"});

  SetPanelEnabled(&panel, false);
  EXPECT_FALSE(panel.isEnabled());
  // WA_ForceDisabled marks a widget disabled by its own flag, not its parent's.
  EXPECT_TRUE(button->testAttribute(Qt::WA_ForceDisabled));
  EXPECT_TRUE(inner->testAttribute(Qt::WA_ForceDisabled));
  EXPECT_FALSE(innerCombo->testAttribute(Qt::WA_ForceDisabled)) << "grandchildren keep their own state";
  SetPanelEnabled(&panel, true);
  EXPECT_TRUE(button->isEnabled());
  EXPECT_TRUE(innerCombo->isEnabled());

  ClearCombos(&panel);
  EXPECT_EQ(combo->count(), 0);
  EXPECT_EQ(innerCombo->count(), 2);
}

}  // namespace
}  // namespace korvelin

// The Concordance tab driven as a user drives it: searches and their pages,
// batch lists, sorting by the Power Sort rows and the quick menu, filtering
// in the results, saving, and the paragraph of a hit.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QWebEnginePage>
#include <functional>
#include <numeric>

#include "BrowserView.h"
#include "BusyIndicator.h"
#include "ConcordanceTab.h"
#include "GroupBar.h"
#include "SettingsTab.h"
#include "UiTestUtil.h"
#include "concordance/Display.h"
#include "corpus/Corpus.h"
#include "foundation/CodePage.h"
#include "query/Search.h"

namespace korvelin {
namespace {

using test::Child;
using test::Choose;
using test::Items;
using test::ReadAll;
using test::SamplesFolder;
using test::TTempDir;

constexpr int kWaitMs = 60000;

// Five lines, one "sat" each: the hits are 0..4 in this order.
const std::vector<std::string> kAnimals = {
    "the cat sat on the mat", "a dog sat by the door", "the bird sat on a wire",
    "my cat sat in the sun",  "one dog sat on the rug",
};

// Four hits of "node" whose R1 and L1 tokens give known orders.
const std::vector<std::string> kKeys = {
    "x1 zeta node beta y",
    "x2 alpha node delta y",
    "x3 beta node alpha y",
    "x4 alpha node alpha y",
};

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

class ConcordanceTab : public test::TWindowTest {
 protected:
  template <typename T = QWidget>
  T* W(const char* name) const {
    return Child<T>(*frm, name);
  }
  TConcordanceTab& Tab() const { return *frm->tsConc; }
  QAction* Item(const char* name) const { return Child<QAction>(*frm, name); }

  // A corpus of one file "a.txt" holding the lines, loaded.
  void LoadLines(const std::vector<std::string>& lines, const std::string& folderName = "c") {
    corpora.Write(folderName + "/a.txt", Join(lines));
    Load(corpora / folderName);
    ASSERT_NE(frm->Corpus(), nullptr);
  }
  // "w<i> b node c d" for i = 0 .. n-1, the left token alternating red/blue.
  void LoadNodes(int n, const std::string& folderName) {
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) lines.push_back(std::string(i % 2 ? "red" : "blue") + " w" + std::to_string(i) + " node c d");
    LoadLines(lines, folderName);
  }
  void Search(const QString& query) {
    W<QLineEdit>("edtConcSearch")->setText(query);
    W<QPushButton>("btnConcSearch")->click();
  }
  void SetScope(uint8_t scope) {
    auto* list = W<QListWidget>("cklConcScope");
    for (int i = 0; i < 3; ++i) list->item(i)->setCheckState((scope >> i) & 1 ? Qt::Checked : Qt::Unchecked);
  }
  void SetBox(const char* name, bool on) {
    auto* box = W<QCheckBox>(name);
    if (box->isChecked() != on) box->click();
  }
  void Filter(const QString& text, bool exclude = false, bool loop = false) {
    SetBox("cbxConcExclude", exclude);
    SetBox("cbxConcLoop", loop);
    W<QLineEdit>("edtConcFilter")->setText(text);
    W<QPushButton>("btnConcFilter")->click();
  }
  void SetSortRows(const std::vector<const char*>& locations) {
    for (size_t i = 0; i < locations.size(); ++i)
      Choose(Tab().cbLoc[i], QString::fromLatin1(locations[i]));
  }

  std::string Page() const { return ReadAll(folder / "conc.htm"); }
  // The hit numbers of the page's rows, in row order.
  static std::vector<int> PageHits(const std::string& page) {
    std::vector<int> hits;
    auto it = QRegularExpression("<a href=\"(\\d+)\">").globalMatch(QString::fromLatin1(page.c_str()));
    while (it.hasNext()) hits.push_back(it.next().captured(1).toInt());
    return hits;
  }
  static std::string Title(const std::string& page) {
    const auto m = QRegularExpression("<title>([^<]*)</title>").match(QString::fromLatin1(page.c_str()));
    return m.captured(1).toStdString();
  }
  // The last log entry cut into header, seconds, result, options, detail.
  QStringList LastEntry() const { return Log().last().split(" \t\t"); }
  void ExpectEntry(const QString& header, const QString& result, const QString& options, const QString& detail) {
    const QStringList e = LastEntry();
    ASSERT_EQ(e.size(), 5) << Log().last().toStdString();
    EXPECT_EQ(e[0], header);
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d{3} second\\(s\\)$").match(e[1]).hasMatch()) << e[1].toStdString();
    EXPECT_EQ(e[2], result);
    EXPECT_EQ(e[3], options);
    EXPECT_EQ(e[4], detail);
  }
  QString PageInfo() const { return W<QLabel>("lbConcPageInfo")->text(); }
  bool Usable(const char* name) const { return W(name)->isEnabledTo(frm.get()) && !W(name)->isHidden(); }

  TTempDir corpora;
};

// ------------------------------------------------------------ search

TEST_F(ConcordanceTab, ControlsBeforeAndAfterALoad) {
  auto* pg = W<QTabWidget>("pgMain");
  EXPECT_FALSE(pg->isTabEnabled(pg->indexOf(frm->tsConc)));
  Load(SamplesFolder("en"));
  EXPECT_TRUE(pg->isTabEnabled(pg->indexOf(frm->tsConc)));
  for (const char* other : {"tsStat", "tsCol", "tsWordlist", "tsKeyness"})
    EXPECT_FALSE(pg->isTabEnabled(pg->indexOf(W(other)))) << other;
  EXPECT_EQ(pg->currentWidget(), frm->tsSettings) << "the load log stays in view";

  const std::pair<const char*, QString> captions[] = {
      {"cbxConcCase", "Case"},       {"cbxConcSmartInput", "Smart Input"}, {"cbxConcBatchSearch", "Batch Search"},
      {"btnConcSearch", "Search"},   {"btnConcLoadSearchList", "Load List"}, {"btnConcSort", "Sort"},
      {"cbxConcFilterCase", "Case"}, {"cbxConcExclude", "Exclude"},        {"cbxConcLoop", "Loop"},
      {"btnConcFilter", "Filter"},   {"btnConcStat", "Stats."},            {"btnConcCol", "Coll."},
      {"btnConcSave", "Save"}};
  for (const auto& [name, caption] : captions) EXPECT_EQ(W<QAbstractButton>(name)->text(), caption) << name;

  EXPECT_FALSE(W<QCheckBox>("cbxConcCase")->isChecked());
  EXPECT_TRUE(W<QCheckBox>("cbxConcSmartInput")->isChecked());
  EXPECT_FALSE(W<QCheckBox>("cbxConcBatchSearch")->isChecked());
  EXPECT_EQ(W<QLineEdit>("edtConcSearch")->text(), "");
  EXPECT_EQ(W<QLineEdit>("edtConcSearch")->maxLength(), 80);
  EXPECT_EQ(W<QLineEdit>("edtConcFilter")->maxLength(), 80);
  EXPECT_TRUE(W<QLineEdit>("edtConcBatchInfo")->isReadOnly());
  for (const char* name : {"btnConcSearch", "btnConcSort", "btnConcSimpleSort", "btnConcSave", "btnConcFilter",
                           "cbxConcLoop", "plConcInfo", "cbConcPage", "btnConcStat", "btnConcCol", "plConcLines"})
    EXPECT_FALSE(W(name)->isEnabledTo(frm.get())) << name;
  for (const char* name : {"plConcBatchSearch", "plConcFilter", "plConcParas"})
    EXPECT_TRUE(W(name)->isHidden()) << name;

  // Showing the tab: the query box takes the keys.
  frm->show();
  pg->setCurrentWidget(frm->tsConc);
  EXPECT_TRUE(W<QCheckBox>("cbxConcSmartInput")->isEnabled());
  EXPECT_TRUE(W<QCheckBox>("cbxConcSmartInput")->isChecked());
  EXPECT_EQ(frm->focusWidget(), W("edtConcSearch"));
}

TEST_F(ConcordanceTab, SearchShowsPageOneAndLogs) {
  Load(SamplesFolder("en"));
  W<QLineEdit>("edtConcSearch")->setText("  ");
  EXPECT_FALSE(W("btnConcSearch")->isEnabled()) << "blank query";
  W<QLineEdit>("edtConcSearch")->setText("Alice");
  ASSERT_TRUE(W("btnConcSearch")->isEnabled());
  // Enter in the query box searches.
  QTest::keyClick(W("edtConcSearch"), Qt::Key_Return);
  ASSERT_TRUE(desktop.Errors.isEmpty()) << desktop.Errors.join("; ").toStdString();

  const int n = frm->ConcSearch()->HitCount();
  ASSERT_GT(n, 100);
  EXPECT_EQ(PageInfo(), QString("%1 hit(s).").arg(n));
  ExpectEntry("#Search:", QString("%1 hit(s)").arg(n), "", "Alice=Alice");
  EXPECT_EQ(frm->AllHits.size(), static_cast<size_t>(n));
  EXPECT_TRUE(frm->ResultHits.empty());

  const std::string page = Page();
  EXPECT_EQ(Title(page), "concordance (1-100/" + std::to_string(n) + ")");
  std::vector<int> first100(100);
  std::iota(first100.begin(), first100.end(), 0);
  EXPECT_EQ(PageHits(page), first100);
  EXPECT_NE(page.find("<td class=\"c\"><nobr> Alice </nobr></td>"), std::string::npos);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return W<TBrowserView>("wbConcLines")->url() == QUrl::fromLocalFile(QString::fromStdString(folder / "conc.htm")); },
      kWaitMs));

  for (const char* name : {"btnConcSort", "btnConcSimpleSort", "btnConcSave", "plConcFilter", "plConcInfo", "cbConcPage",
                           "plConcLines", "cbxConcFilterCase", "cbxConcExclude", "edtConcFilter"})
    EXPECT_TRUE(Usable(name)) << name;
  for (const char* name : {"btnConcStat", "btnConcCol", "cbxConcLoop", "btnConcFilter"})
    EXPECT_FALSE(W(name)->isEnabledTo(frm.get())) << name;
  EXPECT_TRUE(frm->isEnabled());
  EXPECT_EQ(frm->windowTitle(), "Zentrik Korvelin 1.0 beta 20");

  // "Case" goes into the log and onto the filter's "Case".
  W<QCheckBox>("cbxConcCase")->click();
  EXPECT_TRUE(W<QCheckBox>("cbxConcFilterCase")->isChecked());
  Search("aLiCe");
  ExpectEntry("#Search:", "0 hit(s)", "Case", "aLiCe=aLiCe");
}

TEST_F(ConcordanceTab, HitCountsAndThePageCombo) {
  struct Case {
    int hits;
    QStringList pages;
    bool enabled;
  } cases[] = {
      {99, {}, false},
      {100, {"1-100"}, true},
      {250, {"1-100", "101-200", "201-250"}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hits);
    LoadNodes(c.hits, "n" + std::to_string(c.hits));
    Search("node");
    EXPECT_EQ(PageInfo(), QString("%1 hit(s).").arg(c.hits));
    EXPECT_EQ(Items(W<QComboBox>("cbConcPage")), c.pages);
    EXPECT_EQ(W("cbConcPage")->isEnabled(), c.enabled);
    EXPECT_EQ(PageHits(Page()).size(), static_cast<size_t>(std::min(c.hits, 100)));
  }
  // The last corpus has 250 hits: its third page.
  Choose(W<QComboBox>("cbConcPage"), "201-250");
  const std::string page = Page();
  EXPECT_EQ(Title(page), "concordance (201-250/250)");
  const std::vector<int> hits = PageHits(page);
  ASSERT_EQ(hits.size(), 50u);
  EXPECT_EQ(hits.front(), 200);
  EXPECT_EQ(hits.back(), 249);
  EXPECT_NE(page.find("<td class=\"n\">201.\t</td>"), std::string::npos);
  EXPECT_EQ(W<QComboBox>("cbConcPage")->currentText(), "201-250");
  EXPECT_TRUE(frm->isEnabled());
}

TEST_F(ConcordanceTab, SearchWithoutHits) {
  LoadLines(kAnimals);
  Search("sat");
  ASSERT_EQ(frm->AllHits.size(), 5u);
  Search("zebra");
  ExpectEntry("#Search:", "0 hit(s)", "", "zebra=zebra");
  EXPECT_EQ(PageInfo(), "0 hit(s).");
  EXPECT_EQ(frm->ConcDisplay(), nullptr);
  EXPECT_TRUE(frm->AllHits.empty());
  for (const char* name : {"btnConcSort", "btnConcSimpleSort", "btnConcSave"})
    EXPECT_FALSE(W(name)->isEnabled()) << name;
  EXPECT_TRUE(W("plConcFilter")->isHidden());
  EXPECT_EQ(W<QComboBox>("cbConcPage")->count(), 0);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return W<TBrowserView>("wbConcLines")->url() == QUrl::fromLocalFile(QString::fromStdString(folder / "sys/blank.htm"));
      },
      kWaitMs));
}

TEST_F(ConcordanceTab, ABadPatternIsAnErrorWithoutEntry) {
  LoadLines(kAnimals);
  const int before = Log().size();
  W<QCheckBox>("cbxConcSmartInput")->click();
  Search("(sat");
  ASSERT_EQ(desktop.Errors.size(), 1);
  EXPECT_EQ(Log().size(), before);
  EXPECT_TRUE(frm->isEnabled());
  EXPECT_EQ(frm->ConcDisplay(), nullptr);
  EXPECT_FALSE(W("btnConcSave")->isEnabled());
}

// Raw Chinese: the query is spaced out to match the prepared lines, the page
// is written in GBK, and a batch list gives the same hits every time.
TEST_F(ConcordanceTab, RawChineseSample) {
  Load(SamplesFolder("zh"));
  ASSERT_TRUE(frm->Corpus()->Chinese());
  // Counted here from the files, in Unicode.
  int expected = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SamplesFolder("zh"))) {
    const QString text = QString::fromStdString(CodePageToUtf8(ReadAll(entry.path().string()), TCodePage::Gbk));
    expected += static_cast<int>(text.count(QString::fromUtf8("宝玉")));
  }
  ASSERT_GT(expected, 0);

  Search(QString::fromUtf8("宝玉"));
  ASSERT_TRUE(desktop.Errors.isEmpty()) << desktop.Errors.join("; ").toStdString();
  EXPECT_EQ(frm->ConcSearch()->HitCount(), expected);
  ExpectEntry("#Search:", QString("%1 hit(s)").arg(expected), "", QString::fromUtf8("宝 玉=宝 玉"));
  const std::string node = Utf8ToCodePage("<nobr> 宝玉 </nobr>", TCodePage::Gbk);
  EXPECT_NE(Page().find(node), std::string::npos);

  const int single = expected;
  Search(QString::fromUtf8("黛玉"));
  const int second = frm->ConcSearch()->HitCount();
  W<QCheckBox>("cbxConcBatchSearch")->click();
  desktop.Files.push_back(QString::fromStdString(corpora.Write("list.txt", Utf8ToCodePage("宝玉\r\n黛玉\r\n", TCodePage::Gbk))));
  W<QPushButton>("btnConcLoadSearchList")->click();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    W<QPushButton>("btnConcSearch")->click();
    EXPECT_EQ(frm->ConcSearch()->HitCount(), single + second);
    ExpectEntry("#Batch Search:", QString("%1 hit(s)").arg(single + second), "", "2 item(s) in list.txt");
  }
}

// ------------------------------------------------------------- batch

TEST_F(ConcordanceTab, BatchLists) {
  LoadLines(kAnimals);
  Search("sat");
  W<QCheckBox>("cbxConcBatchSearch")->click();
  EXPECT_EQ(frm->ConcDisplay(), nullptr) << "switching the mode forgets the concordance";
  EXPECT_TRUE(W("plConcBatchSearch")->isVisibleTo(frm->tsConc));
  EXPECT_TRUE(W("edtConcSearch")->isHidden());
  EXPECT_EQ(W<QLineEdit>("edtConcSearch")->text(), "");
  EXPECT_FALSE(W("btnConcSearch")->isEnabled());

  auto list = [&](int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += "w" + std::to_string(i) + "\r\n";
    return text;
  };
  struct Case {
    const char* name;
    std::string text;
    QString message;  // empty: accepted
  } cases[] = {
      {"limit.txt", list(10000), ""},
      {"over.txt", list(10001), QString::fromUtf8("批量查询最多支持10000条记录!")},
      {"blank.txt", "  \r\n\r\n", QString::fromStdString(corpora / "blank.txt") + QString::fromUtf8("是空的!")},
      {"empty.txt", "", QString::fromStdString(corpora / "empty.txt") + QString::fromUtf8("是空的!")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    desktop.Messages.clear();
    desktop.Files.push_back(QString::fromStdString(corpora.Write(c.name, c.text)));
    W<QPushButton>("btnConcLoadSearchList")->click();
    const bool accepted = c.message.isEmpty();
    EXPECT_EQ(desktop.Messages, accepted ? QStringList() : QStringList({c.message}));
    EXPECT_EQ(W<QLineEdit>("edtConcBatchInfo")->text(), accepted ? QString(c.name) : QString());
    EXPECT_EQ(W("btnConcSearch")->isEnabled(), accepted);
    EXPECT_EQ(frm->BatchList().Count(), accepted ? 10000 : 0);
  }

  // A cancelled dialog changes nothing.
  desktop.Files.push_back(QString::fromStdString(corpora.Write("two.txt", "cat\r\n\r\ndog\r\n")));
  W<QPushButton>("btnConcLoadSearchList")->click();
  desktop.Files.push_back(QString());
  W<QPushButton>("btnConcLoadSearchList")->click();
  EXPECT_EQ(W<QLineEdit>("edtConcBatchInfo")->text(), "two.txt");

  W<QPushButton>("btnConcSearch")->click();
  ASSERT_NE(frm->ConcSearch(), nullptr);
  EXPECT_EQ(frm->ConcSearch()->HitCount(), 4);
  ExpectEntry("#Batch Search:", "4 hit(s)", "", "2 item(s) in two.txt");
  EXPECT_EQ(PageHits(Page()), std::vector<int>({0, 1, 2, 3}));

  // Back to a typed query: the list goes.
  W<QCheckBox>("cbxConcBatchSearch")->click();
  EXPECT_EQ(frm->BatchList().Count(), 0);
  EXPECT_EQ(W<QLineEdit>("edtConcBatchInfo")->text(), "");
  EXPECT_FALSE(W("edtConcSearch")->isHidden());
  EXPECT_FALSE(W("btnConcSearch")->isEnabled());
}

// ------------------------------------------------------------- filter

TEST_F(ConcordanceTab, FilterWithAndWithoutLoopAndExclude) {
  LoadLines(kAnimals);
  Search("sat");
  struct Case {
    const char* text;
    uint8_t scope;
    bool exclude, loop;
    std::vector<int> hits;
    QString info, result, options;
  } cases[] = {
      {"cat", scLeft, false, false, {0, 3}, "2 hit(s) in 5 result(s).", "2/5", ""},
      {"on", scRight, false, true, {0}, "1 hit(s) in 2 result(s).", "1/2", "Loop"},
      {"on", scRight, false, false, {0, 2, 4}, "3 hit(s) in 5 result(s).", "3/5", ""},
      {"cat", scLeft, true, false, {1, 2, 4}, "3 hit(s) in 5 result(s).", "3/5", "Exclude"},
      {"dog", scLeft, true, true, {2}, "1 hit(s) in 3 result(s).", "1/3", "Exclude/Loop"},
      {"sat", scNode, false, false, {0, 1, 2, 3, 4}, "5 hit(s) in 5 result(s).", "5/5", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + (c.exclude ? " exclude" : "") + (c.loop ? " loop" : ""));
    SetScope(c.scope);
    Filter(c.text, c.exclude, c.loop);
    ASSERT_TRUE(desktop.Messages.isEmpty()) << desktop.Messages.join("; ").toStdString();
    EXPECT_EQ(frm->ResultHits, TIntArr(c.hits.begin(), c.hits.end()));
    EXPECT_EQ(PageHits(Page()), c.hits);
    EXPECT_EQ(PageInfo(), c.info);
    ExpectEntry("#Search in Result:", c.result, c.options, QString(c.text) + "=" + c.text);
    // An included match is highlighted on the page; an excluded one is absent.
    EXPECT_EQ(Page().find("<span class=\"k\">") != std::string::npos, !c.exclude);
    EXPECT_TRUE(W("cbxConcLoop")->isEnabled());
    EXPECT_TRUE(W("btnConcSave")->isEnabled());
  }

  // "Case" of the filter.
  SetScope(scLeft);
  SetBox("cbxConcFilterCase", true);
  Filter("The", false, false);
  EXPECT_EQ(desktop.Messages, QStringList({"The result is empty!"}));
  desktop.Messages.clear();
  Filter("the", false, false);
  ExpectEntry("#Search in Result:", "2/5", "Case", "the=the");
  EXPECT_EQ(frm->ResultHits, TIntArr({0, 2}));
}

TEST_F(ConcordanceTab, FiltersThatKeepNothing) {
  LoadLines(kAnimals);
  Search("sat");
  SetScope(scLeft);
  Filter("cat");
  ASSERT_EQ(frm->ResultHits, TIntArr({0, 3}));
  const QStringList log = Log();
  const std::string page = Page();
  struct Case {
    const char* name;
    std::function<void()> act;
    QStringList messages;
    bool settingsShown;
  } cases[] = {
      {"no match", [&] { Filter("zebra"); }, {"The result is empty!"}, false},
      {"no scope",
       [&] {
         SetScope(0);
         Filter("cat");
         SetScope(scLeft);
       },
       {"Please set filter scope!", "The result is empty!"},
       true},
      {"exclude everything", [&] { Filter("\\S+", true); }, {"The result is empty!"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    desktop.Messages.clear();
    desktop.EnabledAtMessage.clear();
    W<QTabWidget>("pgMain")->setCurrentWidget(frm->tsConc);
    c.act();
    EXPECT_EQ(desktop.Messages, c.messages);
    EXPECT_EQ(desktop.EnabledAtMessage, std::vector<bool>(c.messages.size(), true));
    EXPECT_EQ(W<QTabWidget>("pgMain")->currentWidget() == frm->tsSettings, c.settingsShown);
    // The previous result, its page and its paging stay.
    EXPECT_EQ(frm->ResultHits, TIntArr({0, 3}));
    EXPECT_EQ(Page(), page);
    EXPECT_EQ(PageInfo(), "2 hit(s) in 5 result(s).");
    EXPECT_TRUE(W("btnConcSave")->isEnabled());
    EXPECT_EQ(Log(), log) << "no entry";
    EXPECT_TRUE(frm->isEnabled());
  }
  EXPECT_TRUE(frm->tsSettings->gpConc->Opened());

  // Loop with no result list: a new search has none.
  Search("sat");
  EXPECT_FALSE(W("cbxConcLoop")->isEnabled());
  W<QCheckBox>("cbxConcLoop")->setChecked(true);
  desktop.Messages.clear();
  W<QLineEdit>("edtConcFilter")->setText("cat");
  QTest::keyClick(W("edtConcFilter"), Qt::Key_Return);
  EXPECT_EQ(desktop.Messages, QStringList({"The result is empty!"}));
  EXPECT_TRUE(frm->ResultHits.empty());
}

TEST_F(ConcordanceTab, PageTwoOfAFilterKeepsTheHighlighting) {
  LoadNodes(250, "n250");
  Search("node");
  SetScope(scLeft);
  // Enter in the filter box filters.
  W<QLineEdit>("edtConcFilter")->setText("red");
  QTest::keyClick(W("edtConcFilter"), Qt::Key_Return);
  ASSERT_EQ(frm->ResultHits.size(), 125u);
  EXPECT_EQ(Items(W<QComboBox>("cbConcPage")), QStringList({"1-100", "101-125"}));
  // Changing the box afterwards does not change what page 2 highlights.
  W<QLineEdit>("edtConcFilter")->setText("blue");

  Choose(W<QComboBox>("cbConcPage"), "101-125");
  const std::string page = Page();
  EXPECT_EQ(Title(page), "concordance (101-125/125)");
  const std::vector<int> hits = PageHits(page);
  ASSERT_EQ(hits.size(), 25u);
  EXPECT_EQ(hits.front(), 201);
  EXPECT_EQ(hits.back(), 249);
  const QString text = QString::fromLatin1(page.c_str());
  EXPECT_EQ(text.count(QRegularExpression("<span class=\"k\">\\s*red\\s*</span>")), 25);
  EXPECT_EQ(page.find("<span class=\"k\">blue"), std::string::npos);
  EXPECT_EQ(PageInfo(), "125 hit(s) in 250 result(s).");
}

// --------------------------------------------------------------- sort

TEST_F(ConcordanceTab, PowerSortRowsStopAtTheFirstGap) {
  LoadLines(kKeys);
  Search("node");
  SetSortRows({"R1", "--", "L1"});
  W<QPushButton>("btnConcSort")->click();
  ASSERT_TRUE(desktop.Messages.isEmpty()) << desktop.Messages.join("; ").toStdString();
  // By R1 alone: alpha (2, 3), beta (0), delta (1); with L1 too 3 would lead.
  EXPECT_EQ(frm->ResultHits, TIntArr({2, 3, 0, 1}));
  EXPECT_EQ(frm->PowerSortLevels.size(), 1u);
  EXPECT_EQ(PageHits(Page()), std::vector<int>({2, 3, 0, 1}));
  EXPECT_NE(Page().find("<span class=\"w1\">alpha</span>"), std::string::npos) << "the key is marked";
  EXPECT_EQ(PageInfo(), "4 hit(s).");
  ExpectEntry("#Sort:\t", "4 hit(s)", "", "");

  SetSortRows({"R1", "L1"});
  W<QPushButton>("btnConcSort")->click();
  EXPECT_EQ(frm->ResultHits, TIntArr({3, 2, 0, 1}));
}

TEST_F(ConcordanceTab, SortWithoutLevelsAsksForThem) {
  LoadLines(kKeys);
  Search("node");
  W<QTabWidget>("pgMain")->setCurrentWidget(frm->tsConc);
  const std::string page = Page();
  W<QPushButton>("btnConcSort")->click();
  EXPECT_EQ(desktop.Messages, QStringList({"Please set sort mode!"}));
  EXPECT_EQ(desktop.EnabledAtMessage.back(), true);
  EXPECT_EQ(W<QTabWidget>("pgMain")->currentWidget(), frm->tsSettings);
  EXPECT_TRUE(frm->tsSettings->gpConc->Opened());
  ExpectEntry("#Sort:\t", "0 hit(s)", "", "");
  EXPECT_EQ(Page(), page);
  EXPECT_TRUE(frm->ResultHits.empty());
}

TEST_F(ConcordanceTab, ASortThatKeepsNothingKeepsTheResult) {
  LoadLines(kKeys);
  Search("node");
  // A right span of 0 leaves no R1 token to sort by.
  Choose(W<QComboBox>("cbConcRightSpan"), "0");
  Choose(W<QComboBox>("cbConcLeftSpan"), "0");
  Search("node");
  Choose(W<QComboBox>("cbConcRightSpan"), "1");
  SetSortRows({"R1"});
  W<QPushButton>("btnConcSort")->click();
  EXPECT_EQ(desktop.Messages, QStringList({"The result is empty!"}));
  ExpectEntry("#Sort:\t", "0 hit(s)", "", "");
  EXPECT_TRUE(frm->ResultHits.empty()) << "all hits, as before";
  EXPECT_EQ(PageInfo(), "4 hit(s).");
  EXPECT_EQ(PageHits(Page()), std::vector<int>({0, 1, 2, 3}));
}

TEST_F(ConcordanceTab, QuickSortMenu) {
  LoadLines(kKeys);
  auto* menu = W<QMenu>("pmnConcSimpleSort");
  EXPECT_EQ(W<QToolButton>("btnConcSimpleSort")->menu(), menu);
  QStringList captions;
  for (QAction* a : menu->actions()) captions << (a->isSeparator() ? QString("-") : a->text());
  EXPECT_EQ(captions, QStringList({"Loop", "-", "L3", "L2", "L1", "Node", "R1", "R2", "R3"}));
  EXPECT_TRUE(Item("mimSortLoop")->isChecked());

  Search("node");
  // Loop ticked: the levels add up.
  Item("mimSortL1")->trigger();
  EXPECT_EQ(frm->ResultHits, TIntArr({1, 3, 2, 0}));
  Item("mimSortR1")->trigger();
  EXPECT_EQ(Item("mimSortL1")->text(), "L1 (Level 1)");
  EXPECT_EQ(Item("mimSortR1")->text(), "R1 (Level 2)");
  ASSERT_EQ(frm->QuickSortLevels.size(), 2u);
  EXPECT_EQ(frm->QuickSortLevels[0].Side, 0);
  EXPECT_EQ(frm->QuickSortLevels[1].Side, 2);
  EXPECT_EQ(frm->ResultHits, TIntArr({3, 1, 2, 0}));
  ExpectEntry("#Sort:\t", "4 hit(s)", "", "");
  // The second level is marked on the page.
  EXPECT_NE(Page().find("<span class=\"w2\">"), std::string::npos);
  // A ticked item again: nothing.
  const int entries = Log().size();
  Item("mimSortL1")->trigger();
  EXPECT_TRUE(Item("mimSortL1")->isChecked());
  EXPECT_EQ(Item("mimSortL1")->text(), "L1 (Level 1)");
  EXPECT_EQ(Log().size(), entries);

  // Loop unticked: every choice is a sort of its own.
  Item("mimSortLoop")->trigger();
  EXPECT_FALSE(Item("mimSortLoop")->isChecked());
  EXPECT_EQ(Item("mimSortL1")->text(), "L1");
  EXPECT_FALSE(Item("mimSortL1")->isChecked());
  EXPECT_TRUE(frm->QuickSortLevels.empty());
  Item("mimSortL1")->trigger();
  Item("mimSortR1")->trigger();
  EXPECT_EQ(Item("mimSortL1")->text(), "L1");
  EXPECT_FALSE(Item("mimSortL1")->isChecked());
  EXPECT_EQ(Item("mimSortR1")->text(), "R1 (Level 1)");
  EXPECT_EQ(frm->QuickSortLevels.size(), 1u);
  EXPECT_EQ(frm->ResultHits, TIntArr({2, 3, 0, 1}));

  // The Sort button and a new search start the menu again.
  SetSortRows({"R1"});
  W<QPushButton>("btnConcSort")->click();
  EXPECT_EQ(Item("mimSortR1")->text(), "R1");
  EXPECT_FALSE(Item("mimSortR1")->isChecked());
  EXPECT_FALSE(Item("mimSortLoop")->isChecked()) << "Loop keeps its tick";
}

TEST_F(ConcordanceTab, PageTwoOfASortKeepsTheMarks) {
  LoadNodes(250, "n250");
  Search("node");
  SetSortRows({"L1"});
  W<QPushButton>("btnConcSort")->click();
  ASSERT_EQ(frm->ResultHits.size(), 250u);
  Choose(W<QComboBox>("cbConcPage"), "101-200");
  EXPECT_NE(Page().find("<span class=\"w1\">"), std::string::npos);
  // After a plain search no page is marked, whatever the rows say.
  Search("node");
  Choose(W<QComboBox>("cbConcPage"), "101-200");
  EXPECT_EQ(Page().find("<span class=\"w1\">"), std::string::npos);
}

// ---------------------------------------------------------- settings

TEST_F(ConcordanceTab, SettingsGroup) {
  const QStringList spans = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
  for (const char* name : {"cbConcLeftSpan", "cbConcRightSpan"}) {
    EXPECT_EQ(Items(W<QComboBox>(name)), spans) << name;
    EXPECT_EQ(W<QComboBox>(name)->currentText(), "5") << name;
  }
  EXPECT_EQ(Items(W<QComboBox>("cbLoc1")), QStringList());
  corpora.Write("t/a.txt", "The_AT old_JJ man_NN1 went_VVD to_II the_AT sea_NN1 ._.\r\n"
                           "He_PPHS1 saw_VVD two_MC boats_NN2 ._.\r\n");
  Load(corpora / "t");
  ASSERT_TRUE(frm->Corpus()->Tagged());
  EXPECT_EQ(W<QGroupBox>("gbPowerSort")->title(), " Power Sort  ");
  for (int i = 1; i <= 5; ++i) {
    const QByteArray loc = "cbLoc" + QByteArray::number(i), type = "cbSortType" + QByteArray::number(i);
    EXPECT_EQ(Items(W<QComboBox>(loc.constData())),
              QStringList({"--", "L5", "L4", "L3", "L2", "L1", "Node", "R1", "R2", "R3", "R4", "R5"}));
    EXPECT_EQ(W<QComboBox>(loc.constData())->currentText(), "--");
    EXPECT_EQ(Items(W<QComboBox>(type.constData())), QStringList({"Word", "POS", "Word_POS"}));
  }
  Choose(W<QComboBox>("cbConcLeftSpan"), "2");
  Choose(W<QComboBox>("cbConcRightSpan"), "0");
  EXPECT_EQ(Items(W<QComboBox>("cbLoc3")), QStringList({"--", "L2", "L1", "Node"}));

  // A type chosen in a row goes down to the rows below.
  Choose(W<QComboBox>("cbSortType2"), "POS");
  QStringList types;
  for (int i = 1; i <= 5; ++i) types << W<QComboBox>(("cbSortType" + std::to_string(i)).c_str())->currentText();
  EXPECT_EQ(types, QStringList({"Word", "POS", "POS", "POS", "POS"}));

  // The left mode goes to the centre and the right.
  for (const char* name : {"cbLeftMode", "cbCenterMode", "cbRightMode"})
    EXPECT_EQ(Items(W<QComboBox>(name)), QStringList({"Word", "POS", "Word_POS"})) << name;
  Choose(W<QComboBox>("cbLeftMode"), "Word_POS");
  EXPECT_EQ(W<QComboBox>("cbCenterMode")->currentText(), "Word_POS");
  EXPECT_EQ(W<QComboBox>("cbRightMode")->currentText(), "Word_POS");
  Choose(W<QComboBox>("cbRightMode"), "POS");
  EXPECT_EQ(W<QComboBox>("cbLeftMode")->currentText(), "Word_POS");

  // The filter scope list.
  auto* scope = W<QListWidget>("cklConcScope");
  ASSERT_EQ(scope->count(), 3);
  EXPECT_EQ(scope->item(0)->text(), "Left");
  EXPECT_EQ(scope->item(1)->text(), "Center");
  EXPECT_EQ(scope->item(2)->text(), "Right");
  for (uint8_t bits = 0; bits < 8; ++bits) {
    SetScope(bits);
    EXPECT_EQ(Tab().FilterScopeFromList(), bits);
  }

  // What a display is given: the spans, the modes, the rows.
  Choose(W<QComboBox>("cbConcRightSpan"), "3");
  SetSortRows({"R1", "L2"});
  Search("VVD");
  TSeggedDisplay* display = frm->ConcDisplay();
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(display->LeftSpan(), 2);
  EXPECT_EQ(display->RightSpan(), 3);
  EXPECT_EQ(display->LeftMode(), dmWordTag);
  EXPECT_EQ(display->RightMode(), dmTag);
  ASSERT_EQ(display->SortInfo().size(), 2u);
  EXPECT_EQ(display->SortInfo()[0].Side, 2);
  EXPECT_EQ(display->SortInfo()[0].DataType, dtWord);
  EXPECT_EQ(display->SortInfo()[1].Position, 2);
  EXPECT_EQ(display->SortInfo()[1].DataType, dtPOS);
  ExpectEntry("#Search:", "2 hit(s)", "", "VVD=\\S+_VVD");

  // A new load empties the rows and the scope.
  Load(SamplesFolder("en"));
  EXPECT_EQ(W<QComboBox>("cbConcLeftSpan")->currentText(), "5");
  EXPECT_EQ(Items(W<QComboBox>("cbSortType1")), QStringList({"Word"}));
  EXPECT_EQ(Tab().FilterScopeFromList(), 0);
  EXPECT_EQ(frm->ConcDisplay(), nullptr);
}

// A query that needs a POS-category list stops before searching; one that
// needs a lemma list loads the built-in one.
TEST_F(ConcordanceTab, QueryTablesPreCheck) {
  corpora.Write("t/a.txt", "The_AT old_JJ man_NN1 went_VVD to_II the_AT sea_NN1 ._.\r\n");
  Load(corpora / "t");
  const int before = Log().size();
  Search("#NOUN");
  EXPECT_EQ(desktop.Messages, QStringList({"Please select a POS Category list first!"}));
  EXPECT_EQ(W<QTabWidget>("pgMain")->currentWidget(), frm->tsSettings);
  EXPECT_TRUE(W<QCheckBox>("cbxEnablePOSCategory")->isChecked());
  EXPECT_EQ(W<QCheckBox>("cbxEnablePOSCategory")->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(Log().size(), before);
  EXPECT_EQ(frm->ConcSearch(), nullptr);
  // A key in the query box takes the red back.
  QTest::keyClick(W("edtConcSearch"), Qt::Key_A);
  EXPECT_EQ(W<QCheckBox>("cbxEnablePOSCategory")->palette().color(QPalette::WindowText), QColor(Qt::black));

  Search("@go");
  EXPECT_TRUE(W<QCheckBox>("cbxEnableLemma")->isChecked());
  ASSERT_NE(frm->Lemma(), nullptr);
  ASSERT_NE(frm->ConcSearch(), nullptr);
  EXPECT_EQ(frm->ConcSearch()->HitCount(), 1);
  EXPECT_EQ(LastEntry()[0], "#Search:");
  EXPECT_EQ(LastEntry()[2], "1 hit(s)");
}

// ------------------------------------------------- paragraph and save

TEST_F(ConcordanceTab, AHitLinkOpensItsParagraphBelow) {
  LoadLines(kAnimals);
  frm->resize(1000, 700);
  frm->show();
  W<QTabWidget>("pgMain")->setCurrentWidget(frm->tsConc);
  auto* lines = W<TBrowserView>("wbConcLines");
  auto* paras = W<TBrowserView>("wbConcParas");
  QSignalSpy loaded(lines->page(), &QWebEnginePage::loadFinished);
  Search("sat");
  const QUrl conc = QUrl::fromLocalFile(QString::fromStdString(folder / "conc.htm"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return lines->url() == conc && !loaded.isEmpty() && loaded.last().at(0).toBool(); },
                              kWaitMs));

  // A click on the file link of row 3 (hit 2).
  lines->page()->runJavaScript("document.querySelectorAll('td.f a')[2].click()");
  const QUrl para = QUrl::fromLocalFile(QString::fromStdString(folder / "para.htm"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return paras->url() == para; }, kWaitMs));
  EXPECT_EQ(lines->url(), conc) << "the lines stay";
  EXPECT_TRUE(W("plConcParas")->isVisible());
  const std::string page = ReadAll(folder / "para.htm");
  EXPECT_NE(page.find("<div class=\"p\">the bird <span>sat </span>on a wire"), std::string::npos) << page;
  EXPECT_NE(page.find("<div class=\"pr\">a dog sat by the door"), std::string::npos);
  const QList<int> sizes = W<QSplitter>("splConc")->sizes();
  ASSERT_EQ(sizes.size(), 2);
  EXPECT_NEAR(sizes[1] / static_cast<double>(sizes[0] + sizes[1]), 0.382, 0.05);

  // A press on the tab's background folds the pane away.
  QTest::mousePress(frm->tsConc, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(W<QSplitter>("splConc")->sizes()[1], 0);

  // A new search or a page change hides it.
  Search("sat");
  EXPECT_TRUE(W("plConcParas")->isHidden());
}

TEST_F(ConcordanceTab, LinkCommandsWhileBusyAreDropped) {
  LoadLines(kAnimals);
  Search("sat");
  {
    TBusyScope busy(frm->Busy());
    Tab().wbConcLinesBeforeNavigate2("1");
  }
  EXPECT_FALSE(folder.Has("para.htm"));
  Tab().wbConcLinesBeforeNavigate2("1");
  EXPECT_TRUE(folder.Has("para.htm"));
  EXPECT_FALSE(W("plConcParas")->isHidden());

  // Targets that name no hit.
  for (const char* target : {"5", "-1", "x", "4294967297"}) {
    SCOPED_TRACE(target);
    desktop.Errors.clear();
    frm->Guarded([&] { Tab().wbConcLinesBeforeNavigate2(target); });
    EXPECT_EQ(desktop.Errors.size(), 1);
  }
  // Without a concordance nothing happens.
  Search("zebra");
  std::filesystem::remove(folder / "para.htm");
  Tab().wbConcLinesBeforeNavigate2("0");
  EXPECT_FALSE(folder.Has("para.htm"));
}

TEST_F(ConcordanceTab, SaveAppendsTxtAndWritesTheResult) {
  LoadLines(kAnimals);
  Search("sat");
  TTempDir out;
  struct Case {
    QString chosen;  // null: cancelled
    std::string written;
  } cases[] = {
      {QString::fromStdString(out / "one"), "one.txt"},
      {QString::fromStdString(out / "two.txt"), "two.txt"},
      {QString::fromStdString(out / "three.TXT"), "three.TXT.txt"},
      {QString::fromStdString(out / "v1.2"), "v1.2.txt"},
      {QString(), ""},
      {"   ", ""},
  };
  const std::string all =
      "1\ta\tthe cat\t sat \ton the mat\r\n2\ta\ta dog\t sat \tby the door\r\n3\ta\tthe bird\t sat \ton a wire\r\n"
      "4\ta\tmy cat\t sat \tin the sun\r\n5\ta\tone dog\t sat \ton the rug\r\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen.toStdString());
    desktop.Revealed.clear();
    desktop.SaveNames.push_back(c.chosen);
    W<QPushButton>("btnConcSave")->click();
    EXPECT_TRUE(desktop.Errors.isEmpty()) << desktop.Errors.join("; ").toStdString();
    if (c.written.empty()) {
      EXPECT_TRUE(desktop.Revealed.isEmpty());
      continue;
    }
    EXPECT_EQ(ReadAll(out / c.written), all);
    EXPECT_EQ(desktop.Revealed, QStringList({QString::fromStdString(out / c.written)}));
  }
  EXPECT_FALSE(std::filesystem::exists(out / "three.TXT"));

  // A filtered result saves its own rows, numbered from 1.
  SetScope(scLeft);
  Filter("cat");
  desktop.SaveNames.push_back(QString::fromStdString(out / "cats.txt"));
  W<QPushButton>("btnConcSave")->click();
  EXPECT_EQ(ReadAll(out / "cats.txt"), "1\ta\tthe cat\t sat \ton the mat\r\n2\ta\tmy cat\t sat \tin the sun\r\n");

  // The dialog asked about "keep.TXT"; replacing "keep.TXT.txt" is asked here.
  const std::string kept = out.Write("keep.TXT.txt", "mine");
  desktop.SaveNames.push_back(QString::fromStdString(out / "keep.TXT"));
  desktop.Answers.push_back(false);
  W<QPushButton>("btnConcSave")->click();
  EXPECT_EQ(desktop.Questions.size(), 1);
  EXPECT_EQ(ReadAll(kept), "mine");
  desktop.SaveNames.push_back(QString::fromStdString(out / "keep.TXT"));
  desktop.Answers.push_back(true);
  W<QPushButton>("btnConcSave")->click();
  EXPECT_EQ(ReadAll(kept).substr(0, 2), "1\t");
}

// The engine objects go before the corpus whose lines they point into.
TEST_F(ConcordanceTab, ANewLoadForgetsTheConcordance) {
  LoadLines(kAnimals);
  Search("sat");
  SetScope(scLeft);
  Filter("cat");
  ASSERT_NE(frm->ConcDisplay(), nullptr);
  Load(SamplesFolder("zh"));
  EXPECT_EQ(frm->ConcDisplay(), nullptr);
  EXPECT_EQ(frm->ConcSearch(), nullptr);
  EXPECT_TRUE(frm->AllHits.empty());
  EXPECT_TRUE(frm->ResultHits.empty());
  EXPECT_EQ(PageInfo(), "");
  EXPECT_EQ(W<QLineEdit>("edtConcFilter")->text(), "");
  EXPECT_TRUE(W("plConcFilter")->isHidden());
  EXPECT_FALSE(W("btnConcSearch")->isEnabled());
  EXPECT_FALSE(W<QCheckBox>("cbxConcLoop")->isChecked());
  Search(QString::fromUtf8("宝玉"));
  EXPECT_GT(frm->ConcSearch()->HitCount(), 0);
  EXPECT_TRUE(frm->close());
}

// The rendered pages, read back from the view. With KV_SCREENSHOT_DIR set the
// window is saved there as PNG.
TEST_F(ConcordanceTab, SortedAndFilteredPagesAsShown) {
  Load(SamplesFolder("en"));
  frm->resize(1280, 800);
  frm->show();
  W<QTabWidget>("pgMain")->setCurrentWidget(frm->tsConc);
  auto* lines = W<TBrowserView>("wbConcLines");
  auto js = [&](const QString& script) {
    QVariant result;
    bool done = false;
    lines->page()->runJavaScript(script, [&](const QVariant& v) {
      result = v;
      done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kWaitMs));
    return result;
  };
  auto shown = [&](const char* what, const QString& countScript, int atLeast) {
    // Until the rewritten page is in the view.
    EXPECT_TRUE(QTest::qWaitFor([&] { return js(countScript).toInt() >= atLeast; }, kWaitMs)) << what;
    QTest::qWait(300);  // let the view paint before the picture is taken
    if (const QByteArray dir = qgetenv("KV_SCREENSHOT_DIR"); !dir.isEmpty())
      frm->grab().save(QString::fromLocal8Bit(dir) + "/korvelin-conc-" + what + ".png");
  };

  Search("time");
  SetSortRows({"R1", "L1"});
  W<QPushButton>("btnConcSort")->click();
  shown("sorted", "document.querySelectorAll('td.r span.w1').length", 100);
  EXPECT_GE(js("document.querySelectorAll('td.l span.w2').length").toInt(), 90);

  SetScope(scLeft | scRight);
  Filter("the");
  shown("filtered", "document.querySelectorAll('span.k').length", 100);
  EXPECT_EQ(js("document.querySelectorAll('tr').length").toInt(), 100);

  Tab().OpenParagraph(frm->ConcDisplay(), "3", 0.382);
  auto* paras = W<TBrowserView>("wbConcParas");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return paras->url() == QUrl::fromLocalFile(QString::fromStdString(folder / "para.htm")); }, kWaitMs));
  QSignalSpy loaded(paras->page(), &QWebEnginePage::loadFinished);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !loaded.isEmpty() || !paras->page()->isLoading(); }, kWaitMs));
  shown("paragraph", "1", 0);
}

}  // namespace
}  // namespace korvelin

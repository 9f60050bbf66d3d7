#pragma once
// TfrmMain: the one window. It owns the engine objects and the state the
// tabs share (lists, session log, busy indicator) and offers the pieces
// every tab uses: reset, teardown, clean-up, log, busy bracket, paging and
// the data-type choices. Each tab is a class of its own with its widgets
// and handlers.
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/CodePage.h"
#include "foundation/StrList.h"
#include "foundation/TextFile.h"
#include "foundation/Types.h"

class QComboBox;
class QTabWidget;

namespace korvelin {

class TAboutTab;
class TBusyIndicator;
class TConcordanceTab;
class TCorpus;
class TDesktop;
class TLemma;
class TPOSCategory;
class TSessionLog;
class TSeggedDisplay;
class TSeggedSearchOper;
class TSettingsTab;
class TSmartInput;

class TfrmMain : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr const char* ClassName = "TfrmMain";

  // programFolder holds sys/ and receives the working files, "cache", "tmp"
  // and the logs; it ends in a separator. desktop answers dialogs and shows
  // messages; the window uses Qt's own when it is null (not owned).
  explicit TfrmMain(const std::string& programFolder = korvelin::ProgramFolder(), TDesktop* desktop = nullptr,
                    QWidget* parent = nullptr);
  ~TfrmMain() override;

  // Every control back to its state at start.
  void ResetWindow();
  // Frees the engine objects of the corpus and empties the working lists
  // (not the lemma and POS-category lists: ResetWindow drops those).
  void TeardownEngine();
  // Removes the "tmp" folder and the window's working files.
  void CleanTempFiles();

  // Session log.
  void LogLine(const QString& text, bool clear = false);
  void WriteLogEntry(bool clear = false);
  void SaveSessionLog();
  TLog LogEntry;  // the entry a command is assembling (UTF-8 text)

  // Runs a handler; an error it raises is shown in a message box once the
  // outermost handler has finished, so the busy bracket has restored the
  // window by then. A failed handler has written no log entry.
  void Guarded(const std::function<void()>& handler);
  void ShowMsg(const QString& text);
  TBusyIndicator& Busy() const { return *FBusy; }

  // Data-type and display-mode combos. Tabs register theirs so a change of
  // corpus format or lemma list refreshes them all.
  void AddDataTypeCombo(QComboBox* combo);
  void AddDisplayModeCombo(QComboBox* combo);
  void FillDataTypeCombo(QComboBox* combo);
  void RefreshDataTypeCombos();
  void FillDisplayModeCombo(QComboBox* combo);
  void RefreshDisplayModeCombos();

  // Engine objects.
  TCorpus* Corpus() const { return FCorpus.get(); }
  void SetCorpus(std::unique_ptr<TCorpus> corpus);
  // The code page of corpus text: GBK for a Chinese corpus, else Windows-1252.
  TCodePage CodePage() const;
  TSmartInput* SmartInput() const { return FSmartInput.get(); }
  void CreateSmartInput();
  TLemma* Lemma() const { return FLemma.get(); }
  TPOSCategory* POSCategory() const { return FPOSCategory.get(); }
  // Replace (or, with null, drop) a list; the query translator never keeps a
  // freed one.
  void SetLemma(std::unique_ptr<TLemma> lemma);
  void SetPOSCategory(std::unique_ptr<TPOSCategory> category);

  // The concordance of the Concordance tab, which the Statistics and
  // Collocation tabs count over. The display's tokens are views into the
  // corpus lines, so it goes before the search and both before the lines
  // are rewritten or the corpus is freed.
  TSeggedSearchOper* ConcSearch() const { return FConcSearch.get(); }
  TSeggedDisplay* ConcDisplay() const { return FConcDisplay.get(); }
  void SetConcSearch(std::unique_ptr<TSeggedSearchOper> search);
  void SetConcDisplay(std::unique_ptr<TSeggedDisplay> display);
  // Frees the display and the search and empties the lists below.
  void FreeConcordance();
  TIntArr AllHits;     // 0 .. hit count - 1 after a search with hits
  TIntArr ResultHits;  // the last filter or sort result; empty: AllHits
  TSortInfoArr PowerSortLevels;
  TSortInfoArr QuickSortLevels;
  uint8_t FilterScope = 0;

  // The smart-input pre-check: loads the built-in lemma list when the query
  // needs one; refuses with a message when it needs a POS-category list.
  bool CheckQueryTables(const QString& query);
  // Optionally ResetConcordance, then the results of the tabs that count
  // over the concordance.
  void ResetResultTabs(bool resetConcordance);

  // Shared state.
  const std::string& ProgramDir() const { return FProgramDir; }
  TDesktop& Desktop() const { return *FDesktop; }
  TStrList& CorpusFiles() { return FCorpusFiles; }
  TStrList& GroupSettings() { return FGroupSettings; }
  TStrList& BatchSearchList() { return FBatchSearchList; }
  TStrList& BatchList() { return FBatchSearchList; }
  TStrList& ColSearchList() { return FColSearchList; }
  TStrList& NGramLookup() { return FNGramLookup; }
  const TStrList& Settings() const { return FSettings; }
  std::string CorpusFolder;
  int64_t CorpusBytes = 0;
  const std::string& PunctEN() const { return FPunctEN; }
  const std::string& PunctZH() const { return FPunctZH; }

  // Widgets.
  QTabWidget* pgMain;
  TSettingsTab* tsSettings;
  TConcordanceTab* tsConc;
  QWidget* tsStat;
  QWidget* tsCol;
  QWidget* tsWordlist;
  QWidget* tsKeyness;
  TAboutTab* tsAbout;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();

  std::string FProgramDir;
  std::unique_ptr<TDesktop> FOwnDesktop;
  TDesktop* FDesktop;
  TBusyIndicator* FBusy;
  std::unique_ptr<TSessionLog> FLog;
  int FHandlerDepth = 0;
  QStringList FPendingErrors;

  TStrList FCorpusFiles;
  TStrList FGroupSettings;
  TStrList FBatchSearchList;
  TStrList FColSearchList;
  TStrList FNGramLookup;
  TStrList FSettings;
  std::string FPunctEN;
  std::string FPunctZH;

  std::vector<QComboBox*> FDataTypeCombos;
  std::vector<QComboBox*> FDisplayModeCombos;

  // Declared so that the translator goes before the lists it points to.
  std::unique_ptr<TLemma> FLemma;
  std::unique_ptr<TPOSCategory> FPOSCategory;
  std::unique_ptr<TCorpus> FCorpus;
  std::unique_ptr<TSmartInput> FSmartInput;
  // After the corpus, so they are destroyed before it; the display last.
  std::unique_ptr<TSeggedSearchOper> FConcSearch;
  std::unique_ptr<TSeggedDisplay> FConcDisplay;
};

}  // namespace korvelin

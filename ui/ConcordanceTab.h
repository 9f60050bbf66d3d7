#pragma once
// The Concordance tab: one query or a batch list searched over the corpus,
// the KWIC page page by page, Power Sort and the quick sort menu, filtering
// in the results, saving, and the paragraph of a hit in the pane below. It
// also builds the Concordance group of the Settings tab, whose settings it
// reads. The search, its display and the hit lists belong to the window,
// since the Statistics and Collocation tabs count over them too.
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/Types.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMouseEvent;
class QPushButton;
class QSplitter;
class QToolButton;

namespace korvelin {

class TBrowserView;
class TSeggedDisplay;
class TfrmMain;

class TConcordanceTab : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPageSize = 100;
  static constexpr int kBatchLimit = 10000;

  explicit TConcordanceTab(TfrmMain& frm);

  // This tab's part of ResetWindow, and of the settings it owns.
  void Reset();
  // The tab was brought to the front.
  void TabShow();

  // Shared with the tabs that show concordances through a display.
  // Replaces levels by the Power Sort rows when rebuild is set or levels is
  // empty, then gives the display the spans, modes, tables, case rules,
  // scope and levels of the settings. No display: nothing.
  void ConfigureDisplay(TSeggedDisplay* display, TSortInfoArr& levels, bool rebuild);
  // Writes the paragraph page of the hit a link names and shows it below,
  // ratio being the paragraph pane's share of the height.
  void OpenParagraph(TSeggedDisplay* display, const QString& target, double ratio);
  void ResetConcordance();
  // 1 "Left" + 2 "Center" + 4 "Right", for the ticked scope items.
  uint8_t FilterScopeFromList() const;
  // The Power Sort locations for the current spans; "--" selected.
  void FillLocationCombos();
  void ResetQuickSort();
  // The levels the Power Sort rows describe.
  TSortInfoArr PowerSortSettings() const;

  // Handlers.
  void btnConcSearchClick();
  void btnConcLoadSearchListClick();
  void cbxConcBatchSearchClick();
  void btnConcFilterClick();
  void btnConcSortClick();
  void mimSortLoopClick();
  void mimSortClick(QAction* item);
  void cbConcPageChange();
  void wbConcLinesBeforeNavigate2(const QString& target);
  void btnConcSaveClick();
  void edtConcSearchChange();
  void edtConcSearchKeyPress();
  void edtConcFilterChange();
  void cbxConcExcludeClick();
  void cbxConcCaseClick();
  void cbConcLeftSpanChange();
  void cbConcRightSpanChange();
  void cbLeftModeChange();
  void cbSortTypeChange(int row);

  // The tab.
  QCheckBox* cbxConcCase;
  QCheckBox* cbxConcSmartInput;
  QCheckBox* cbxConcBatchSearch;
  QLineEdit* edtConcSearch;
  QPushButton* btnConcSearch;
  QWidget* plConcBatchSearch;
  QLineEdit* edtConcBatchInfo;
  QPushButton* btnConcLoadSearchList;
  QPushButton* btnConcSort;
  QToolButton* btnConcSimpleSort;
  QMenu* pmnConcSimpleSort;
  QAction* mimSortLoop;
  QAction* mimSortL3;
  QAction* mimSortL2;
  QAction* mimSortL1;
  QAction* mimSortNode;
  QAction* mimSortR1;
  QAction* mimSortR2;
  QAction* mimSortR3;
  QWidget* plConcFilter;
  QCheckBox* cbxConcFilterCase;
  QCheckBox* cbxConcExclude;
  QCheckBox* cbxConcLoop;
  QLineEdit* edtConcFilter;
  QPushButton* btnConcFilter;
  QWidget* plConc;
  QSplitter* splConc;
  QWidget* plConcLines;
  TBrowserView* wbConcLines;
  QWidget* plConcParas;
  TBrowserView* wbConcParas;
  QWidget* plConcInfo;
  QComboBox* cbConcPage;
  QLabel* lbConcPageInfo;
  QPushButton* btnConcStat;
  QPushButton* btnConcCol;
  QPushButton* btnConcSave;

  // The Concordance group of the Settings tab.
  QComboBox* cbConcLeftSpan;
  QComboBox* cbConcRightSpan;
  QGroupBox* gbPowerSort;
  std::array<QComboBox*, 5> cbLoc;
  std::array<QComboBox*, 5> cbSortType;
  QGroupBox* gbConcDisplay;
  QComboBox* cbLeftMode;
  QComboBox* cbCenterMode;
  QComboBox* cbRightMode;
  QListWidget* cklConcScope;

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void BuildWidgets();
  void BuildSettings();
  void Connect();

  // The quick-menu items after the separator, L3 first.
  std::array<QAction*, 7> QuickSortItems() const;
  // The sort command over the current result list; the count of sorted hits.
  int SortCommand(const TSortInfoArr& levels);
  void UpdateSearchEnabled();
  // plConcInfo and its controls; "Stats." and "Coll." wait for their tabs.
  void EnableInfoPanel(bool enabled);
  void HideParagraph();
  void ShowLines(const std::string& page);
  std::string ProgramFile(std::string_view name) const;
  std::string ToCorpus(const QString& text) const;
  std::string ToUtf8(std::string_view corpusText) const;

  TfrmMain& frm;
  int FQuickSortCount = 0;
  // The page in view shows an included filter result, highlighted with this
  // expression; its other pages are highlighted the same way.
  bool FFilterPage = false;
  std::string FFilterExpression;
  QString FSaveFolder;
};

}  // namespace korvelin

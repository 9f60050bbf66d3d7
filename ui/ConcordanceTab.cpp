#include "ConcordanceTab.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "BrowserView.h"
#include "BusyIndicator.h"
#include "ControlHelpers.h"
#include "Desktop.h"
#include "GroupBar.h"
#include "MainWindow.h"
#include "Paging.h"
#include "SettingsTab.h"
#include "concordance/Display.h"
#include "concordance/DisplaySettings.h"
#include "concordance/SortLevels.h"
#include "corpus/Corpus.h"
#include "corpus/Normalizers.h"
#include "foundation/CodePage.h"
#include "foundation/Helpers.h"
#include "query/Search.h"
#include "query/SmartInput.h"

namespace korvelin {

namespace {

constexpr const char* kConcPage = "conc.htm";
constexpr const char* kParaPage = "para.htm";
constexpr const char* kBlankPage = "sys/blank.htm";
const QString kTextFilter = QStringLiteral("Text File (*.txt)");
const QString kQuickSortBases[] = {QStringLiteral("L3"), QStringLiteral("L2"), QStringLiteral("L1"),
                                   QStringLiteral("Node"), QStringLiteral("R1"), QStringLiteral("R2"),
                                   QStringLiteral("R3")};

template <typename T, typename... Args>
T* Make(const char* name, Args&&... args) {
  T* w = new T(std::forward<Args>(args)...);
  w->setObjectName(QLatin1String(name));
  return w;
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString Hits(int64_t n) { return QString::number(n) + QStringLiteral(" hit(s)"); }

float Seconds(const QElapsedTimer& clock) { return static_cast<float>(clock.nsecsElapsed() / 1e9); }

// The extension as the last "." of the name part starts it ("" without one).
QString Extension(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot);
}

void SetTextColour(QLineEdit* edit, const QColor& colour) {
  QPalette p = edit->palette();
  p.setColor(QPalette::Text, colour);
  edit->setPalette(p);
}

}  // namespace

TConcordanceTab::TConcordanceTab(TfrmMain& frm_) : frm(frm_) {
  setObjectName(QStringLiteral("tsConc"));
  BuildWidgets();
  BuildSettings();
  Connect();
}

void TConcordanceTab::BuildWidgets() {
  cbxConcCase = Make<QCheckBox>("cbxConcCase", QStringLiteral("Case"));
  cbxConcSmartInput = Make<QCheckBox>("cbxConcSmartInput", QStringLiteral("Smart Input"));
  cbxConcSmartInput->setChecked(true);
  cbxConcBatchSearch = Make<QCheckBox>("cbxConcBatchSearch", QStringLiteral("Batch Search"));
  edtConcSearch = Make<QLineEdit>("edtConcSearch");
  edtConcSearch->setMaxLength(80);
  edtConcSearch->setClearButtonEnabled(true);
  btnConcSearch = Make<QPushButton>("btnConcSearch", QStringLiteral("Search"));
  btnConcSearch->setEnabled(false);

  plConcBatchSearch = Make<QWidget>("plConcBatchSearch");
  edtConcBatchInfo = Make<QLineEdit>("edtConcBatchInfo");
  edtConcBatchInfo->setReadOnly(true);
  btnConcLoadSearchList = Make<QPushButton>("btnConcLoadSearchList", QStringLiteral("Load List"));
  auto* batchRow = new QHBoxLayout(plConcBatchSearch);
  batchRow->setContentsMargins(0, 0, 0, 0);
  batchRow->addWidget(edtConcBatchInfo, 1);
  batchRow->addWidget(btnConcLoadSearchList);
  plConcBatchSearch->setVisible(false);

  btnConcSort = Make<QPushButton>("btnConcSort", QStringLiteral("Sort"));
  btnConcSort->setEnabled(false);
  btnConcSimpleSort = Make<QToolButton>("btnConcSimpleSort");
  btnConcSimpleSort->setToolTip(QStringLiteral("Quick sort"));
  btnConcSimpleSort->setPopupMode(QToolButton::InstantPopup);
  btnConcSimpleSort->setArrowType(Qt::DownArrow);
  btnConcSimpleSort->setEnabled(false);
  pmnConcSimpleSort = Make<QMenu>("pmnConcSimpleSort", this);
  auto item = [this](const char* name, const QString& caption) {
    QAction* a = pmnConcSimpleSort->addAction(caption);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(true);
    return a;
  };
  mimSortLoop = item("mimSortLoop", QStringLiteral("Loop"));
  mimSortLoop->setChecked(true);
  pmnConcSimpleSort->addSeparator()->setObjectName(QStringLiteral("mimSortSeparator"));
  mimSortL3 = item("mimSortL3", kQuickSortBases[0]);
  mimSortL2 = item("mimSortL2", kQuickSortBases[1]);
  mimSortL1 = item("mimSortL1", kQuickSortBases[2]);
  mimSortNode = item("mimSortNode", kQuickSortBases[3]);
  mimSortR1 = item("mimSortR1", kQuickSortBases[4]);
  mimSortR2 = item("mimSortR2", kQuickSortBases[5]);
  mimSortR3 = item("mimSortR3", kQuickSortBases[6]);
  btnConcSimpleSort->setMenu(pmnConcSimpleSort);

  plConcFilter = Make<QWidget>("plConcFilter");
  cbxConcFilterCase = Make<QCheckBox>("cbxConcFilterCase", QStringLiteral("Case"));
  cbxConcExclude = Make<QCheckBox>("cbxConcExclude", QStringLiteral("Exclude"));
  cbxConcLoop = Make<QCheckBox>("cbxConcLoop", QStringLiteral("Loop"));
  cbxConcLoop->setEnabled(false);
  edtConcFilter = Make<QLineEdit>("edtConcFilter");
  edtConcFilter->setMaxLength(80);
  edtConcFilter->setClearButtonEnabled(true);
  edtConcFilter->setPlaceholderText(QStringLiteral("Filter the results"));
  SetTextColour(edtConcFilter, Qt::blue);
  btnConcFilter = Make<QPushButton>("btnConcFilter", QStringLiteral("Filter"));
  btnConcFilter->setEnabled(false);
  auto* filterRow = new QHBoxLayout(plConcFilter);
  filterRow->setContentsMargins(0, 0, 0, 0);
  filterRow->addWidget(edtConcFilter, 1);
  filterRow->addWidget(cbxConcFilterCase);
  filterRow->addWidget(cbxConcExclude);
  filterRow->addWidget(cbxConcLoop);
  filterRow->addWidget(btnConcFilter);
  plConcFilter->setVisible(false);

  btnConcSave = Make<QPushButton>("btnConcSave", QStringLiteral("Save"));
  btnConcSave->setEnabled(false);

  // The lines above, the paragraph of a hit below.
  plConc = Make<QWidget>("plConc");
  splConc = Make<QSplitter>("splConc", Qt::Vertical);
  splConc->setChildrenCollapsible(true);
  plConcLines = Make<QWidget>("plConcLines");
  wbConcLines = Make<TBrowserView>("wbConcLines");
  auto* linesBox = new QVBoxLayout(plConcLines);
  linesBox->setContentsMargins(0, 0, 0, 0);
  linesBox->addWidget(wbConcLines);
  plConcParas = Make<QWidget>("plConcParas");
  wbConcParas = Make<TBrowserView>("wbConcParas");
  auto* parasBox = new QVBoxLayout(plConcParas);
  parasBox->setContentsMargins(0, 0, 0, 0);
  parasBox->addWidget(wbConcParas);
  plConcParas->setVisible(false);
  splConc->addWidget(plConcLines);
  splConc->addWidget(plConcParas);
  splConc->setStretchFactor(0, 1);
  auto* concBox = new QVBoxLayout(plConc);
  concBox->setContentsMargins(0, 0, 0, 0);
  concBox->addWidget(splConc);

  plConcInfo = Make<QWidget>("plConcInfo");
  cbConcPage = Make<QComboBox>("cbConcPage");
  cbConcPage->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  cbConcPage->setMinimumContentsLength(9);
  lbConcPageInfo = Make<QLabel>("lbConcPageInfo");
  btnConcStat = Make<QPushButton>("btnConcStat", QStringLiteral("Stats."));
  btnConcCol = Make<QPushButton>("btnConcCol", QStringLiteral("Coll."));
  auto* infoRow = new QHBoxLayout(plConcInfo);
  infoRow->setContentsMargins(0, 0, 0, 0);
  infoRow->addWidget(new QLabel(QStringLiteral("Page:")));
  infoRow->addWidget(cbConcPage);
  infoRow->addWidget(lbConcPageInfo, 1);
  infoRow->addWidget(btnConcStat);
  infoRow->addWidget(btnConcCol);
  EnableInfoPanel(false);

  // Row 1: the query and the commands on the whole concordance; row 2: the
  // filter, shown once there are results.
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(cbxConcCase);
  searchRow->addWidget(cbxConcSmartInput);
  searchRow->addWidget(cbxConcBatchSearch);
  searchRow->addWidget(edtConcSearch, 1);
  searchRow->addWidget(plConcBatchSearch, 1);
  searchRow->addWidget(btnConcSearch);
  searchRow->addSpacing(12);
  searchRow->addWidget(btnConcSort);
  searchRow->addWidget(btnConcSimpleSort);
  searchRow->addWidget(btnConcSave);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(searchRow);
  layout->addWidget(plConcFilter);
  layout->addWidget(plConc, 1);
  layout->addWidget(plConcInfo);

  // The order a keyboard user goes: query, search, sort, save, then the
  // filter, the page and the pages themselves.
  setTabOrder(cbxConcCase, cbxConcSmartInput);
  setTabOrder(cbxConcSmartInput, cbxConcBatchSearch);
  setTabOrder(cbxConcBatchSearch, edtConcSearch);
  setTabOrder(edtConcSearch, edtConcBatchInfo);
  setTabOrder(edtConcBatchInfo, btnConcLoadSearchList);
  setTabOrder(btnConcLoadSearchList, btnConcSearch);
  setTabOrder(btnConcSearch, btnConcSort);
  setTabOrder(btnConcSort, btnConcSimpleSort);
  setTabOrder(btnConcSimpleSort, btnConcSave);
  setTabOrder(btnConcSave, edtConcFilter);
  setTabOrder(edtConcFilter, cbxConcFilterCase);
  setTabOrder(cbxConcFilterCase, cbxConcExclude);
  setTabOrder(cbxConcExclude, cbxConcLoop);
  setTabOrder(cbxConcLoop, btnConcFilter);
  setTabOrder(btnConcFilter, wbConcLines);
  setTabOrder(wbConcLines, wbConcParas);
  setTabOrder(wbConcParas, cbConcPage);
  setTabOrder(cbConcPage, btnConcStat);
  setTabOrder(btnConcStat, btnConcCol);
  setFocusProxy(edtConcSearch);

  // A link clicked while a command runs is dropped.
  auto busy = [this] { return frm.Busy().Busy(); };
  wbConcLines->SetIgnoreCommands(busy);
  wbConcParas->SetIgnoreCommands(busy);
}

void TConcordanceTab::BuildSettings() {
  QWidget* group = frm.tsSettings->gpConc->Content();

  cbConcLeftSpan = Make<QComboBox>("cbConcLeftSpan");
  cbConcRightSpan = Make<QComboBox>("cbConcRightSpan");
  auto* spans = new QHBoxLayout;
  spans->addWidget(new QLabel(QStringLiteral("Left Span:")));
  spans->addWidget(cbConcLeftSpan);
  spans->addSpacing(8);
  spans->addWidget(new QLabel(QStringLiteral("Right Span:")));
  spans->addWidget(cbConcRightSpan);
  spans->addStretch(1);

  // The combos are direct children of their boxes, so ClearCombos on a box
  // empties them.
  gbPowerSort = Make<QGroupBox>("gbPowerSort", QStringLiteral(" Power Sort  "));
  auto* sortGrid = new QGridLayout(gbPowerSort);
  for (int i = 0; i < 5; ++i) {
    const QByteArray loc = "cbLoc" + QByteArray::number(i + 1);
    const QByteArray type = "cbSortType" + QByteArray::number(i + 1);
    cbLoc[static_cast<size_t>(i)] = Make<QComboBox>(loc.constData());
    cbSortType[static_cast<size_t>(i)] = Make<QComboBox>(type.constData());
    sortGrid->addWidget(new QLabel(QString::number(i + 1) + QLatin1Char('.')), i, 0);
    sortGrid->addWidget(cbLoc[static_cast<size_t>(i)], i, 1);
    sortGrid->addWidget(cbSortType[static_cast<size_t>(i)], i, 2);
    frm.AddDataTypeCombo(cbSortType[static_cast<size_t>(i)]);
  }
  sortGrid->setColumnStretch(1, 1);
  sortGrid->setColumnStretch(2, 1);

  gbConcDisplay = Make<QGroupBox>("gbConcDisplay", QStringLiteral(" Display "));
  cbLeftMode = Make<QComboBox>("cbLeftMode");
  cbCenterMode = Make<QComboBox>("cbCenterMode");
  cbRightMode = Make<QComboBox>("cbRightMode");
  auto* modeGrid = new QGridLayout(gbConcDisplay);
  const std::pair<const char*, QComboBox*> modes[] = {
      {"Left:", cbLeftMode}, {"Center:", cbCenterMode}, {"Right:", cbRightMode}};
  for (int i = 0; i < 3; ++i) {
    modeGrid->addWidget(new QLabel(QLatin1String(modes[i].first)), 0, i);
    modeGrid->addWidget(modes[i].second, 1, i);
    frm.AddDisplayModeCombo(modes[i].second);
  }

  cklConcScope = Make<QListWidget>("cklConcScope");
  for (const char* side : {"Left", "Center", "Right"}) {
    auto* it = new QListWidgetItem(QLatin1String(side), cklConcScope);
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    it->setCheckState(Qt::Unchecked);
  }
  cklConcScope->setFlow(QListView::LeftToRight);
  cklConcScope->setSpacing(2);
  cklConcScope->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  cklConcScope->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  cklConcScope->setFixedHeight(cklConcScope->sizeHintForRow(0) + 2 * cklConcScope->frameWidth() + 8);
  auto* scope = new QHBoxLayout;
  scope->addWidget(new QLabel(QStringLiteral("Filter Scope:")));
  scope->addWidget(cklConcScope, 1);

  auto* box = new QVBoxLayout(group);
  box->addLayout(spans);
  box->addWidget(gbPowerSort);
  box->addWidget(gbConcDisplay);
  box->addLayout(scope);
}

void TConcordanceTab::Connect() {
  auto on = [this](auto* sender, auto signal, auto handler) {
    connect(sender, signal, this, [this, handler] { frm.Guarded([this, handler] { (this->*handler)(); }); });
  };
  on(btnConcSearch, &QPushButton::clicked, &TConcordanceTab::btnConcSearchClick);
  on(edtConcSearch, &QLineEdit::returnPressed, &TConcordanceTab::edtConcSearchKeyPress);
  on(edtConcSearch, &QLineEdit::textChanged, &TConcordanceTab::edtConcSearchChange);
  // Typing (not a change from code) takes back the pre-check's red caption.
  connect(edtConcSearch, &QLineEdit::textEdited, this, [this] { frm.tsSettings->SetPOSCategoryAlert(false); });
  on(btnConcLoadSearchList, &QPushButton::clicked, &TConcordanceTab::btnConcLoadSearchListClick);
  // toggled: a state changed from code runs the handler as a click does.
  on(cbxConcBatchSearch, &QCheckBox::toggled, &TConcordanceTab::cbxConcBatchSearchClick);
  on(cbxConcCase, &QCheckBox::toggled, &TConcordanceTab::cbxConcCaseClick);
  on(cbxConcExclude, &QCheckBox::toggled, &TConcordanceTab::cbxConcExcludeClick);
  on(btnConcFilter, &QPushButton::clicked, &TConcordanceTab::btnConcFilterClick);
  on(edtConcFilter, &QLineEdit::returnPressed, &TConcordanceTab::btnConcFilterClick);
  on(edtConcFilter, &QLineEdit::textChanged, &TConcordanceTab::edtConcFilterChange);
  on(btnConcSort, &QPushButton::clicked, &TConcordanceTab::btnConcSortClick);
  on(mimSortLoop, &QAction::triggered, &TConcordanceTab::mimSortLoopClick);
  for (QAction* a : QuickSortItems())
    connect(a, &QAction::triggered, this, [this, a] { frm.Guarded([this, a] { mimSortClick(a); }); });
  // activated: the user's choices only; a selection made from code runs nothing.
  on(cbConcPage, &QComboBox::activated, &TConcordanceTab::cbConcPageChange);
  connect(wbConcLines, &TBrowserView::BeforeNavigate, this,
          [this](const QString& target) { frm.Guarded([this, target] { wbConcLinesBeforeNavigate2(target); }); });
  on(btnConcSave, &QPushButton::clicked, &TConcordanceTab::btnConcSaveClick);
  on(cbConcLeftSpan, &QComboBox::activated, &TConcordanceTab::cbConcLeftSpanChange);
  on(cbConcRightSpan, &QComboBox::activated, &TConcordanceTab::cbConcRightSpanChange);
  on(cbLeftMode, &QComboBox::activated, &TConcordanceTab::cbLeftModeChange);
  for (int i = 0; i < 5; ++i)
    connect(cbSortType[static_cast<size_t>(i)], &QComboBox::activated, this,
            [this, i] { frm.Guarded([this, i] { cbSortTypeChange(i); }); });
}

// ------------------------------------------------------------------ state

void TConcordanceTab::Reset() {
  cbxConcBatchSearch->setChecked(false);
  plConcBatchSearch->setVisible(false);
  edtConcSearch->setVisible(true);
  edtConcSearch->clear();
  edtConcBatchInfo->clear();
  cbxConcSmartInput->setChecked(true);
  ResetConcordance();
  ResetQuickSort();
  plConcLines->setEnabled(false);
  UpdateSearchEnabled();

  FillNumberCombo(cbConcLeftSpan, 0, 10, 5);
  FillNumberCombo(cbConcRightSpan, 0, 10, 5);
  ClearCombos(gbPowerSort);
  ClearCombos(gbConcDisplay);
  for (int i = 0; i < cklConcScope->count(); ++i) cklConcScope->item(i)->setCheckState(Qt::Unchecked);
}

void TConcordanceTab::TabShow() {
  // Ticked for every new corpus (Reset ticks it); the user's choice stands
  // while the corpus stays.
  const bool translator = frm.SmartInput() != nullptr;
  cbxConcSmartInput->setEnabled(translator);
  if (!translator) cbxConcSmartInput->setChecked(false);
  if (!isAncestorOf(frm.focusWidget())) {
    if (edtConcSearch->isVisibleTo(this))
      edtConcSearch->setFocus();
    else
      btnConcLoadSearchList->setFocus();
  }
}

void TConcordanceTab::ResetConcordance() {
  frm.FreeConcordance();
  btnConcSave->setEnabled(false);
  btnConcSort->setEnabled(false);
  btnConcSimpleSort->setEnabled(false);
  cbxConcLoop->setEnabled(false);
  cbxConcLoop->setChecked(false);
  lbConcPageInfo->clear();
  cbConcPage->clear();
  EnableInfoPanel(false);
  HideParagraph();
  plConcFilter->setVisible(false);
  edtConcFilter->clear();
  btnConcFilter->setEnabled(false);
  FFilterPage = false;
  FFilterExpression.clear();
  ShowLines(ProgramFile(kBlankPage));
}

void TConcordanceTab::EnableInfoPanel(bool enabled) {
  SetPanelEnabled(plConcInfo, enabled);
  btnConcStat->setEnabled(false);
  btnConcCol->setEnabled(false);
}

void TConcordanceTab::HideParagraph() { plConcParas->setVisible(false); }

void TConcordanceTab::UpdateSearchEnabled() {
  const bool batch = cbxConcBatchSearch->isChecked();
  btnConcSearch->setEnabled(batch ? !frm.BatchList().Empty() : !edtConcSearch->text().trimmed().isEmpty());
}

std::string TConcordanceTab::ProgramFile(std::string_view name) const { return frm.ProgramDir() + std::string(name); }

void TConcordanceTab::ShowLines(const std::string& page) {
  wbConcLines->SetCodePage(frm.CodePage());
  wbConcLines->Navigate(page);
}

std::string TConcordanceTab::ToCorpus(const QString& text) const {
  return Utf16ToCodePage(text.toStdU16String(), frm.CodePage());
}

std::string TConcordanceTab::ToUtf8(std::string_view corpusText) const {
  return CodePageToUtf8(corpusText, frm.CodePage());
}

// --------------------------------------------------------------- settings

uint8_t TConcordanceTab::FilterScopeFromList() const {
  uint8_t scope = 0;
  const uint8_t bits[] = {scLeft, scNode, scRight};
  for (int i = 0; i < cklConcScope->count() && i < 3; ++i)
    if (cklConcScope->item(i)->checkState() == Qt::Checked) scope |= bits[i];
  return scope;
}

void TConcordanceTab::FillLocationCombos() {
  const int left = std::max(cbConcLeftSpan->currentIndex(), 0);
  const int right = std::max(cbConcRightSpan->currentIndex(), 0);
  QStringList items{QStringLiteral("--")};
  for (int i = left; i >= 1; --i) items << QStringLiteral("L%1").arg(i);
  items << QStringLiteral("Node");
  for (int i = 1; i <= right; ++i) items << QStringLiteral("R%1").arg(i);
  for (QComboBox* combo : cbLoc) {
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(0);
  }
}

TSortInfoArr TConcordanceTab::PowerSortSettings() const {
  std::vector<TSortSettingRow> rows;
  for (size_t i = 0; i < cbLoc.size(); ++i)
    rows.push_back({cbLoc[i]->currentText().toStdString(), cbSortType[i]->currentText().toStdString()});
  return SortLevelsFromSettings(rows);
}

void TConcordanceTab::ConfigureDisplay(TSeggedDisplay* display, TSortInfoArr& levels, bool rebuild) {
  if (display == nullptr) return;
  if (rebuild || levels.empty()) levels = PowerSortSettings();
  TDisplaySettings s;
  std::tie(s.LeftSpan, s.RightSpan) = ReadSpans(cbConcLeftSpan, cbConcRightSpan);
  s.LeftMode = DisplayModeOf(cbLeftMode->currentText().toStdString());
  s.CenterMode = DisplayModeOf(cbCenterMode->currentText().toStdString());
  s.RightMode = DisplayModeOf(cbRightMode->currentText().toStdString());
  s.Scope = frm.FilterScope;
  s.CaseSensitive = cbxConcFilterCase->isChecked();
  s.SortCaseSensitive = cbxConcCase->isChecked();
  s.SortLevels = levels;
  s.Lemma = frm.Lemma();
  s.POSCategory = frm.POSCategory();
  ApplyDisplaySettings(*display, s, &frm.Busy());
}

void TConcordanceTab::cbConcLeftSpanChange() { FillLocationCombos(); }

void TConcordanceTab::cbConcRightSpanChange() { FillLocationCombos(); }

void TConcordanceTab::cbLeftModeChange() {
  const int i = cbLeftMode->currentIndex();
  if (i < cbCenterMode->count()) cbCenterMode->setCurrentIndex(i);
  if (i < cbRightMode->count()) cbRightMode->setCurrentIndex(i);
}

void TConcordanceTab::cbSortTypeChange(int row) {
  const int i = cbSortType[static_cast<size_t>(row)]->currentIndex();
  for (size_t k = static_cast<size_t>(row) + 1; k < cbSortType.size(); ++k)
    if (i < cbSortType[k]->count()) cbSortType[k]->setCurrentIndex(i);
}

// ----------------------------------------------------------------- search

void TConcordanceTab::edtConcSearchChange() {
  UpdateSearchEnabled();
  if (cbxConcBatchSearch->isChecked() || btnConcSearch->isEnabledTo(&frm)) return;
  btnConcSort->setEnabled(false);
  btnConcSimpleSort->setEnabled(false);
  EnableInfoPanel(false);
  plConcFilter->setVisible(false);
  btnConcSave->setEnabled(false);
}

void TConcordanceTab::edtConcSearchKeyPress() {
  if (btnConcSearch->isEnabledTo(&frm)) btnConcSearchClick();
}

void TConcordanceTab::cbxConcCaseClick() { cbxConcFilterCase->setChecked(cbxConcCase->isChecked()); }

void TConcordanceTab::btnConcSearchClick() {
  TCorpus* corpus = frm.Corpus();
  if (corpus == nullptr) return;
  QElapsedTimer clock;
  clock.start();
  ResetQuickSort();
  // Frees the display before the lines it points into can be rewritten.
  frm.ResetResultTabs(true);

  const bool batch = cbxConcBatchSearch->isChecked();
  const bool smart = cbxConcSmartInput->isChecked();
  const QString typed = edtConcSearch->text().trimmed();
  if (smart) {
    // A batch list needs its tables as much as a typed query.
    const QString query = batch ? QString::fromStdString(ToUtf8(frm.BatchList().Text())) : typed;
    if (!frm.CheckQueryTables(query)) return;
  }
  TSmartInput* translator = smart ? frm.SmartInput() : nullptr;
  std::string query = ToCorpus(typed);
  int32_t n = 0;
  {
    TBusyScope busy(frm.Busy());
    PrepareCorpusLines(*corpus, &frm.Busy());
    frm.SetConcSearch(std::make_unique<TSeggedSearchOper>(corpus));
    TSeggedSearchOper& search = *frm.ConcSearch();
    search.SetCaseSensitive(cbxConcCase->isChecked());
    search.SetSmartInput(translator);
    if (batch) {
      search.BatchSearch(BatchListForCorpus(*corpus, frm.BatchList()), &frm.Busy());
    } else {
      query = QueryForCorpus(*corpus, query);
      search.Search(query, &frm.Busy());
    }
    n = search.HitCount();
    if (n > 0) {
      frm.SetConcDisplay(std::make_unique<TSeggedDisplay>(&search));
      TSeggedDisplay& display = *frm.ConcDisplay();
      ConfigureDisplay(&display, frm.PowerSortLevels, true);
      FillRange(frm.AllHits, n, 0);
      frm.ResultHits.clear();
      display.WritePage(ProgramFile(kConcPage), frm.AllHits, false, kPageSize, 1, &frm.Busy());
      ShowLines(ProgramFile(kConcPage));
      btnConcSort->setEnabled(true);
      btnConcSimpleSort->setEnabled(true);
      btnConcSave->setEnabled(true);
      plConcFilter->setVisible(true);
      EnableInfoPanel(true);
      cbConcPage->setEnabled(FillPageCombo(cbConcPage, n, kPageSize));
      plConcLines->setEnabled(true);
    } else {
      ShowLines(ProgramFile(kBlankPage));
    }
    lbConcPageInfo->setText(Hits(n) + QLatin1Char('.'));
  }

  TLog& entry = frm.LogEntry;
  if (batch) {
    entry.Header = "#Batch Search:";
    entry.Detail = std::to_string(frm.ConcSearch()->ExprCount()) + " item(s) in " +
                   edtConcBatchInfo->text().toUtf8().toStdString();
  } else {
    entry.Header = "#Search:";
    entry.Detail = ToUtf8(query);
    if (translator) entry.Detail += "=" + ToUtf8(translator->Translate(query));
  }
  entry.Options = cbxConcCase->isChecked() ? "Case" : "";
  entry.Result = Hits(n).toStdString();
  entry.Seconds = Seconds(clock);
  frm.WriteLogEntry();
}

void TConcordanceTab::btnConcLoadSearchListClick() {
  const std::optional<QString> chosen =
      frm.Desktop().OpenFileName(&frm, QFile::decodeName(frm.ProgramDir().c_str()), kTextFilter);
  const QString file = chosen ? chosen->trimmed() : QString();
  if (file.isEmpty()) return;
  ResetConcordance();
  TStrList& list = frm.BatchList();
  list.Clear();
  edtConcBatchInfo->clear();
  UpdateSearchEnabled();
  list.LoadFromFile(LocalPath(file));
  QString refusal;
  if (list.Count() > 0 && !list.TextIsBlank()) {
    if (list.Count() <= kBatchLimit)
      edtConcBatchInfo->setText(QFileInfo(file).fileName());
    else
      refusal = QStringLiteral("批量查询最多支持") + QString::number(kBatchLimit) + QStringLiteral("条记录!");
  } else {
    refusal = file + QStringLiteral("是空的!");
  }
  if (!refusal.isEmpty()) list.Clear();
  UpdateSearchEnabled();
  if (!refusal.isEmpty()) frm.ShowMsg(refusal);
}

void TConcordanceTab::cbxConcBatchSearchClick() {
  const bool batch = cbxConcBatchSearch->isChecked();
  plConcBatchSearch->setVisible(batch);
  edtConcSearch->setVisible(!batch);
  ResetConcordance();
  frm.ResetResultTabs(false);
  if (batch) {
    edtConcSearch->clear();
  } else {
    frm.BatchList().Clear();
    edtConcBatchInfo->clear();
  }
  UpdateSearchEnabled();
}

// ----------------------------------------------------------------- filter

void TConcordanceTab::edtConcFilterChange() { btnConcFilter->setEnabled(!edtConcFilter->text().trimmed().isEmpty()); }

void TConcordanceTab::cbxConcExcludeClick() {
  SetTextColour(edtConcFilter, cbxConcExclude->isChecked() ? Qt::red : Qt::blue);
}

void TConcordanceTab::btnConcFilterClick() {
  if (!btnConcFilter->isEnabledTo(&frm)) return;
  QElapsedTimer clock;
  clock.start();
  HideParagraph();
  frm.ResetResultTabs(false);
  // Every refusal ends here; the results and their page stay as they were.
  auto empty = [this] { frm.ShowMsg(QStringLiteral("The result is empty!")); };

  TCorpus* corpus = frm.Corpus();
  const QString typed = edtConcFilter->text().trimmed();
  if (corpus == nullptr || typed.isEmpty()) return empty();
  const std::string text = QueryForCorpus(*corpus, ToCorpus(typed));
  const bool smart = cbxConcSmartInput->isChecked();
  if (smart && !frm.CheckQueryTables(typed)) return empty();
  frm.FilterScope = FilterScopeFromList();
  if (frm.FilterScope == 0) {
    frm.ShowMsg(QStringLiteral("Please set filter scope!"));
    frm.pgMain->setCurrentWidget(frm.tsSettings);
    frm.tsSettings->gpConc->SetOpened(true);
    cklConcScope->setFocus();
    return empty();
  }
  TSeggedDisplay* display = frm.ConcDisplay();
  if (display == nullptr) return empty();
  const bool loop = cbxConcLoop->isChecked();
  const bool exclude = cbxConcExclude->isChecked();
  if (loop && frm.ResultHits.empty()) return empty();

  TSmartInput* translator = smart ? frm.SmartInput() : nullptr;
  const TSortInfoArr displayLevels = display->SortInfo();
  std::string expression;
  TIntArr kept;
  size_t population = 0;
  {
    TBusyScope busy(frm.Busy());
    ConfigureDisplay(display, frm.PowerSortLevels, true);
    display->SetCaseSensitive(cbxConcFilterCase->isChecked());
    display->SetScope(frm.FilterScope);
    expression = translator ? translator->Translate(text) : text;
    // A new filter starts from all hits; Loop narrows the current result.
    const TIntArr& from = loop ? frm.ResultHits : frm.AllHits;
    population = from.size();
    kept = display->Filter(expression, from, !exclude, &frm.Busy());
    if (!frm.PowerSortLevels.empty() && !kept.empty()) kept = display->Sort(kept, &frm.Busy());
    if (!kept.empty()) {
      frm.ResultHits = kept;
      if (exclude)
        display->WritePage(ProgramFile(kConcPage), frm.ResultHits, !frm.PowerSortLevels.empty(), kPageSize, 1,
                           &frm.Busy());
      else
        display->WriteHighlightedPage(ProgramFile(kConcPage), expression, 0, 0, kPageSize, 1, frm.ResultHits,
                                      &frm.Busy());
      FFilterPage = !exclude;
      FFilterExpression = expression;
      ShowLines(ProgramFile(kConcPage));
      EnableInfoPanel(true);
      cbConcPage->clear();
      cbConcPage->setEnabled(FillPageCombo(cbConcPage, static_cast<int64_t>(kept.size()), kPageSize));
      cbxConcLoop->setEnabled(true);
      lbConcPageInfo->setText(QString::number(kept.size()) + QStringLiteral(" hit(s) in ") +
                              QString::number(population) + QStringLiteral(" result(s)."));
      btnConcSave->setEnabled(true);
    } else {
      // The page in view still shows the previous result, sorted as it was.
      display->SetSortInfo(displayLevels);
    }
  }
  if (kept.empty()) return empty();

  TLog& entry = frm.LogEntry;
  entry.Header = "#Search in Result:";
  entry.Result = std::to_string(kept.size()) + "/" + std::to_string(population);
  std::string options = std::string(cbxConcFilterCase->isChecked() ? "Case" : "") + (exclude ? "/Exclude" : "") +
                        (loop ? "/Loop" : "");
  if (!options.empty() && options[0] == '/') options.erase(0, 1);
  entry.Options = options;
  entry.Detail = ToUtf8(text);
  if (translator) entry.Detail += "=" + ToUtf8(expression);
  entry.Seconds = Seconds(clock);
  frm.WriteLogEntry();
}

// ------------------------------------------------------------------- sort

std::array<QAction*, 7> TConcordanceTab::QuickSortItems() const {
  return {mimSortL3, mimSortL2, mimSortL1, mimSortNode, mimSortR1, mimSortR2, mimSortR3};
}

void TConcordanceTab::ResetQuickSort() {
  mimSortLoop->setText(QStringLiteral("Loop"));
  const auto items = QuickSortItems();
  for (size_t i = 0; i < items.size(); ++i) {
    items[i]->setText(kQuickSortBases[i]);
    items[i]->setChecked(false);
  }
  FQuickSortCount = 0;
  frm.QuickSortLevels.clear();
}

void TConcordanceTab::mimSortLoopClick() {
  // Qt has toggled the tick already.
  FQuickSortCount = 0;
  frm.QuickSortLevels.clear();
  for (QAction* a : QuickSortItems()) {
    a->setChecked(false);
    const QString caption = a->text();
    a->setText(caption.left(caption.indexOf(QLatin1Char('('))).trimmed());
  }
}

void TConcordanceTab::mimSortClick(QAction* item) {
  // Qt toggles a checkable item; choosing a ticked one does nothing.
  if (!item->isChecked()) {
    item->setChecked(true);
    return;
  }
  if (!mimSortLoop->isChecked()) {
    ResetQuickSort();
    item->setChecked(true);
  }
  const auto items = QuickSortItems();
  const size_t index = static_cast<size_t>(std::find(items.begin(), items.end(), item) - items.begin());
  item->setText(QString::fromStdString(QuickSortCaption(kQuickSortBases[index].toStdString(), FQuickSortCount + 1)));
  ++FQuickSortCount;

  std::vector<TQuickSortItem> ticked;
  for (size_t i = 0; i < items.size(); ++i) {
    if (!items[i]->isChecked()) continue;
    const QComboBox* side = i < 3 ? cbLeftMode : i == 3 ? cbCenterMode : cbRightMode;
    ticked.push_back({items[i]->text().toStdString(), side->currentText().toStdString()});
  }
  frm.QuickSortLevels = SortLevelsFromMenu(ticked);
  if (TSeggedDisplay* display = frm.ConcDisplay()) {
    ConfigureDisplay(display, frm.QuickSortLevels, false);
    SortCommand(frm.QuickSortLevels);
  }
}

void TConcordanceTab::btnConcSortClick() {
  ResetQuickSort();
  frm.PowerSortLevels.clear();
  ConfigureDisplay(frm.ConcDisplay(), frm.PowerSortLevels, true);
  SortCommand(frm.PowerSortLevels);
}

int TConcordanceTab::SortCommand(const TSortInfoArr& levels) {
  QElapsedTimer clock;
  clock.start();
  HideParagraph();
  edtConcFilter->clear();
  btnConcFilter->setEnabled(false);

  TSeggedDisplay* display = frm.ConcDisplay();
  const bool refused = levels.empty() || display == nullptr;
  int count = 0;
  if (!refused) {
    TBusyScope busy(frm.Busy());
    // The current result list; empty means all hits in hit order.
    TIntArr sorted = display->Sort(frm.ResultHits, &frm.Busy());
    count = static_cast<int>(sorted.size());
    if (count > 0) {
      frm.ResultHits = std::move(sorted);
      display->WritePage(ProgramFile(kConcPage), frm.ResultHits, true, kPageSize, 1, &frm.Busy());
      FFilterPage = false;
      FFilterExpression.clear();
      ShowLines(ProgramFile(kConcPage));
      cbConcPage->clear();
      cbConcPage->setEnabled(FillPageCombo(cbConcPage, count, kPageSize));
      lbConcPageInfo->setText(Hits(count) + QLatin1Char('.'));
    }
  }
  if (refused) {
    frm.ShowMsg(QStringLiteral("Please set sort mode!"));
    frm.pgMain->setCurrentWidget(frm.tsSettings);
    frm.tsSettings->gpConc->SetOpened(true);
    cbLoc[0]->setFocus();
  } else if (count == 0) {
    // An empty list would read as "all hits": the previous result stays.
    frm.ShowMsg(QStringLiteral("The result is empty!"));
  }
  TLog& entry = frm.LogEntry;
  entry.Header = "#Sort:\t";
  entry.Result = Hits(count).toStdString();
  entry.Seconds = Seconds(clock);
  frm.WriteLogEntry();
  return count;
}

// ---------------------------------------------------- pages and paragraph

void TConcordanceTab::cbConcPageChange() {
  HideParagraph();
  TSeggedDisplay* display = frm.ConcDisplay();
  if (frm.AllHits.empty() || display == nullptr) {
    ShowLines(ProgramFile(kBlankPage));
    return;
  }
  const TPageRange range = ParsePageRange(cbConcPage->currentText().toStdString());
  const TIntArr& list = frm.ResultHits.empty() ? frm.AllHits : frm.ResultHits;
  {
    TBusyScope busy(frm.Busy());
    if (FFilterPage) {
      display->WriteHighlightedPage(ProgramFile(kConcPage), FFilterExpression, 0, 0, range.To, range.From,
                                    frm.ResultHits, &frm.Busy());
    } else {
      // Marked as sorted when the list in view came from a sort.
      const bool sorted = !frm.ResultHits.empty() && !display->SortInfo().empty();
      display->WritePage(ProgramFile(kConcPage), list, sorted, range.To, range.From, &frm.Busy());
    }
    ShowLines(ProgramFile(kConcPage));
  }
  wbConcLines->setFocus();
}

void TConcordanceTab::wbConcLinesBeforeNavigate2(const QString& target) {
  // A link that reached the queue while a command ran is dropped.
  if (frm.Busy().Busy()) return;
  OpenParagraph(frm.ConcDisplay(), target, 0.382);
}

void TConcordanceTab::OpenParagraph(TSeggedDisplay* display, const QString& target, double ratio) {
  if (display == nullptr) return;
  const QString last = target.section(QLatin1Char('/'), -1);
  const int64_t hit = StrToInt(last.toStdString());
  CheckRange(display->ClassName(), hit, 0, display->HitCount() - 1);
  display->WriteParagraph(ProgramFile(kParaPage), static_cast<int32_t>(hit));
  plConcParas->setVisible(true);
  const int total = plConc->height();
  const int lines = static_cast<int>(std::lround((1.0 - ratio) * total)) - 5;
  const int paras = static_cast<int>(std::lround(ratio * total));
  splConc->setSizes({std::max(lines, 0), paras});
  wbConcParas->SetCodePage(frm.CodePage());
  wbConcParas->Navigate(ProgramFile(kParaPage));
}

void TConcordanceTab::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && plConcParas->isVisible()) {
    const int total = splConc->height();
    splConc->setSizes({total, 0});
  }
  QWidget::mousePressEvent(event);
}

// ------------------------------------------------------------------- save

void TConcordanceTab::btnConcSaveClick() {
  TSeggedDisplay* display = frm.ConcDisplay();
  if (display == nullptr) return;
  const QString start = FSaveFolder.isEmpty() ? QDir::homePath() : FSaveFolder;
  const std::optional<QString> chosen = frm.Desktop().SaveFileName(&frm, start, kTextFilter);
  const QString name = chosen ? chosen->trimmed() : QString();
  if (name.isEmpty()) return;
  QString target = name;
  if (Extension(name) != QLatin1String(".txt")) target += QStringLiteral(".txt");
  // The dialog asked about the name chosen, not about the one written.
  if (target != name && QFileInfo::exists(target) &&
      !frm.Desktop().Confirm(&frm, kAppTitle,
                             QFileInfo(target).fileName() + QStringLiteral(" already exists.\nDo you want to replace it?")))
    return;
  {
    TBusyScope busy(frm.Busy());
    display->SaveToText(LocalPath(target), frm.ResultHits, &frm.Busy());
  }
  FSaveFolder = QFileInfo(target).absolutePath();
  frm.Desktop().RevealInExplorer(target);
}

}  // namespace korvelin

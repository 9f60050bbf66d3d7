#include "MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <filesystem>

#include "AboutTab.h"
#include "BusyIndicator.h"
#include "ConcordanceTab.h"
#include "DataTypes.h"
#include "Desktop.h"
#include "SessionLog.h"
#include "SettingsTab.h"
#include "WorkingFiles.h"
#include "concordance/Display.h"
#include "corpus/Corpus.h"
#include "lemma/Lemma.h"
#include "query/Search.h"
#include "query/SmartInput.h"

namespace korvelin {

namespace {

void FillCombo(QComboBox* combo, const std::vector<std::string>& items) {
  combo->clear();
  for (const auto& item : items) combo->addItem(QString::fromStdString(item));
  combo->setCurrentIndex(0);
}

}  // namespace

TfrmMain::TfrmMain(const std::string& programFolder, TDesktop* desktop, QWidget* parent)
    : QMainWindow(parent),
      FProgramDir(programFolder),
      FOwnDesktop(desktop ? nullptr : std::make_unique<TQtDesktop>()),
      FDesktop(desktop ? desktop : FOwnDesktop.get()),
      FBusy(new TBusyIndicator(this)) {
  if (!FProgramDir.empty() && FProgramDir.back() != '/') FProgramDir += '/';
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(kAppTitle);

  pgMain = new QTabWidget(this);
  pgMain->setObjectName(QStringLiteral("pgMain"));
  tsSettings = new TSettingsTab(*this);
  auto sheet = [this](const char* name, const QString& caption) {
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    pgMain->addTab(page, caption);
    return page;
  };
  pgMain->addTab(tsSettings, QStringLiteral("Settings"));
  tsConc = new TConcordanceTab(*this);
  pgMain->addTab(tsConc, QStringLiteral("Concordance"));
  tsStat = sheet("tsStat", QStringLiteral("Statistics"));
  // A tab caption takes "&" for a mnemonic; doubled it shows as itself.
  tsCol = sheet("tsCol", QStringLiteral("Collocation && Colligation"));
  tsWordlist = sheet("tsWordlist", QStringLiteral("N-gram List"));
  tsKeyness = sheet("tsKeyness", QStringLiteral("Keyness"));
  tsAbout = new TAboutTab(*this);
  pgMain->addTab(tsAbout, QStringLiteral("About"));
  setCentralWidget(pgMain);
  connect(pgMain, &QTabWidget::currentChanged, this, [this](int index) {
    if (pgMain->widget(index) == tsConc) Guarded([this] { tsConc->TabShow(); });
  });

  FLog = std::make_unique<TSessionLog>(tsSettings->mmLog, FProgramDir + "Korvelin.log");
  FNGramLookup.NameValueSeparator = '\t';
  FSettings.NameValueSeparator = '=';
  FormCreate();
}

TfrmMain::~TfrmMain() {
  // The display points into the corpus lines and the translator into the
  // lists; they go first.
  FreeConcordance();
  FSmartInput.reset();
}

void TfrmMain::FormCreate() {
  ResetWindow();
  std::error_code ec;
  std::filesystem::create_directory(FProgramDir + "cache", ec);
  CleanTempFiles();
  const TPunctuation punct = ReadPunctuationSettings(FProgramDir, FSettings);
  FPunctEN = punct.EN;
  FPunctZH = punct.ZH;
}

void TfrmMain::ResetWindow() {
  FBusy->ResetCaption();
  setWindowTitle(kWindowTitle);
  setMinimumSize(819, 614);
  tsSettings->Reset();
  tsConc->Reset();
  pgMain->setCurrentWidget(tsSettings);
  for (QWidget* sheet : std::initializer_list<QWidget*>{tsConc, tsStat, tsCol, tsWordlist, tsKeyness})
    pgMain->setTabEnabled(pgMain->indexOf(sheet), false);
}

void TfrmMain::TeardownEngine() {
  FCorpusFiles.Clear();
  FGroupSettings.Clear();
  FBatchSearchList.Clear();
  FColSearchList.Clear();
  FNGramLookup.Clear();
  // The concordance refers to the corpus lines: it goes before the corpus.
  FreeConcordance();
  // The translator belongs to the corpus it was made for.
  FSmartInput.reset();
  FCorpus.reset();
}

void TfrmMain::SetConcSearch(std::unique_ptr<TSeggedSearchOper> search) {
  // A display over the search it replaces would point at freed hits.
  FConcDisplay.reset();
  FConcSearch = std::move(search);
}

void TfrmMain::SetConcDisplay(std::unique_ptr<TSeggedDisplay> display) { FConcDisplay = std::move(display); }

void TfrmMain::FreeConcordance() {
  FConcDisplay.reset();
  FConcSearch.reset();
  AllHits.clear();
  ResultHits.clear();
  PowerSortLevels.clear();
  QuickSortLevels.clear();
}

bool TfrmMain::CheckQueryTables(const QString& query) {
  // Read as UTF-8, not in the corpus code page: a GBK trail byte can be "@".
  const std::string text = query.toUtf8().toStdString();
  switch (QueryTablesNeeded(text, FLemma != nullptr, FPOSCategory != nullptr)) {
    case TQueryNeed::Nothing:
      return true;
    case TQueryNeed::LemmaList:
      // Its handler loads the built-in list.
      tsSettings->cbxEnableLemma->setChecked(true);
      return true;
    case TQueryNeed::POSCategoryList:
      pgMain->setCurrentWidget(tsSettings);
      tsSettings->cbxEnablePOSCategory->setChecked(true);
      tsSettings->SetPOSCategoryAlert(true);
      tsSettings->btnLoadPOSCategory->setFocus();
      ShowMsg(QStringLiteral("Please select a POS Category list first!"));
      return false;
  }
  return true;
}

void TfrmMain::ResetResultTabs(bool resetConcordance) {
  if (resetConcordance) tsConc->ResetConcordance();
  // The Statistics and Collocation results join here as those tabs are built.
}

void TfrmMain::CleanTempFiles() { korvelin::CleanTempFiles(FProgramDir); }

void TfrmMain::LogLine(const QString& text, bool clear) { FLog->LogLine(text, clear); }

void TfrmMain::WriteLogEntry(bool clear) { FLog->WriteLogEntry(LogEntry, clear); }

void TfrmMain::SaveSessionLog() { FLog->Save(); }

void TfrmMain::Guarded(const std::function<void()>& handler) {
  const bool outermost = FHandlerDepth == 0;
  ++FHandlerDepth;
  try {
    handler();
  } catch (const std::exception& e) {
    FPendingErrors << QString::fromUtf8(e.what());
  } catch (...) {
    FPendingErrors << QStringLiteral("Unknown error.");
  }
  --FHandlerDepth;
  if (!outermost) return;
  const QStringList errors = std::exchange(FPendingErrors, {});
  for (const QString& message : errors) FDesktop->ShowError(this, kAppTitle, message);
}

void TfrmMain::ShowMsg(const QString& text) { FDesktop->ShowMessage(this, kAppTitle, text); }

void TfrmMain::AddDataTypeCombo(QComboBox* combo) { FDataTypeCombos.push_back(combo); }

void TfrmMain::AddDisplayModeCombo(QComboBox* combo) { FDisplayModeCombos.push_back(combo); }

void TfrmMain::FillDataTypeCombo(QComboBox* combo) {
  if (!FCorpus) return;
  const TCorpusFlags flags{FCorpus->Chinese(), FCorpus->Segmented(), FCorpus->Tagged()};
  FillCombo(combo, DataTypeItems(flags, tsSettings->LemmaInUse(), tsSettings->POSCategoryInUse()));
}

void TfrmMain::RefreshDataTypeCombos() {
  for (QComboBox* combo : FDataTypeCombos) FillDataTypeCombo(combo);
}

void TfrmMain::FillDisplayModeCombo(QComboBox* combo) {
  if (!FCorpus) return;
  FillCombo(combo, DisplayModeItems({FCorpus->Chinese(), FCorpus->Segmented(), FCorpus->Tagged()}));
}

void TfrmMain::RefreshDisplayModeCombos() {
  for (QComboBox* combo : FDisplayModeCombos) FillDisplayModeCombo(combo);
}

void TfrmMain::SetCorpus(std::unique_ptr<TCorpus> corpus) { FCorpus = std::move(corpus); }

TCodePage TfrmMain::CodePage() const { return CodePageFor(FCorpus && FCorpus->Chinese()); }

void TfrmMain::CreateSmartInput() {
  if (!FCorpus) return;
  FSmartInput = std::make_unique<TSmartInput>(FCorpus->Tagged());
  if (FLemma) FSmartInput->SetLemma(FLemma.get());
  if (FPOSCategory) FSmartInput->SetPOSCategory(FPOSCategory.get());
}

void TfrmMain::SetLemma(std::unique_ptr<TLemma> lemma) {
  if (FSmartInput) FSmartInput->ClearLemma();
  if (FConcDisplay) FConcDisplay->ClearLemma();
  FLemma = std::move(lemma);
  if (FSmartInput && FLemma) FSmartInput->SetLemma(FLemma.get());
}

void TfrmMain::SetPOSCategory(std::unique_ptr<TPOSCategory> category) {
  if (FSmartInput) FSmartInput->ClearPOSCategory();
  if (FConcDisplay) FConcDisplay->ClearPOSCategory();
  FPOSCategory = std::move(category);
  if (FSmartInput && FPOSCategory) FSmartInput->SetPOSCategory(FPOSCategory.get());
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  // A command is still running under the engine's loop; tearing the engine
  // down beneath it would pull its data away.
  if (FBusy->Busy()) {
    event->ignore();
    return;
  }
  Guarded([this] { SaveSessionLog(); });
  TeardownEngine();
  FGroupSettings.Clear();
  FSettings.Clear();
  CleanTempFiles();
  event->accept();
}

}  // namespace korvelin

#include "SettingsTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTime>
#include <QUrl>
#include <QVBoxLayout>

#include "BusyIndicator.h"
#include "ConcordanceTab.h"
#include "ControlHelpers.h"
#include "Desktop.h"
#include "GroupBar.h"
#include "MainWindow.h"
#include "PathLabel.h"
#include "corpus/Corpus.h"
#include "corpus/CorpusFiles.h"
#include "foundation/Error.h"
#include "lemma/Lemma.h"

namespace korvelin {

namespace {

template <typename T, typename... Args>
T* Make(const char* name, Args&&... args) {
  T* w = new T(std::forward<Args>(args)...);
  w->setObjectName(QLatin1String(name));
  return w;
}

QString Seconds(const QElapsedTimer& clock) { return QString::number(clock.nsecsElapsed() / 1e9, 'f', 3); }

// The system's short date and long time.
QString Now() {
  const QLocale locale = QLocale::system();
  return locale.toString(QDate::currentDate(), QLocale::ShortFormat) + QLatin1Char(' ') +
         locale.toString(QTime::currentTime(), QLocale::LongFormat);
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

void SetCaptionColour(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, colour);
  p.setColor(QPalette::ButtonText, colour);
  w->setPalette(p);
}

// A file label: the name shown, the full path as its tooltip.
void ShowFile(QLabel* label, const QString& path) {
  label->setText(QFileInfo(path).fileName());
  label->setToolTip(path);
}

void ClearFile(QLabel* label) {
  label->clear();
  label->setToolTip(QString());
}

}  // namespace

TSettingsTab::TSettingsTab(TfrmMain& frm_) : frm(frm_) {
  setObjectName(QStringLiteral("tsSettings"));
  BuildWidgets();
  Connect();
}

void TSettingsTab::BuildWidgets() {
  btnLoadCorpus = Make<QPushButton>("btnLoadCorpus", QStringLiteral("Load Corpus"));
  cbxSubFolder = Make<QCheckBox>("cbxSubFolder", QStringLiteral("Include Subfolder(s)"));
  cbxSubFolder->setChecked(true);
  lbFolder = Make<TPathLabel>("lbFolder");
  mmLog = Make<QPlainTextEdit>("mmLog");
  mmLog->setReadOnly(true);
  mmLog->setLineWrapMode(QPlainTextEdit::NoWrap);
  mmLog->setTabStopDistance(mmLog->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 4);
  btnSaveLog = Make<QPushButton>("btnSaveLog", QStringLiteral("Save"));
  btnSaveLog->setVisible(false);

  // Corpus group.
  cbLanguage = Make<QComboBox>("cbLanguage");
  cbFormat = Make<QComboBox>("cbFormat");
  cbxDitto = Make<QCheckBox>("cbxDitto", QStringLiteral("Claws Ditto Tags (C7)"));
  cbxDitto->setEnabled(false);

  // Lemma & POS Tag group.
  cbxEnableLemma = Make<QCheckBox>("cbxEnableLemma", QStringLiteral("Lemmatize"));
  cbxEnableLemma->setEnabled(false);
  gbLemma = Make<QGroupBox>("gbLemma", QStringLiteral("    Lemma "));
  gbLemma->setEnabled(false);
  cbxUseEmbeddedLemma = Make<QCheckBox>("cbxUseEmbeddedLemma", QStringLiteral("Use Embedded List"));
  cbxUseEmbeddedLemma->setEnabled(false);
  btnLoadLemma = Make<QPushButton>("btnLoadLemma", QStringLiteral("Load List"));
  btnLoadLemma->setEnabled(false);
  lbLemmaFile = Make<QLabel>("lbLemmaFile");
  cbxEnablePOSCategory = Make<QCheckBox>("cbxEnablePOSCategory", QStringLiteral("POS Categorize"));
  cbxEnablePOSCategory->setEnabled(false);
  gbPOSCategory = Make<QGroupBox>("gbPOSCategory", QStringLiteral(" POS Category "));
  gbPOSCategory->setEnabled(false);
  btnLoadPOSCategory = Make<QPushButton>("btnLoadPOSCategory", QStringLiteral("Load List"));
  btnLoadPOSCategory->setEnabled(false);
  lbPOSCategoryFile = Make<QLabel>("lbPOSCategoryFile");

  // Files group.
  cbxGroupFile = Make<QCheckBox>("cbxGroupFile", QStringLiteral("Group Files by Regex"));
  cbxGroupFile->setEnabled(false);
  gbGroupFile = Make<QGroupBox>("gbGroupFile");
  gbGroupFile->setEnabled(false);
  btnLoadGroupInfo = Make<QPushButton>("btnLoadGroupInfo", QStringLiteral("Load Settings"));
  btnLoadGroupInfo->setEnabled(false);
  lbGroupFile = Make<QLabel>("lbGroupFile");
  lbGroupFile->setVisible(false);

  for (QLabel* l : {lbLemmaFile, lbPOSCategoryFile, lbGroupFile}) {
    l->setTextFormat(Qt::PlainText);
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  }

  gbGlobalSetting = Make<TGroupBar>("gbGlobalSetting");
  gpCorpus = gbGlobalSetting->AddGroup(QStringLiteral("Corpus"), QStringLiteral("gpCorpus"));
  gpLemmaPOS = gbGlobalSetting->AddGroup(QStringLiteral("Lemma & POS Tag"), QStringLiteral("gpLemmaPOS"));
  gpFiles = gbGlobalSetting->AddGroup(QStringLiteral("Files"), QStringLiteral("gpFiles"));

  gbSettings = Make<TGroupBar>("gbSettings");
  gpConc = gbSettings->AddGroup(QStringLiteral("Concordance"), QStringLiteral("gpConc"));
  gpStat = gbSettings->AddGroup(QStringLiteral("Statistics"), QStringLiteral("gpStat"));
  gpCol = gbSettings->AddGroup(QStringLiteral("Collocation & Colligation"), QStringLiteral("gpCol"));
  gpWordlist = gbSettings->AddGroup(QStringLiteral("N-gram List"), QStringLiteral("gpWordlist"));
  gpKeyness = gbSettings->AddGroup(QStringLiteral("Keyness"), QStringLiteral("gpKeyness"));

  // The combos are direct children of the group's content, so ClearCombos
  // on the group empties them.
  auto* corpusGrid = new QGridLayout(gpCorpus->Content());
  corpusGrid->addWidget(new QLabel(QStringLiteral("Language:")), 0, 0);
  corpusGrid->addWidget(cbLanguage, 0, 1);
  corpusGrid->addWidget(new QLabel(QStringLiteral("Format:")), 1, 0);
  corpusGrid->addWidget(cbFormat, 1, 1);
  corpusGrid->addWidget(cbxDitto, 2, 0, 1, 2);
  corpusGrid->setColumnStretch(1, 1);

  auto* lemmaBox = new QGridLayout(gbLemma);
  lemmaBox->addWidget(cbxUseEmbeddedLemma, 0, 0, 1, 2);
  lemmaBox->addWidget(btnLoadLemma, 1, 0);
  lemmaBox->addWidget(lbLemmaFile, 1, 1);
  lemmaBox->setColumnStretch(1, 1);
  auto* posBox = new QGridLayout(gbPOSCategory);
  posBox->addWidget(btnLoadPOSCategory, 0, 0);
  posBox->addWidget(lbPOSCategoryFile, 0, 1);
  posBox->setColumnStretch(1, 1);
  auto* lemmaGroup = new QVBoxLayout(gpLemmaPOS->Content());
  lemmaGroup->addWidget(cbxEnableLemma);
  lemmaGroup->addWidget(gbLemma);
  lemmaGroup->addWidget(cbxEnablePOSCategory);
  lemmaGroup->addWidget(gbPOSCategory);

  auto* groupBox = new QGridLayout(gbGroupFile);
  groupBox->addWidget(btnLoadGroupInfo, 0, 0);
  groupBox->addWidget(lbGroupFile, 0, 1);
  groupBox->setColumnStretch(1, 1);
  auto* filesGroup = new QVBoxLayout(gpFiles->Content());
  filesGroup->addWidget(cbxGroupFile);
  filesGroup->addWidget(gbGroupFile);

  // Left: the setting groups, scrolled when the window is low.
  auto* bars = new QWidget;
  auto* barsLayout = new QVBoxLayout(bars);
  barsLayout->setContentsMargins(0, 0, 0, 0);
  barsLayout->addWidget(gbGlobalSetting);
  barsLayout->addWidget(gbSettings);
  barsLayout->addStretch(1);
  auto* scroll = new QScrollArea;
  scroll->setWidget(bars);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setMinimumWidth(300);
  scroll->setMaximumWidth(360);

  // Right: the load command and the log.
  auto* top = new QHBoxLayout;
  top->addWidget(btnLoadCorpus);
  top->addWidget(cbxSubFolder);
  top->addWidget(lbFolder, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(btnSaveLog);
  auto* right = new QVBoxLayout;
  right->addLayout(top);
  right->addWidget(mmLog, 1);
  right->addLayout(bottom);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(scroll);
  layout->addLayout(right, 1);
}

void TSettingsTab::Connect() {
  auto on = [this](auto* sender, auto signal, void (TSettingsTab::*handler)()) {
    connect(sender, signal, this, [this, handler] { frm.Guarded([this, handler] { (this->*handler)(); }); });
  };
  on(btnLoadCorpus, &QPushButton::clicked, &TSettingsTab::btnLoadCorpusClick);
  on(lbFolder, &TPathLabel::DoubleClicked, &TSettingsTab::lbFolderDblClick);
  // activated: changes by the user only, as a selection made from code
  // must not run the handler.
  on(cbLanguage, &QComboBox::activated, &TSettingsTab::cbLanguageChange);
  on(cbFormat, &QComboBox::activated, &TSettingsTab::cbFormatChange);
  // toggled: a state changed from code runs the handler as a click does.
  on(cbxDitto, &QCheckBox::toggled, &TSettingsTab::cbxDittoClick);
  on(cbxEnableLemma, &QCheckBox::toggled, &TSettingsTab::cbxEnableLemmaClick);
  on(cbxUseEmbeddedLemma, &QCheckBox::toggled, &TSettingsTab::cbxUseEmbeddedLemmaClick);
  on(btnLoadLemma, &QPushButton::clicked, &TSettingsTab::btnLoadLemmaClick);
  on(cbxEnablePOSCategory, &QCheckBox::toggled, &TSettingsTab::cbxEnablePOSCategoryClick);
  on(btnLoadPOSCategory, &QPushButton::clicked, &TSettingsTab::btnLoadPOSCategoryClick);
  on(cbxGroupFile, &QCheckBox::toggled, &TSettingsTab::cbxGroupFileClick);
  on(btnLoadGroupInfo, &QPushButton::clicked, &TSettingsTab::btnLoadGroupInfoClick);
}

void TSettingsTab::Reset() {
  // Unchecking runs the boxes' handlers, which drop the lemma and
  // POS-category lists.
  if (cbxDitto->isChecked()) {
    cbxDitto->setChecked(false);
    cbxDitto->setEnabled(false);
  }
  cbxEnableLemma->setChecked(false);
  cbxEnablePOSCategory->setChecked(false);
  gbSettings->setEnabled(false);
  gbGlobalSetting->setEnabled(false);
  btnSaveLog->setEnabled(false);
  mmLog->clear();
  ClearFile(lbLemmaFile);
  ClearFile(lbPOSCategoryFile);
  lbFolder->SetPath(QString());
  cbxGroupFile->setChecked(false);
  cbxGroupFile->setEnabled(false);
  SetPanelEnabled(gbGroupFile, false);
  ClearFile(lbGroupFile);
  ClearCombos(gpCorpus->Content());
  SetGroupsOpened(gbSettings, false);
}

void TSettingsTab::btnLoadCorpusClick() {
  QElapsedTimer clock;
  clock.start();
  // The last corpus folder, else where the program was started from.
  const QString start = frm.CorpusFolder.empty() ? QDir::currentPath() : QFile::decodeName(frm.CorpusFolder.c_str());
  const std::optional<QString> chosen = frm.Desktop().SelectFolder(&frm, start);
  if (!chosen) return;
  const QString folder = chosen->trimmed();
  if (folder.isEmpty()) throw EKorvelinError("No folder was selected!");
  std::string path = LocalPath(folder);
  while (path.size() > 1 && path.back() == '/') path.pop_back();

  bool found = false;
  {
    TBusyScope busy(frm.Busy());
    frm.ResetWindow();
    frm.TeardownEngine();
    frm.CorpusBytes = FindCorpusFiles(path, frm.CorpusFiles(), cbxSubFolder->isChecked(), ".txt", &frm.Busy());
    found = frm.CorpusBytes != 0;
    if (found) {
      frm.CorpusFolder = path;
      lbFolder->SetPath(folder);
      frm.LogLine(QStringLiteral("-"), true);
      frm.LogLine(QStringLiteral(" Zentrik Korvelin 1.0\t") + Now());
      frm.LogLine(QStringLiteral("-"));
      frm.LogLine(QStringLiteral("#Folder(s) Selected: \t") + folder);
      frm.LogLine(QStringLiteral("#Corpus Loading..."));

      CheckAnsiFiles(frm.CorpusFiles(), frm.ProgramDir() + "error.log", &frm.Busy());
      frm.SetCorpus(std::make_unique<TCorpus>(frm.CorpusFiles(), &frm.Busy()));
      const TCorpus& corpus = *frm.Corpus();

      gbGlobalSetting->setEnabled(true);
      const QString seconds = Seconds(clock);
      frm.LogLine(QStringLiteral("-"), true);
      frm.LogLine(QStringLiteral(" Zentrik Korvelin 1.0\t") + Now());
      frm.LogLine(QStringLiteral("-"));
      frm.LogLine(QStringLiteral("#Folder(s) Selected: \t") + folder);
      frm.LogLine(QStringLiteral("-"));
      frm.LogLine(QStringLiteral("#Corpus Loading: \t") + seconds + QStringLiteral(" second(s) used."));
      frm.LogLine(QStringLiteral("#File Count: \t") + QString::number(corpus.FileCount()));
      frm.LogLine(QStringLiteral("#Data Size: \t") + QString::number(frm.CorpusBytes / 1000000.0, 'f', 3) +
                  QStringLiteral("M"));
      frm.LogLine(QStringLiteral("-"));

      cbLanguage->clear();
      cbLanguage->addItems({QStringLiteral("English"), QStringLiteral("Chinese")});
      cbLanguage->setCurrentIndex(corpus.Chinese() ? 1 : 0);
      FillFormatCombo();
      UpdateCorpusOptions();
      frm.RefreshDisplayModeCombos();
      frm.tsConc->FillLocationCombos();
      frm.RefreshDataTypeCombos();

      // The analysis tabs are enabled here as each of them is built.
      frm.pgMain->setTabEnabled(frm.pgMain->indexOf(frm.tsConc), true);
      gbSettings->setEnabled(true);
      cbxGroupFile->setEnabled(true);
      frm.CreateSmartInput();
      frm.CleanTempFiles();
    }
  }
  if (!found) frm.ShowMsg(QStringLiteral("No corpus file was found in the selected folder!"));
}

void TSettingsTab::lbFolderDblClick() {
  if (!lbFolder->Path().isEmpty()) frm.Desktop().OpenUrl(QUrl::fromLocalFile(lbFolder->Path()));
}

void TSettingsTab::FillFormatCombo() {
  const TCorpus* corpus = frm.Corpus();
  if (!corpus) return;
  cbFormat->clear();
  cbFormat->addItems({QStringLiteral("Raw"), QStringLiteral("Tagged")});
  if (corpus->Chinese()) cbFormat->addItem(QStringLiteral("Segmented"));
  if (corpus->Tagged())
    cbFormat->setCurrentIndex(1);
  else if (corpus->Chinese() && corpus->Segmented())
    cbFormat->setCurrentIndex(2);
  else
    cbFormat->setCurrentIndex(0);
}

void TSettingsTab::UpdateCorpusOptions() {
  TCorpus* corpus = frm.Corpus();
  if (!corpus) return;
  // Enabled states are set from the corpus flags, never read back: while a
  // command runs the whole window reports itself disabled.
  const bool lemma = !corpus->Chinese();
  cbxEnableLemma->setEnabled(lemma);
  if (!lemma) cbxEnableLemma->setChecked(false);
  gbLemma->setEnabled(lemma);
  cbxEnablePOSCategory->setEnabled(corpus->Tagged());
  gbPOSCategory->setEnabled(corpus->Tagged());
  const bool ditto = corpus->Tagged() && !corpus->Chinese();
  cbxDitto->setEnabled(ditto);
  cbxDitto->setChecked(ditto);
  corpus->SetDittoTags(cbxDitto->isChecked());
}

void TSettingsTab::cbLanguageChange() {
  TCorpus* corpus = frm.Corpus();
  if (!corpus) return;
  corpus->SetChinese(cbLanguage->currentText() == QLatin1String("Chinese"));
  FillFormatCombo();
  UpdateCorpusOptions();
  frm.RefreshDataTypeCombos();
  frm.RefreshDisplayModeCombos();
}

void TSettingsTab::cbFormatChange() {
  TCorpus* corpus = frm.Corpus();
  if (!corpus) return;
  const QString format = cbFormat->currentText();
  corpus->SetTagged(format == QLatin1String("Tagged"));
  if (corpus->Chinese()) corpus->SetSegmented(format == QLatin1String("Segmented"));
  UpdateCorpusOptions();
  frm.RefreshDataTypeCombos();
  frm.RefreshDisplayModeCombos();
}

void TSettingsTab::SetPOSCategoryAlert(bool on) { SetCaptionColour(cbxEnablePOSCategory, on ? Qt::red : Qt::black); }

void TSettingsTab::cbxDittoClick() {
  if (TCorpus* corpus = frm.Corpus()) corpus->SetDittoTags(cbxDitto->isChecked());
}

bool TSettingsTab::LemmaInUse() const { return cbxEnableLemma->isChecked() && frm.Lemma() != nullptr; }

bool TSettingsTab::POSCategoryInUse() const {
  return cbxEnablePOSCategory->isChecked() && frm.POSCategory() != nullptr;
}

void TSettingsTab::cbxEnableLemmaClick() {
  const bool on = cbxEnableLemma->isChecked();
  gbLemma->setEnabled(on);
  cbxUseEmbeddedLemma->setChecked(false);
  cbxUseEmbeddedLemma->setEnabled(on);
  btnLoadLemma->setEnabled(on);
  lbLemmaFile->clear();
  if (frm.Lemma()) {
    frm.SetLemma(nullptr);
    frm.LogLine(QStringLiteral("#Disable Lemmatization."));
  }
  frm.RefreshDataTypeCombos();
  // Its handler loads the embedded list.
  if (on) cbxUseEmbeddedLemma->setChecked(true);
}

void TSettingsTab::cbxUseEmbeddedLemmaClick() {
  const bool on = cbxUseEmbeddedLemma->isChecked();
  btnLoadLemma->setEnabled(!on);
  if (on) ClearFile(lbLemmaFile);
  ReloadLemma();
  if (!on) frm.LogLine(QStringLiteral("#Disable Lemma."));
  frm.RefreshDataTypeCombos();
}

QString TSettingsTab::ChooseListFile() {
  const std::optional<QString> chosen = frm.Desktop().OpenFileName(
      &frm, QFile::decodeName(frm.ProgramDir().c_str()), QStringLiteral("Text File (*.txt)"));
  return chosen ? chosen->trimmed() : QString();
}

void TSettingsTab::btnLoadLemmaClick() {
  const QString file = ChooseListFile();
  if (file.isEmpty()) return;
  ShowFile(lbLemmaFile, file);
  ReloadLemma();
  frm.RefreshDataTypeCombos();
}

void TSettingsTab::ReloadLemma() {
  QElapsedTimer clock;
  clock.start();
  frm.SetLemma(nullptr);
  if (!cbxEnableLemma->isChecked()) return;
  TBusyScope busy(frm.Busy());
  std::unique_ptr<TLemma> list;
  QString name;
  if (cbxUseEmbeddedLemma->isChecked()) {
    list = std::make_unique<TMyLemma>(frm.ProgramDir() + "sys/MyDLL.so");
    name = QStringLiteral("Embedded Lemma List");
  } else if (!lbLemmaFile->toolTip().isEmpty()) {
    list = std::make_unique<TUserLemma>(LocalPath(lbLemmaFile->toolTip()), '=');
    name = lbLemmaFile->text();
  } else {
    return;
  }
  frm.SetLemma(std::move(list));
  frm.LogLine(QStringLiteral("#Load Lemma List: \t\t") + Seconds(clock) + QStringLiteral(" second(s)\t") + name);
}

void TSettingsTab::cbxEnablePOSCategoryClick() {
  const bool on = cbxEnablePOSCategory->isChecked();
  SetCaptionColour(cbxEnablePOSCategory, Qt::black);
  gbPOSCategory->setEnabled(on);
  btnLoadPOSCategory->setEnabled(on);
  lbPOSCategoryFile->clear();
  if (frm.POSCategory()) {
    frm.SetPOSCategory(nullptr);
    frm.LogLine(QStringLiteral("#Disable POS Categorization."));
  }
  frm.RefreshDataTypeCombos();
}

void TSettingsTab::btnLoadPOSCategoryClick() {
  const QString file = ChooseListFile();
  if (file.isEmpty()) return;
  ShowFile(lbPOSCategoryFile, file);
  ReloadPOSCategory();
  frm.RefreshDataTypeCombos();
  SetCaptionColour(cbxEnablePOSCategory, Qt::black);
}

void TSettingsTab::ReloadPOSCategory() {
  QElapsedTimer clock;
  clock.start();
  frm.SetPOSCategory(nullptr);
  if (!cbxEnablePOSCategory->isChecked() || lbPOSCategoryFile->toolTip().isEmpty()) return;
  TBusyScope busy(frm.Busy());
  frm.SetPOSCategory(std::make_unique<TPOSCategory>(LocalPath(lbPOSCategoryFile->toolTip()), '='));
  frm.LogLine(QStringLiteral("#Load POSCategory: \t") + Seconds(clock) + QStringLiteral(" second(s)\t") +
              lbPOSCategoryFile->text());
}

void TSettingsTab::cbxGroupFileClick() {
  const bool on = cbxGroupFile->isChecked();
  SetPanelEnabled(gbGroupFile, on);
  lbGroupFile->setVisible(on);
  if (!on) {
    ClearFile(lbGroupFile);
    frm.GroupSettings().Clear();
  }
}

void TSettingsTab::btnLoadGroupInfoClick() {
  const QString file = ChooseListFile();
  if (file.isEmpty()) return;
  ShowFile(lbGroupFile, file);
  frm.GroupSettings().Clear();
  frm.GroupSettings().LoadFromFile(LocalPath(file));
}

}  // namespace korvelin

#pragma once
// The Settings tab: loading a corpus, the session log, the corpus language
// and format, lemma and POS-category lists, file groups, and the setting
// groups of the analysis tabs.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korvelin {

class TGroup;
class TGroupBar;
class TPathLabel;
class TfrmMain;

class TSettingsTab : public QWidget {
  Q_OBJECT

 public:
  explicit TSettingsTab(TfrmMain& frm);

  // This tab's part of ResetWindow.
  void Reset();

  // Handlers.
  void btnLoadCorpusClick();
  void lbFolderDblClick();
  void cbLanguageChange();
  void cbFormatChange();
  void cbxDittoClick();
  void cbxEnableLemmaClick();
  void cbxUseEmbeddedLemmaClick();
  void btnLoadLemmaClick();
  void cbxEnablePOSCategoryClick();
  void btnLoadPOSCategoryClick();
  void cbxGroupFileClick();
  void btnLoadGroupInfoClick();

  void FillFormatCombo();
  // Enables the lemma, POS-category and ditto controls the corpus allows.
  void UpdateCorpusOptions();
  void ReloadLemma();
  void ReloadPOSCategory();

  // The "POS Categorize" caption red while a query waits for a list.
  void SetPOSCategoryAlert(bool on);

  // Whether a lemma / POS-category list is switched on and loaded.
  bool LemmaInUse() const;
  bool POSCategoryInUse() const;

  QPushButton* btnLoadCorpus;
  QCheckBox* cbxSubFolder;
  TPathLabel* lbFolder;
  QPlainTextEdit* mmLog;
  QPushButton* btnSaveLog;
  TGroupBar* gbSettings;
  TGroupBar* gbGlobalSetting;
  TGroup* gpConc;
  TGroup* gpStat;
  TGroup* gpCol;
  TGroup* gpWordlist;
  TGroup* gpKeyness;
  TGroup* gpCorpus;
  TGroup* gpLemmaPOS;
  TGroup* gpFiles;
  QComboBox* cbLanguage;
  QComboBox* cbFormat;
  QCheckBox* cbxDitto;
  QCheckBox* cbxEnableLemma;
  QGroupBox* gbLemma;
  QCheckBox* cbxUseEmbeddedLemma;
  QPushButton* btnLoadLemma;
  QLabel* lbLemmaFile;
  QCheckBox* cbxEnablePOSCategory;
  QGroupBox* gbPOSCategory;
  QPushButton* btnLoadPOSCategory;
  QLabel* lbPOSCategoryFile;
  QCheckBox* cbxGroupFile;
  QGroupBox* gbGroupFile;
  QPushButton* btnLoadGroupInfo;
  QLabel* lbGroupFile;

 private:
  void BuildWidgets();
  void Connect();
  // A file chosen with the open dialog in the program folder, trimmed; empty
  // when cancelled or blank.
  QString ChooseListFile();

  TfrmMain& frm;
};

}  // namespace korvelin

#pragma once
// The About tab: the program's name, credits, how to cite it, and the
// licences of the data the embedded lemmatizer is built from.
#include <QWidget>

class QLabel;

namespace korvelin {

class TfrmMain;

class TAboutTab : public QWidget {
  Q_OBJECT

 public:
  explicit TAboutTab(TfrmMain& frm);

  void lbLinkClick(const QString& link);

  QLabel* imgLogo;
  QLabel* lbCredits;
  QLabel* lbCitation;
  QLabel* lbLicences;
  QLabel* lbLink;

 private:
  TfrmMain& frm;
};

}  // namespace korvelin

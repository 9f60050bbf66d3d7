#include "AboutTab.h"

#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

#include "BusyIndicator.h"
#include "Desktop.h"
#include "MainWindow.h"

namespace korvelin {

namespace {

QLabel* Text(const char* name, const QString& html) {
  auto* label = new QLabel(html);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::RichText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextBrowserInteraction);
  // Links go through the window, which hands them to the desktop.
  label->setOpenExternalLinks(false);
  return label;
}

}  // namespace

TAboutTab::TAboutTab(TfrmMain& frm_) : frm(frm_) {
  setObjectName(QStringLiteral("tsAbout"));
  const QString sys = QUrl::fromLocalFile(QFile::decodeName(frm.ProgramDir().c_str()) + QStringLiteral("sys/")).toString();

  imgLogo = new QLabel(kAppTitle);
  imgLogo->setObjectName(QStringLiteral("imgLogo"));
  imgLogo->setAlignment(Qt::AlignCenter);
  imgLogo->setMinimumHeight(90);
  imgLogo->setStyleSheet(QStringLiteral(
      "QLabel { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #14326e, stop:1 #3c78c8);"
      " color: white; font-size: 26pt; font-weight: bold; border-radius: 6px; }"));

  lbCredits = Text("lbCredits", QStringLiteral(
      "<p><b>%1</b></p>"
      "<p>A concordancer for language researchers, teachers and students: keyword in context, "
      "statistics, collocation and colligation, N-gram lists and keyness for English and Chinese corpora.</p>"
      "<p>Written in C++ with Qt&nbsp;6 and PCRE2.</p>").arg(kWindowTitle));

  lbCitation = Text("lbCitation", QStringLiteral(
      "<p><b>How to cite</b><br/>Zentrik Korvelin (Version 1.0 beta 20) [Computer software].</p>"));

  lbLicences = Text("lbLicences", QStringLiteral(
      "<p><b>Data licences</b></p>"
      "<p>The embedded English lemma list is derived from WordNet&nbsp;3.0, Copyright 2006 by Princeton "
      "University. All rights reserved. Used under the <a href=\"%1WordNet-LICENSE.txt\">WordNet 3.0 licence</a>.</p>"
      "<p>Its regular word forms are confirmed against the SCOWL word list (Spell Checker Oriented Word Lists), "
      "Copyright 2000-2011 by Kevin Atkinson, as packaged by Debian (wamerican); see the "
      "<a href=\"%1SCOWL-LICENSE.txt\">SCOWL licence</a>.</p>").arg(sys));

  lbLink = Text("lbLink", QStringLiteral(
      "<p><a href=\"https://wordnet.princeton.edu/\">wordnet.princeton.edu</a></p>"));

  for (QLabel* label : {lbCredits, lbCitation, lbLicences, lbLink})
    connect(label, &QLabel::linkActivated, this, [this](const QString& link) { lbLinkClick(link); });

  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setSpacing(12);
  column->addWidget(imgLogo);
  column->addWidget(lbCredits);
  column->addWidget(lbCitation);
  column->addWidget(lbLicences);
  column->addWidget(lbLink);
  column->addStretch(1);
  page->setMaximumWidth(720);

  auto* scroll = new QScrollArea;
  scroll->setWidget(page);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroll);
}

void TAboutTab::lbLinkClick(const QString& link) { frm.Desktop().OpenUrl(QUrl(link)); }

}  // namespace korvelin

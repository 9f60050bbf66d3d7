#include "GroupBar.h"

#include <QFrame>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvelin {

TGroup::TGroup(const QString& caption, QWidget* parent)
    : QWidget(parent), FCaption(caption), FHeader(new QToolButton(this)), FContent(new QFrame(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  // A button caption takes "&" for a mnemonic; the group's own caption shows it.
  FHeader->setText(QString(caption).replace(QLatin1Char('&'), QLatin1String("&&")));
  FHeader->setCheckable(true);
  FHeader->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  FHeader->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  FHeader->setAutoRaise(false);
  QFont bold = FHeader->font();
  bold.setBold(true);
  FHeader->setFont(bold);
  static_cast<QFrame*>(FContent)->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(FHeader);
  layout->addWidget(FContent);
  connect(FHeader, &QToolButton::toggled, this, [this](bool on) {
    FHeader->setArrowType(on ? Qt::DownArrow : Qt::RightArrow);
    FContent->setVisible(on);
  });
  FHeader->setChecked(true);
}

bool TGroup::Opened() const { return FHeader->isChecked(); }

void TGroup::SetOpened(bool opened) { FHeader->setChecked(opened); }

TGroupBar::TGroupBar(QWidget* parent) : QWidget(parent), FLayout(new QVBoxLayout(this)) {
  FLayout->setContentsMargins(0, 0, 0, 0);
  FLayout->setSpacing(4);
  FLayout->addStretch(1);
}

TGroup* TGroupBar::AddGroup(const QString& caption, const QString& objectName) {
  auto* group = new TGroup(caption, this);
  group->setObjectName(objectName);
  FLayout->insertWidget(FLayout->count() - 1, group);
  FGroups.push_back(group);
  return group;
}

}  // namespace korvelin

#pragma once
// Collapsible settings groups stacked in a bar. Unlike a tool box, any
// number of groups may be open at once, all of them closed included.
#include <QString>
#include <QWidget>
#include <vector>

class QToolButton;
class QVBoxLayout;

namespace korvelin {

class TGroup : public QWidget {
  Q_OBJECT

 public:
  TGroup(const QString& caption, QWidget* parent = nullptr);

  const QString& Caption() const { return FCaption; }
  // The widget that holds the group's controls.
  QWidget* Content() const { return FContent; }
  bool Opened() const;
  void SetOpened(bool opened);

 private:
  QString FCaption;
  QToolButton* FHeader;
  QWidget* FContent;
};

class TGroupBar : public QWidget {
  Q_OBJECT

 public:
  explicit TGroupBar(QWidget* parent = nullptr);

  TGroup* AddGroup(const QString& caption, const QString& objectName);
  const std::vector<TGroup*>& Groups() const { return FGroups; }

 private:
  QVBoxLayout* FLayout;
  std::vector<TGroup*> FGroups;
};

}  // namespace korvelin

#include "ControlHelpers.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>

#include "GroupBar.h"
#include "Paging.h"
#include "foundation/Helpers.h"

namespace korvelin {

namespace {

template <typename T>
QList<T*> DirectChildren(QWidget* container) {
  return container->findChildren<T*>(QString(), Qt::FindDirectChildrenOnly);
}

// Plain panels only: composite controls (a combo's own line edit) are not
// reset piece by piece.
bool IsPanel(const QWidget* w) {
  const QMetaObject* m = w->metaObject();
  return m == &QWidget::staticMetaObject || m == &QFrame::staticMetaObject;
}

}  // namespace

void SetPanelEnabled(QWidget* container, bool enabled) {
  container->setEnabled(enabled);
  for (QWidget* child : DirectChildren<QWidget>(container)) child->setEnabled(enabled);
}

void ClearCombos(QWidget* container) {
  for (QComboBox* combo : DirectChildren<QComboBox>(container)) combo->clear();
}

void ResetFilterPanel(QWidget* container) {
  for (QWidget* child : DirectChildren<QWidget>(container)) {
    if (auto* edit = qobject_cast<QLineEdit*>(child)) {
      edit->clear();
    } else if (auto* spin = qobject_cast<QSpinBox*>(child)) {
      spin->setValue(0);
    } else if (auto* dspin = qobject_cast<QDoubleSpinBox*>(child)) {
      dspin->setValue(0.0);
    } else if (auto* check = qobject_cast<QCheckBox*>(child)) {
      if (check->text() != QLatin1String("Loop")) check->setChecked(false);
    } else if (auto* combo = qobject_cast<QComboBox*>(child)) {
      if (combo->count() > 0) combo->setCurrentIndex(0);
    } else if (IsPanel(child)) {
      ResetFilterPanel(child);
    }
  }
}

bool FillPageCombo(QComboBox* combo, int64_t total, int64_t perPage) {
  const std::vector<std::string> items = PageRanges(total, perPage);
  if (items.empty()) return false;
  combo->clear();
  for (const auto& item : items) combo->addItem(QString::fromStdString(item));
  combo->setCurrentIndex(0);
  return true;
}

void SetGroupsOpened(TGroupBar* bar, bool opened) {
  for (TGroup* group : bar->Groups()) group->SetOpened(opened);
}

void FillNumberCombo(QComboBox* combo, int lo, int hi, int index) {
  CheckRange("TfrmMain", lo, 0, 10);
  CheckRange("TfrmMain", hi, 0, 10);
  CheckRange("TfrmMain", index, 0, hi - lo);
  CheckRange("TfrmMain", lo, 0, hi);
  combo->clear();
  for (int i = lo; i <= hi; ++i) combo->addItem(QString::number(i));
  combo->setCurrentIndex(index);
}

std::pair<int, int> ReadSpans(const QComboBox* left, const QComboBox* right) {
  return {static_cast<int>(StrToInt(left->currentText().toStdString())),
          static_cast<int>(StrToInt(right->currentText().toStdString()))};
}

}  // namespace korvelin

#include "PathLabel.h"

#include <QMouseEvent>

namespace korvelin {

TPathLabel::TPathLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setMinimumWidth(40);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  SetColour(QColor(0, 0, 128));
}

void TPathLabel::SetPath(const QString& path) {
  FPath = path;
  setToolTip(path);
  setCursor(path.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
  Elide();
}

void TPathLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void TPathLabel::enterEvent(QEnterEvent* event) {
  SetColour(Qt::blue);
  QLabel::enterEvent(event);
}

void TPathLabel::leaveEvent(QEvent* event) {
  SetColour(QColor(0, 0, 128));
  QLabel::leaveEvent(event);
}

void TPathLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
  QLabel::mouseDoubleClickEvent(event);
}

void TPathLabel::SetColour(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

void TPathLabel::Elide() { setText(fontMetrics().elidedText(FPath, Qt::ElideMiddle, qMax(0, width()))); }

}  // namespace korvelin

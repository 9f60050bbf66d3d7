#pragma once
// A label that shows a path cut in the middle when it does not fit, navy,
// blue while the mouse is over it, and reports double clicks.
#include <QLabel>
#include <QString>

namespace korvelin {

class TPathLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TPathLabel(QWidget* parent = nullptr);

  void SetPath(const QString& path);
  const QString& Path() const { return FPath; }

 signals:
  void DoubleClicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void SetColour(const QColor& colour);
  void Elide();
  QString FPath;
};

}  // namespace korvelin

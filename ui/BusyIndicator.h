#pragma once
// The busy bracket of long commands: the window is disabled, its title grows
// a bar of squares on a 50 ms timer, and the engine's long loops reach Tick,
// which lets the window process its events (repaint, timer) now and then.
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include "foundation/Progress.h"

class QTimer;
class QWidget;

namespace korvelin {

inline const QString kAppTitle = QStringLiteral("Zentrik Korvelin 1.0");
inline const QString kWindowTitle = QStringLiteral("Zentrik Korvelin 1.0 beta 20");

class TBusyIndicator : public QObject, public TProgressHook {
  Q_OBJECT

 public:
  explicit TBusyIndicator(QWidget* window);

  // Brackets nest; only the outermost disables and restores the window.
  void Enter();
  void Leave();
  bool Busy() const { return FDepth > 0; }

  // The title while a command runs. It keeps growing from one command to the
  // next; only ResetCaption starts it again.
  const QString& BusyCaption() const { return FBusyCaption; }
  void ResetCaption();

  QTimer* Timer1() const { return FTimer; }
  // One tick of Timer1: one more square, back to the start at the window's edge.
  void Timer1Timer();

  void Tick(int64_t done) override;

 private:
  QWidget* FWindow;
  QTimer* FTimer;
  QString FBusyCaption;
  int FDepth = 0;
  QElapsedTimer FSinceEvents;
};

// Enters the bracket for its lifetime, so an error leaves it too.
class TBusyScope {
 public:
  explicit TBusyScope(TBusyIndicator& busy) : FBusy(busy) { FBusy.Enter(); }
  ~TBusyScope() { FBusy.Leave(); }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TBusyIndicator& FBusy;
};

}  // namespace korvelin

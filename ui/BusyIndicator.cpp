#include "BusyIndicator.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QTimer>
#include <QWidget>

namespace korvelin {

namespace {
const QString kCaptionStart = kWindowTitle + QLatin1Char(' ');
// Events are processed at most this often: Tick comes every few thousand
// loop steps, which can be far more often than a repaint is worth.
constexpr qint64 kEventsEveryMs = 25;
}  // namespace

TBusyIndicator::TBusyIndicator(QWidget* window)
    : QObject(window), FWindow(window), FTimer(new QTimer(this)), FBusyCaption(kCaptionStart) {
  FTimer->setObjectName(QStringLiteral("Timer1"));
  FTimer->setInterval(50);
  connect(FTimer, &QTimer::timeout, this, &TBusyIndicator::Timer1Timer);
}

void TBusyIndicator::Enter() {
  if (FDepth++ > 0) return;
  FWindow->setEnabled(false);
  FTimer->start();
  FSinceEvents.invalidate();
}

void TBusyIndicator::Leave() {
  if (FDepth == 0 || --FDepth > 0) return;
  FTimer->stop();
  FWindow->setWindowTitle(kWindowTitle);
  FWindow->setEnabled(true);
}

void TBusyIndicator::ResetCaption() { FBusyCaption = kCaptionStart; }

void TBusyIndicator::Timer1Timer() {
  FBusyCaption += QChar(0x25A0);
  QFont font = FWindow->font();
  font.setPointSize(11);
  if (QFontMetrics(font).horizontalAdvance(FBusyCaption) > FWindow->width() - 75) FBusyCaption = kCaptionStart;
  FWindow->setWindowTitle(FBusyCaption);
}

void TBusyIndicator::Tick(int64_t /*done*/) {
  // Outside the bracket the window is enabled: processing events there would
  // let a second command start inside the first.
  if (FDepth == 0) return;
  if (FSinceEvents.isValid() && FSinceEvents.elapsed() < kEventsEveryMs) return;
  // The window is disabled, so user input is dropped; what runs here is
  // painting and the title timer.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  FSinceEvents.start();
}

}  // namespace korvelin

// The busy bracket: disabled window, the title's growing bar, events
// processed from the engine's progress hook.
#include <QFontMetrics>
#include <QTimer>

#include "BusyIndicator.h"
#include "UiTestUtil.h"

namespace korvelin {
namespace {

using test::TWindowTest;

using BusyIndicator = TWindowTest;

const QString kStart = "Zentrik Korvelin 1.0 beta 20 ";
const QString kSquare = QString(QChar(0x25A0));

TEST_F(BusyIndicator, BracketDisablesAndTheBarContinuesAcrossCommands) {
  TBusyIndicator& busy = frm->Busy();
  busy.Enter();
  EXPECT_FALSE(frm->isEnabled());
  EXPECT_TRUE(busy.Timer1()->isActive());
  for (int i = 0; i < 3; ++i) busy.Timer1Timer();
  EXPECT_EQ(frm->windowTitle(), kStart + kSquare.repeated(3));
  busy.Leave();
  EXPECT_TRUE(frm->isEnabled());
  EXPECT_FALSE(busy.Timer1()->isActive());
  EXPECT_EQ(frm->windowTitle(), "Zentrik Korvelin 1.0 beta 20");

  busy.Enter();
  busy.Timer1Timer();
  EXPECT_EQ(frm->windowTitle(), kStart + kSquare.repeated(4));
  busy.Leave();

  frm->ResetWindow();
  EXPECT_EQ(busy.BusyCaption(), kStart);
}

TEST_F(BusyIndicator, NestedBracketsRestoreOnceAtTheOuterEnd) {
  TBusyIndicator& busy = frm->Busy();
  busy.Enter();
  busy.Enter();
  busy.Leave();
  EXPECT_FALSE(frm->isEnabled());
  EXPECT_TRUE(busy.Busy());
  busy.Leave();
  EXPECT_TRUE(frm->isEnabled());
  EXPECT_FALSE(busy.Busy());
  busy.Leave();  // one too many changes nothing
  EXPECT_TRUE(frm->isEnabled());
}

TEST_F(BusyIndicator, BarStartsAgainAtTheWindowEdge) {
  frm->resize(900, 700);
  TBusyIndicator& busy = frm->Busy();
  QFont font = frm->font();
  font.setPointSize(11);
  const QFontMetrics metrics(font);
  TBusyScope scope(busy);
  int restarts = 0;
  for (int i = 0; i < 400; ++i) {
    busy.Timer1Timer();
    EXPECT_LE(metrics.horizontalAdvance(busy.BusyCaption()), frm->width() - 75);
    if (busy.BusyCaption() == kStart) ++restarts;
  }
  EXPECT_GE(restarts, 1);
}

// Inside the bracket the hook lets the window process its events; outside
// it does not, so no second command can start inside a first.
TEST_F(BusyIndicator, ProgressHookProcessesEventsOnlyInTheBracket) {
  bool ran = false;
  QMetaObject::invokeMethod(frm.get(), [&] { ran = true; }, Qt::QueuedConnection);
  frm->Busy().Tick(1);
  EXPECT_FALSE(ran);
  TBusyScope scope(frm->Busy());
  frm->Busy().Tick(2);
  EXPECT_TRUE(ran);
}

// During a real load the engine's loops reach the hook: an event posted
// before the click runs while the window is disabled.
TEST_F(BusyIndicator, LoadRunsDisabledAndProcessesEvents) {
  bool ran = false;
  bool enabledThen = true;
  QMetaObject::invokeMethod(
      frm.get(),
      [&] {
        ran = true;
        enabledThen = frm->isEnabled();
      },
      Qt::QueuedConnection);
  Load(test::SamplesFolder("zh"));
  EXPECT_TRUE(ran);
  EXPECT_FALSE(enabledThen);
  EXPECT_TRUE(frm->isEnabled());
  EXPECT_EQ(frm->windowTitle(), "Zentrik Korvelin 1.0 beta 20");
}

}  // namespace
}  // namespace korvelin

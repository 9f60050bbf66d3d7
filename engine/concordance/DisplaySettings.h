#pragma once
// The settings of a concordance display as plain data: the window fills it
// from its controls, the command line from its flags, and one function puts
// it on a display.
#include <cstdint>

#include "concordance/Display.h"
#include "foundation/Types.h"

namespace korvelin {

class TLemma;
class TPOSCategory;
class TProgressHook;

struct TDisplaySettings {
  int32_t LeftSpan = 5;   // 0..10
  int32_t RightSpan = 5;  // 0..10
  uint8_t LeftMode = dmTag;  // TDisplayMode codes (DisplayModeOf of a combo text)
  uint8_t CenterMode = dmTag;
  uint8_t RightMode = dmTag;
  uint8_t Scope = 0;                 // TScopeSide bits for filtering and highlighting
  bool CaseSensitive = false;        // filtering and highlighting
  bool SortCaseSensitive = false;
  TSortInfoArr SortLevels;
  // Not owned. None: the display forgets any table it had, so it never keeps
  // a table its owner has freed.
  TLemma* Lemma = nullptr;
  TPOSCategory* POSCategory = nullptr;
};

// Spans (the tokens are cut by the first call only), modes, scope, case
// rules, sort levels and tables, in that order; a bad span or mode raises
// before anything else changes.
void ApplyDisplaySettings(TSeggedDisplay& display, const TDisplaySettings& settings,
                          TProgressHook* progress = nullptr);

}  // namespace korvelin

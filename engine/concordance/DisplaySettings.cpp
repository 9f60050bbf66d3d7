#include "concordance/DisplaySettings.h"

#include "foundation/Helpers.h"

namespace korvelin {

void ApplyDisplaySettings(TSeggedDisplay& display, const TDisplaySettings& s, TProgressHook* progress) {
  // Everything that can be refused is checked first, so a refused setting
  // leaves the display as it was.
  const char* owner = display.ClassName();
  CheckRange(owner, s.LeftSpan, 0, 10);
  CheckRange(owner, s.RightSpan, 0, 10);
  for (uint8_t mode : {s.LeftMode, s.CenterMode, s.RightMode}) CheckRange(owner, mode, 0, 2);

  display.SetSpans(s.LeftSpan, s.RightSpan, progress);
  display.SetModes(s.LeftMode, s.CenterMode, s.RightMode);
  display.SetScope(s.Scope);
  display.SetCaseSensitive(s.CaseSensitive);
  display.SetSortCaseSensitive(s.SortCaseSensitive);
  display.SetSortInfo(s.SortLevels);
  if (s.Lemma)
    display.SetLemma(s.Lemma);
  else
    display.ClearLemma();
  if (s.POSCategory)
    display.SetPOSCategory(s.POSCategory);
  else
    display.ClearPOSCategory();
}

}  // namespace korvelin

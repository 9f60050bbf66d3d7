#pragma once
// Small helpers over the controls that every tab uses.
#include <cstdint>
#include <utility>

class QComboBox;
class QWidget;

namespace korvelin {

class TGroupBar;

// The container and each of its direct child widgets enabled or disabled.
void SetPanelEnabled(QWidget* container, bool enabled);
// Empties every combo box that is a direct child of container.
void ClearCombos(QWidget* container);
// Edits emptied (numeric ones set to 0), check boxes unchecked except those
// captioned "Loop", combo boxes on their first item; plain containers inside
// are reset the same way.
void ResetFilterPanel(QWidget* container);
// Paging: fills combo with the page ranges of total rows (see PageRanges)
// and selects the first; false, with the combo unchanged, when the rows do
// not fill one page.
bool FillPageCombo(QComboBox* combo, int64_t total, int64_t perPage);
// Opens or closes every group of the bar.
void SetGroupsOpened(TGroupBar* bar, bool opened);
// Fills combo with lo..hi as decimal texts and selects item index; lo and hi
// lie in 0..10, index in 0..hi-lo (checked, owner TfrmMain).
void FillNumberCombo(QComboBox* combo, int lo, int hi, int index);
// The two combo texts as integers (left span, right span); raises the integer
// conversion message.
std::pair<int, int> ReadSpans(const QComboBox* left, const QComboBox* right);

}  // namespace korvelin

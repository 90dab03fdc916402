#pragma once
// Small window helpers shared by the tabs and the dialogs.
#include <Qt>

class QTreeWidget;
class QWidget;

namespace orv {

// Sizes each column to its content (and its header text when `useHeader`), never narrower than
// the column's minimum.
void AutoSizeColumns(QTreeWidget* list, bool useHeader);

// Sets the cursor of the window and of its direct child widgets; Qt::ArrowCursor restores them.
void SetCursorAll(QWidget* window, Qt::CursorShape cursor);

// Lets pending paint and status events run once before long work. User input is held back so
// that a second command cannot start inside the first.
void DoEvents();

// Lists, spin boxes and sliders below `root` change their value by the mouse wheel only once they
// have focus; before that the wheel scrolls the page they sit on, as the user meant.
void GuardWheel(QWidget* root);

}  // namespace orv

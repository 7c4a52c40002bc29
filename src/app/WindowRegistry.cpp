#include "app/UCostDesk.h"

#include "ui/WorkingWindow.h"

// The one place where menu items meet the windows they open. A menu item
// without an entry here stays in the menu and opens nothing.
void TfrmCostDesk::registerWindows()
{
}

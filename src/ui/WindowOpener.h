#pragma once

#include <QString>

class WorkingWindow;

// The seam through which a window opens another window of the menu, as the
// menu opens it, without knowing the other window's class: the program opens
// it in the main window's frame; tests keep what was asked.
class WindowOpener {
public:
    virtual ~WindowOpener() = default;

    // The menu item's window, newly opened; null when it was not opened (an
    // item this user may not use, a window the user chose not to open).
    virtual WorkingWindow* open(const QString& menuItemName) = 0;
};

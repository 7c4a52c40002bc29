#pragma once

#include <QList>
#include <QString>
#include <functional>

class WorkingWindow;
struct WorkContext;

// One line of the main window's menu: the menu bar, its menus, their items and
// who may use them are built from a list of these, in its order.
struct MenuRow {
    enum class Kind {
        Menu,       // a top-level menu
        Window,     // an item that opens a new working window each time
        Separator,  // a line between items
        Exit,       // a top-level item that ends the program
        // The top-level menu of the open working windows (Qt's MDI window
        // menu): their list, cascade, tile and close all. Every level that
        // sees a menu sees it; its levels are not used.
        WindowList,
    };
    using Factory = std::function<WorkingWindow*(WorkContext&)>;

    Kind kind;
    QString name;     // the objectName of the item's action
    QString caption;  // exactly as shown; none for a separator
    QString parent;   // the menu's name; empty on the menu bar
    // The rights levels (T_USER.section) that see a top-level row, or find an
    // item of a menu they see enabled. A level seeing no menu at all signs in
    // with an empty menu bar.
    QList<int> levels;
    Factory open;     // Window rows only
    // Window rows: what the window is, after its form name in the title bar,
    // when its own first title does not say it or it has none. Left empty,
    // the window's own title is used, or else the caption without its number.
    QString heading = {};
};

namespace WindowRegistry {

// The program's menu: every window it opens, with its caption, place and
// rights. Adding a window is adding its row here.
const QList<MenuRow>& menu();

// The part of the user's guide (its id in คู่มือการใช้งาน.html) that tells of
// the menu item's window; the guide's first part for an item without one.
QString guidePart(const QString& menuItemName);
// The part that tells of signing in and the main window.
inline const QString kGuideStart = QStringLiteral("sign-in");

} // namespace WindowRegistry

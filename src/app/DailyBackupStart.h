#pragma once

class TfrmCostDesk;

// Today's automatic backup of the embedded database (DailyBackup), started
// once the main window is up, on a thread of its own with connections of
// its own; the window's connection stays with the window, and the folder is
// the one its settings named at start-up. Nothing happens on a PostgreSQL
// database or when [backup] enabled=false. A failure is said on the window's
// status bar and in the log; the program goes on as before.
void StartDailyBackup(TfrmCostDesk& window);

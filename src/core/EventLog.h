#pragma once

#include <QString>

// What an IT person needs to read after the fact (a daily backup that
// failed, a connection lost or made to another server, a start that
// failed), kept where it survives a program started from the desktop menu,
// whose standard error nobody reads: the file costdesk.log in the XDG state
// folder (~/.local/state/costdesk/, or $XDG_STATE_HOME/costdesk/), one line
// an event with the time, the workstation and the event. Callers write the
// event to standard error as well, as they always did. The file is its
// owner's alone (0600); past kLimitBytes it becomes costdesk.log.1 (one
// older file kept) and a new one is begun. Callers never pass a password.
namespace EventLog {

inline constexpr qint64 kLimitBytes = 1024 * 1024;

// The log file's path.
QString filePath();

// Appends the event to the file, as one line. A file that cannot be written
// costs the line only: the work goes on.
void write(const QString& event);

} // namespace EventLog

#pragma once

#include "data/ConnectionSettings.h"

#include <QString>
#include <QStringList>

// What start-up tells about the database it tried and the settings file it
// read: the same text in the message box and on standard error, so that
// whoever sets a workstation up sees why it does not start.
namespace StartupMessages {

// The first line of every failed connection at start-up.
extern const QString kNoConnection;

// The database as the user reads it: the file of the embedded database, or
// the server's URL (which never holds a password).
QString databaseName(const ConnectionSettings& settings);

// kNoConnection, the database tried (as databaseName() or a URL already
// without its password) and the engine's reason, a line each.
QString noConnection(const QString& database, const QString& reason);

// The keys, sections and lines of the settings file that the program does not
// read, by name, with the names it does read.
QString unknownSettings(const SettingsFile& file, const QStringList& knownKeys);

// Why the settings file gives no database: it cannot be read, has no
// database line, or the line cannot be used (choice.problem).
QString noDatabaseLine(const SettingsFile& file, const DatabaseChoice& choice);

// Writes the text to standard error, a line each, and to the event log.
void toStandardError(const QString& text);

} // namespace StartupMessages

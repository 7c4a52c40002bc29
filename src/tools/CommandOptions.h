#pragma once

#include "data/Database.h"
#include "print/DocumentSettings.h"
#include "tools/AdminCommands.h"

#include <QMap>
#include <QStringList>

#include <memory>

// What every command of costdesk-admin reads of its arguments, and the checks
// they share; a refusal is a Failure with exit code 2.
namespace AdminCommands {

// Options after the URL: "--name value" pairs, a name given more than once
// keeping every value, and flags without a value.
class Options {
public:
    Options(const QStringList& args, const QStringList& flags)
    {
        for (int i = 0; i < args.size(); ++i) {
            const QString& a = args.at(i);
            if (!a.startsWith(QLatin1String("--"))) {
                positional_ << a;
            } else if (flags.contains(a)) {
                values_[a] << QString();
            } else if (i + 1 < args.size()) {
                values_[a] << args.at(++i);
            } else {
                missing_ = a;
            }
        }
    }
    QString value(const char* name) const
    {
        const QStringList v = values_.value(QLatin1String(name));
        return v.isEmpty() ? QString() : v.last();
    }
    QStringList values(const char* name) const { return values_.value(QLatin1String(name)); }
    bool has(const char* name) const { return values_.contains(QLatin1String(name)); }
    const QStringList& positional() const { return positional_; }
    QString missingValue() const { return missing_; }
    QStringList names() const { return values_.keys(); }

private:
    QMap<QString, QStringList> values_;
    QStringList positional_;
    QString missing_;
};

// The option's value, or a Failure when it is not given.
QString required(const Options& o, const char* name);
// Refuses an option without its value and one the command does not know.
void checkKnown(const Options& o, const QStringList& known);
// A real dd/mm/yyyy date as given ("1/2/2569" allowed), or a Failure.
QString dateOption(const Options& o, const char* name);
// A whole number of at least `least`, or a Failure naming the option.
int countOption(const Options& o, const char* name, int least, const QString& refusal);
// The database at the URL; refused (exit 2) when its schema is not the one
// this program has: older ones are brought up by `upgrade` alone.
std::unique_ptr<Database> openDatabase(const QString& url);
// A file in a folder that can be written, checked before any work is done.
void checkWritable(const QString& path);
// The organisation's texts and the biller ID from the settings file, read
// once by each command that prints or matches with them, before its work.
DocumentTexts settingsTexts();

} // namespace AdminCommands

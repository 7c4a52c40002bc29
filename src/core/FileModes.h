#pragma once

#include <QFileDevice>
#include <QString>

// The modes of the files the programs write. An ordinary document (a
// listing's sheet or PDF, a bank file) gets what the user's umask leaves of
// rw-rw-rw-, as any program's files do; a file that holds national ID
// numbers or passwords (an invoice, an account letter, a backup) is the
// owner's alone, whatever the umask.
namespace FileModes {

enum class Holds { Ordinary, PersonalData };

// The process's umask, read without changing it.
unsigned currentUmask();

QFileDevice::Permissions permissionsFor(Holds holds);

// Gives the file the mode for what it holds; false when it cannot be set.
bool apply(const QString& path, Holds holds);

} // namespace FileModes

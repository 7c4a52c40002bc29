#pragma once

#include <QString>

// What `costdesk-admin --help` prints (and, on standard error, a run without
// a command or with an unknown one): every command with its arguments and
// options, and the exit statuses. Each command's synopsis line begins with
// two blanks and "costdesk-admin "; the manual page packaging/costdesk-admin.1
// lists the same commands with the same options.
namespace AdminUsage {

QString text();

} // namespace AdminUsage

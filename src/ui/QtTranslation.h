#pragma once

// Qt's own dialogs (choosing a file, the print preview and print dialog, the
// buttons of a message box) speak English unless a translation is installed,
// and Qt ships none for Thai: the program carries its own, compiled from
// translations/ and embedded in this library.
namespace QtTranslation {

// Where the compiled Thai texts live among the resources.
constexpr const char* ThaiResource = ":/translations/costdesk_qt_th.qm";

// Installs the Thai texts for the running application and keeps every dialog
// Qt's own, since a desktop's native file or print dialog would not take them.
// Installing twice keeps one translator. False when the texts cannot be loaded.
bool installThai();

} // namespace QtTranslation

#pragma once

#include "core/StartupValues.h"
#include "print/DocumentSettings.h"
#include "support/CapturingPageViewer.h"
#include "support/ScriptedPrompter.h"
#include "ui/FileOpener.h"
#include "ui/WindowOpener.h"
#include "ui/StringGrid.h"
#include "ui/WorkContext.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QUrl>

class Database;

// Types text key by key at the widget's cursor, as a user would, so that
// length limits and masks apply. QTest::keyClicks() takes Latin-1 only, so
// each character, Thai included, travels as the text of a key event.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(0), QString(c), Qt::NoModifier);
}

// Stands in for the desktop's programs: keeps the paths it was asked to open.
class CapturingFileOpener final : public FileOpener {
public:
    bool open(const QString& path) override
    {
        opened << path;
        return canOpen;
    }
    bool openUrl(const QUrl& url) override
    {
        opened << url.toString();
        return canOpen;
    }
    QStringList opened;
    bool canOpen = true;
};

// Stands in for the main window's menu: keeps the items it was asked to
// open and opens none.
class CapturingWindowOpener final : public WindowOpener {
public:
    WorkingWindow* open(const QString& menuItemName) override
    {
        opened << menuItemName;
        return nullptr;
    }
    QStringList opened;
};

// The clerk a window test signs in as, on 8 December 2569, budget year 2570.
inline StartupValues clerkStartup()
{
    return {QStringLiteral("08/12/2569"), QStringLiteral("2570"), QStringLiteral("clerk"), 9};
}

// One workstation with a working window open on the given database, driven
// through the window's named widgets; every box it shows lands in prompter.
// The window prints with the default document texts, no biller ID among
// them, unless the test sets texts (before the window uses them).
template <class Window>
class WindowDriver {
public:
    explicit WindowDriver(Database& db, const StartupValues& values = clerkStartup())
        : startup(values), texts(DocumentTexts::defaults()), context{db, prompter, startup, texts, pages, files, windows},
          window(context)
    {
        window.show();
    }

    // The named widget; a missing one ends the test run, since every later
    // step would only fail less clearly.
    template <class W = QWidget>
    W* get(const char* name)
    {
        W* widget = window.template findChild<W*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void click(const char* name) { get<QAbstractButton>(name)->click(); }
    bool shows(const char* panel) { return get(panel)->isVisible(); }
    QLineEdit* edit(const char* name) { return get<QLineEdit>(name); }
    QComboBox* combo(const char* name) { return get<QComboBox>(name); }
    QLineEdit* comboEdit(const char* name) { return combo(name)->lineEdit(); }
    StringGrid* grid(const char* name = "StringGrid1") { return get<StringGrid>(name); }

    // Replaces the field's text by typing it.
    static void typeInto(QLineEdit* field, const QString& text)
    {
        field->clear();
        typeText(field, text);
    }
    void typeInto(const char* name, const QString& text) { typeInto(edit(name), text); }
    // Types from the start of the field without clearing it, so anything the
    // window left there would still follow the typed text.
    static void typeAtStart(QLineEdit* field, const QString& text)
    {
        field->setCursorPosition(0);
        typeText(field, text);
    }
    // Replaces the field's text in one go, as an input method commits a word.
    void enterText(const char* name, const QString& text)
    {
        edit(name)->clear();
        edit(name)->insert(text);
    }

    ScriptedPrompter prompter;
    CapturingPageViewer pages;
    CapturingFileOpener files;
    CapturingWindowOpener windows;
    StartupValues startup;
    DocumentTexts texts;
    WorkContext context;
    Window window;
};

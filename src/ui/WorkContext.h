#pragma once

class Database;
class FileOpener;
class PageViewer;
class WindowOpener;
class Prompter;
struct DocumentTexts;
struct StartupValues;

// What every working window shares: the one connection, the message seam,
// the values fixed at start-up and sign-in, the settings read at start-up,
// and the seams that show printed documents, open written files and open
// other windows of the menu.
struct WorkContext {
    Database& db;
    Prompter& prompter;
    const StartupValues& startup;
    // The organisation's texts on every printed document and the biller ID
    // the bank's files are matched against, as the settings file said at
    // start-up: a window never reads the file itself.
    const DocumentTexts& texts;
    PageViewer& pages;
    FileOpener& files;
    WindowOpener& windows;
};

#pragma once

class Database;
class FileOpener;
class PageViewer;
class Prompter;
struct StartupValues;

// What every working window shares: the one connection, the message seam,
// the values fixed at start-up and sign-in, and the seams that show printed
// documents and open written files.
struct WorkContext {
    Database& db;
    Prompter& prompter;
    const StartupValues& startup;
    PageViewer& pages;
    FileOpener& files;
};

#pragma once

class Database;
class PageViewer;
class Prompter;
struct StartupValues;

// What every working window shares: the one connection, the message seam,
// the values fixed at start-up and sign-in, and the seam that shows printed
// documents.
struct WorkContext {
    Database& db;
    Prompter& prompter;
    const StartupValues& startup;
    PageViewer& pages;
};

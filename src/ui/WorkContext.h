#pragma once

class Database;
class Prompter;
struct StartupValues;

// What every working window shares: the one connection, the message seam and
// the values fixed at start-up and sign-in.
struct WorkContext {
    Database& db;
    Prompter& prompter;
    const StartupValues& startup;
};

// What every page is given when the main window creates it: the two connections, the
// configuration, and the main window's services. Pages reach the databases only through these.
#pragma once

#include <functional>

class AppConfig;
class Connections;
class Database;
class QObject;

struct PageContext {
    Database* info = nullptr; // the information database
    Database* bank = nullptr; // the test bank (read-only)
    AppConfig* config = nullptr;
    // Owner of both connections, for the pages that close and reopen the information database.
    Connections* connections = nullptr;
    // The main window's ApplyImeName, for pages that create further pages (the launcher's
    // runner pages). May be empty in tests.
    std::function<void(QObject*)> applyImeName;
};

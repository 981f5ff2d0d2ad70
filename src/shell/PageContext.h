// What every page is given when the main window creates it: the two connections and the
// configuration. Pages reach the databases only through these.
#pragma once

class AppConfig;
class Database;

struct PageContext {
    Database* info = nullptr; // the information database
    Database* bank = nullptr; // the test bank (read-only)
    AppConfig* config = nullptr;
};

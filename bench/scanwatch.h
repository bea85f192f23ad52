#pragma once

#include <QString>

struct sqlite3;

// Watches what the statements on one connection read: for each statement that ends, the rows it
// stepped through in scans that no index limited. The widest such scan tells whether something
// read a whole table.
class ScanWatch {
  public:
    explicit ScanWatch(sqlite3* handle);
    ~ScanWatch();
    ScanWatch(const ScanWatch&) = delete;
    ScanWatch& operator=(const ScanWatch&) = delete;

    struct Widest {
        long rows = 0;
        QString statement;
    };
    // The widest scan since the watch began or was last taken.
    Widest take();

  private:
    static int onStatementEnd(unsigned event, void* watch, void* statement, void* elapsed);

    sqlite3* handle_;
    Widest widest_;
};

#include "scanwatch.h"

#include <sqlite3.h>

ScanWatch::ScanWatch(sqlite3* handle) : handle_(handle) {
    sqlite3_trace_v2(handle_, SQLITE_TRACE_PROFILE, &ScanWatch::onStatementEnd, this);
}

ScanWatch::~ScanWatch() {
    sqlite3_trace_v2(handle_, 0, nullptr, nullptr);
}

int ScanWatch::onStatementEnd(unsigned, void* watch, void* statement, void*) {
    auto* self = static_cast<ScanWatch*>(watch);
    auto* stmt = static_cast<sqlite3_stmt*>(statement);
    // Counted from zero again, since the program runs its prepared statements many times.
    const long rows = sqlite3_stmt_status(stmt, SQLITE_STMTSTATUS_FULLSCAN_STEP, 1);
    if (rows > self->widest_.rows)
        self->widest_ = {rows, QString::fromUtf8(sqlite3_sql(stmt))};
    return 0;
}

ScanWatch::Widest ScanWatch::take() {
    Widest widest = widest_;
    widest_ = {};
    return widest;
}

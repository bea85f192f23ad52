#pragma once

#include <QString>

class DelayProxy;

// What every measurement of one run works on.
struct BenchSetup {
    QString workDir;  // the copy of the database, with the program's files beside it
    QString emptyDir; // an empty database, made by the program, for start-up's reference
    QString self;     // this program, run again for the peak memory of one task
    QString server;   // the connection URI of a database on a server; empty for the file
    qint64 patients = 0;
    qint64 invoices = 0;
    // Periods of the income reports, in the last year of the data.
    QString day;
    QString month;
    QString year;
    qint64 yearInvoices = 0;
    // The layout over `layoutRows` invoices is compared with the one over twice as many.
    qint64 layoutRows = 0;
    qint64 pdfRows = 0;
    // The slow link that the program and the floor reach the server through, when one was asked
    // for: the single actions alone are measured, with its round trips.
    const DelayProxy* proxy = nullptr;
    // Every operation once, without holding the figures to their targets: the test suite's run.
    bool quick = false;

    QString databasePath() const { return workDir + "/korvel_data.mdb"; }
    bool onServer() const { return !server.isEmpty(); }
    bool delayed() const { return proxy != nullptr; }
    // Where the measured database is: the server's URI, or the copy of the file.
    QString location() const { return onServer() ? server : databasePath(); }
};

#pragma once

#include <QString>
#include <QStringList>

// The process's own peak resident memory so far, in KiB (VmHWM of /proc/self/status).
long peakMemoryKib();

// A program run to its end: its wall time, and the peak resident memory of it or of any process
// it waited for (LibreOffice runs its work in a child process of its own).
struct ChildRun {
    double seconds = 0;
    long peakKib = 0;
    int exitCode = -1;
    QString output; // what it wrote to its standard output
};
ChildRun runMeasured(const QString& program, const QStringList& arguments);

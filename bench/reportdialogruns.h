#pragma once

#include <QString>

class ProgramSession;

// The annual report as its user produces it: "Reports" on the main window, "YEAR", the year
// typed, "TO SCREEN" or "TO PRINTER", then "OK".

// What one run to the screen measured, in seconds from "OK".
struct PreviewRun {
    double firstPage = 0; // the preview's first page painted on the screen
    double whole = 0;     // the whole report laid out in the preview
    int pages = 0;
    bool ok = false;
};
// Shows the report, waits until it is laid out, moves to its last page (which is painted) and
// closes the preview.
PreviewRun previewAnnualReport(ProgramSession& session, const QString& year);

// One run to the printer, from "OK" until the program has handed the job over: the wall clock,
// and the program's processor time, which other work on a shared machine stretches less.
struct PrintRun {
    double seconds = 0;
    double processor = 0;
    bool ok = false; // false when the program said something instead
};
// Sends the report to the default printer, then cancels the job in the queue.
PrintRun printAnnualReport(ProgramSession& session, const QString& year);

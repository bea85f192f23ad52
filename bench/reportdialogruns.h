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

// Sends the report to the default printer; the seconds until the program has handed the job
// over, or a negative number when the program said something instead.
double printAnnualReport(ProgramSession& session, const QString& year);

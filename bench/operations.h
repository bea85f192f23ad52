#pragma once

#include <QString>

class ProgramSession;
class QTableView;
class QWidget;

// What the benchmark's user does on the program's screens, through their controls, as a person
// would. Each returns when the program has handled the action: the data are in the screen's
// boxes and grid; the window is drawn at the next settle().

// "Open" on the patient file screen with a file number typed into its input box.
void openPatientFile(ProgramSession& session, QWidget* patientScreen, const QString& number);
// A search of the family names for a fragment; the grid shows its first screenful.
void searchFamilyNames(QWidget* searchScreen, const QString& fragment);
// "Outstanding" on the invoice list; the grid shows its first screenful.
void showPendingInvoices(QWidget* listScreen);
// "All" on the invoice list.
void showAllInvoices(QWidget* listScreen);
// Ctrl+End on the grid, and Ctrl+Home; the grid shows the list's last or first rows.
void scrollToEnd(QTableView* grid);
void scrollToStart(QTableView* grid);
// The grid's scroll bar dragged to a point of its run (0 the top, 1 the bottom); the grid shows
// the rows there.
void dragScrollBarTo(QTableView* grid, double fraction);
// The program left idle until the grid's list is counted, as it is a few seconds after opening.
void untilCounted(QTableView* grid);
// A button of the invoice list's navigation bar, by its spoken name ("Last record").
void pressNavigation(QWidget* listScreen, const QString& spokenName);
// An invoice number typed into the invoice list's number box, then Enter.
void findInvoice(QWidget* listScreen, qint64 number);

// The open-file dialog with a patient's file number typed and looked up; returns the dialog.
QWidget* choosePatientForInvoice(ProgramSession& session, const QString& fileNumber);
// The dialog's "OK": the invoice screen opened and filled; returns it. Ends the benchmark when
// it does not open.
QWidget* openInvoiceScreen(QWidget* openFile);
// A catalog code typed into the invoice screen's code box and left with Tab, which looks it up:
// the code of the line-th procedure ("01", "02"...).
void lookUpCode(QWidget* invoiceScreen, int line);
// The invoice screen's line "OK": the looked-up procedure added as a line.
void addLine(QWidget* invoiceScreen);
// "CANCEL" on the invoice screen: the invoice is dropped and the screen closes.
void cancelInvoice(QWidget* invoiceScreen);
// Opens an invoice for a patient through the open-file dialog and enters ten catalog lines on
// the invoice screen; returns the invoice screen, ready for "OK". Ends the benchmark when the
// invoice screen does not open.
QWidget* composeTenLineInvoice(ProgramSession& session, const QString& fileNumber);
// "OK" on the invoice screen; returns the invoice number it shows.
QString saveInvoice(QWidget* invoiceScreen);
// "Quit" on the invoice screen after saving.
void leaveInvoice(QWidget* invoiceScreen);

// The rows that a grid shows at once.
int screenful(QTableView* grid);

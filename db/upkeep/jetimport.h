#pragma once

#include "db/upkeep/databasecopy.h"

#include <QList>
#include <QString>
#include <functional>

// The earlier program's Jet file copied into a new Korvel database (a file that does not exist
// yet, or an empty database on a server) by the copy's own checks: the six tables row for row
// with their ids and invoice numbers, texts as stored (null stays null, empty stays empty), a
// file of the older layout upgraded as the program upgrades one, the payments carried over as for
// any file made before payments were kept. One transaction; it commits only when every table's
// count and, per year, the invoices' count and sums of po_pri and po_netd are those of the Jet
// file. The Jet file is only read.

// A value that the new database cannot hold as the Jet file has it, and what the copy stores
// instead when the user lets it adjust.
struct JetAdjustment {
    QString table;
    QString rowKey;
    QString column;
    QString value;
    QString problem;
    QString adjusted;
};

// Asked with every adjustment before anything is kept: true copies with them, false stops.
using AdjustmentChoice = std::function<bool(const QList<JetAdjustment>&)>;

// The copy. A failure, a refusal or a cancel raises AppError and leaves nothing behind; a stop
// at the user's choice is numbered ErrorNumber::DialogCancelled too. When values were adjusted,
// they are written to the import report beside the new database.
CopySummary importJetDatabase(const QString& jetPath, const QString& to,
                              const CopyProgress& progress, const AdjustmentChoice& choice);

// Where the import report of a copy to that target goes: beside a new file, or beside the Jet
// file when the target is a server.
QString importReportPath(const QString& jetPath, const QString& to);

// The adjustments as lines for a message: "table, row key, column: value (problem)".
QString adjustmentList(const QList<JetAdjustment>& adjustments, int most);

#pragma once

#include "core/apperror.h"

#include <QSqlDatabase>

// A server's session can end under a connection that still looks open: the server restarted, or
// the network dropped it. Nothing asks the server before each statement whether it is still
// there; a statement that fails tells, and a new session is then opened in place, on the same
// connection, so that every screen holding the connection reaches the server again.

// Runs the step, which sends statements on a server's connection. When the session turns out to
// be lost, a new one is opened and, when no transaction was open, the step runs once more; the
// work of a transaction lost with the session is not done again, and its error says so. A
// server that cannot be reached raises which one and why.
template <typename Step> decltype(auto) onLiveSession(const QSqlDatabase& db, Step step);

// The number of the connection's session: it changes whenever a lost one was replaced, and with
// it the connection's working tables are new and empty.
int sessionOf(const QSqlDatabase& db);

// --- what onLiveSession is made of ---------------------------------------------------------------

// Opens the session again where the connection was closed because the server could not be
// reached the last time.
void reachClosedSession(const QSqlDatabase& db);
// Whether a transaction is open on the connection, as the program began and ended it: the client
// library tells only when no statement's rows are still being read.
void noteTransaction(const QSqlDatabase& db, bool open);
bool outsideTransaction(const QSqlDatabase& db);
// True when the connection's session is gone.
bool sessionLost(const QSqlDatabase& db);
// A new session on the connection, with its own working tables.
void renewSession(const QSqlDatabase& db);
// What the user is told of work that a lost session took with it.
AppError lostWithSession(const AppError& error);

template <typename Step> decltype(auto) onLiveSession(const QSqlDatabase& db, Step step) {
    reachClosedSession(db);
    const bool retry = outsideTransaction(db);
    try {
        return step();
    } catch (const AppError& error) {
        if (!sessionLost(db))
            throw;
        renewSession(db);
        if (!retry)
            throw lostWithSession(error);
    }
    return step();
}

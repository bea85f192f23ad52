#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>

// Runs one statement through Qt's driver, forward-only, throwing the engine's error when it fails.
// A statement without values is not prepared: a server prepares none that defines tables or sets
// the transaction.
QSqlQuery plainQuery(const QSqlDatabase& db, const QString& sql, const QVariantList& values);

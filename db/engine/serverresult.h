#pragma once

#include "db/engine/statementrunner.h"

#include <QSqlQuery>

// Every row of a server statement's result just run, its values as serverValue() gives them.
// Texts and whole numbers, nearly all that the clinic's tables hold, are read from the client
// library's result itself: through the driver each value costs a conversion to its type and
// back, and each read a description of every column, which made reading a page of rows several
// times the time the client library takes to receive it.
QVector<Row> serverResultRows(QSqlQuery& query);

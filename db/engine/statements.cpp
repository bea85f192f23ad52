#include "db/engine/statements.h"

#include "db/engine/dialect.h"

Statements::Statements(const QSqlDatabase& db) : db_(db), runner_(dialectOf(db).statementsOn(db)) {}

Statements::~Statements() = default;

QVector<Row> Statements::rows(const QString& sql, const QVariantList& values) {
    return runner_->rows(sql, values);
}

QStringList Statements::columnNames(const QString& sql, const QVariantList& values) {
    return runner_->columnNames(sql, values);
}

QVariant Statements::value(const QString& sql, const QVariantList& values) {
    const QVector<Row> found = rows(sql, values);
    return found.isEmpty() ? QVariant() : found.first().value(0);
}

std::unique_ptr<RowSource> Statements::stream(const QString& sql, const QVariantList& values) {
    return dialectOf(db_).streamedRows(db_, sql, values);
}

int Statements::write(const QString& sql, const QVariantList& values) {
    return runner_->write(sql, values);
}

void Statements::runOnce(const QString& sql) {
    dialectOf(db_).run(db_, sql, {});
}

qint64 Statements::insert(const QString& sql, const QVariantList& values,
                          const QString& keyColumn) {
    return rows(sql + " RETURNING " + keyColumn, values).first().first().toLongLong();
}

QString Statements::holdsExactly(const QString& column, bool integer) const {
    return dialectOf(db_).holdsExactly(column, integer);
}

QVector<TableColumn> Statements::tableColumns(const QString& table) {
    QVector<TableColumn> columns;
    for (const Row& row : dialectOf(db_).tableColumns(*this, table))
        columns.append({row[0].toString(), row[1].toBool(), row[2].toBool()});
    return columns;
}

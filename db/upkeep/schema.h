#pragma once

#include "db/engine/dialect.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The one place where the tables of the database are defined.

struct ColumnDef {
    enum class Type { Long, Text, Boolean };
    QString name;
    Type type;
    int size = 0;           // characters, for text
    bool allowEmpty = true; // whether a zero-length text is accepted
    bool autoIncrement = false;
};

struct IndexDef {
    QString column;
    bool primary = false;
};

struct TableDef {
    QString name;
    std::vector<ColumnDef> columns;
    std::vector<IndexDef> indexes;

    const ColumnDef* column(const QString& columnName) const;
};

// An index beyond the tables' own, for what the screens and reports select by. It changes no
// result, only how fast it comes; a condition makes it cover only the rows that meet it.
struct AddedIndexDef {
    QString name;
    QString table;
    QString columns;
    QString condition;
};

// The six tables in the order in which a new database creates them.
const std::vector<TableDef>& schemaTables();
const TableDef& tableDef(const QString& tableName);

// The statements that create one table and its indexes.
// The same tables stand in a database file and on a database server; only how a counter is
// declared, the name of the Arabic collation and the names of the rules differ.
QStringList createTableStatements(const TableDef& table, const Dialect& dialect = fileDialect());
// On a server: the collation that the text columns declare, made before the tables. Case aside,
// as in the file; such a collation cannot serve LIKE, so searches name another one.
QString createServerCollationStatement();
// The added indexes and the statement that creates one.
const std::vector<AddedIndexDef>& addedIndexes();
QString createIndexStatement(const AddedIndexDef& index);
// One column as it stands in CREATE TABLE or ALTER TABLE ... ADD COLUMN.
QString columnSql(const TableDef& table, const ColumnDef& column,
                  const Dialect& dialect = fileDialect());
// What a server's refusal by the named constraint means, in the file's own words.
std::optional<QString> serverConstraintMessage(const QString& name);

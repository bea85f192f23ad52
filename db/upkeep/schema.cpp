#include "db/upkeep/schema.h"

#include <QCoreApplication>
#include <stdexcept>

namespace {

using Type = ColumnDef::Type;

ColumnDef text(const QString& name, int size, bool allowEmpty = true) {
    return {name, Type::Text, size, allowEmpty, false};
}
ColumnDef number(const QString& name) {
    return {name, Type::Long, 0, true, false};
}
ColumnDef counter(const QString& name) {
    return {name, Type::Long, 0, true, true};
}
ColumnDef flag(const QString& name) {
    return {name, Type::Boolean, 0, true, false};
}

IndexDef primary(const QString& column) {
    return {column, true};
}
IndexDef plain(const QString& column) {
    return {column, false};
}

std::vector<TableDef> buildSchema() {
    return {
        {"file_desc",
         {counter("id"), text("code", 2, false), text("descrip", 45, false), number("amount")},
         {primary("id"), plain("code")}},
        {"inv_rep_data",
         {counter("id"), text("adrr", 25), text("name", 40), text("file_p", 6, false),
          text("invo", 15, false), text("dater", 10, false), text("cash", 1), text("credit1", 1),
          text("parti1", 1), text("netd", 5), text("paym", 5), text("tot", 5)},
         {primary("id"), plain("file_p")}},
        {"per_inf_data",
         {counter("id"),
          text("pt_name_f", 12),
          text("pt_name_s", 12),
          text("pt_name_t", 12),
          text("pt_name_fm", 12),
          text("pt_name", 40),
          text("pt_age", 2),
          text("pt_occupation", 15),
          text("pt_tel_h", 7),
          text("pt_ex_h", 4),
          text("pt_tel_w", 7),
          text("pt_ex_w", 4),
          text("pt_address", 25),
          text("pt_nationality", 12),
          text("pt_social", 10),
          text("pt_id_card", 15),
          text("rel_name", 40),
          text("rel_age", 2),
          text("rel_occupation", 15),
          text("rel_tel_h", 7),
          text("rel_ex_h", 4),
          text("rel_tel_w", 7),
          text("rel_ex_w", 4),
          text("rel_address", 15),
          text("comm", 50),
          text("file_num", 6, false),
          text("file_data", 10),
          flag("temporary"),
          text("mobileno", 10)},
         {primary("id"), plain("file_num")}},
        {"po_desc",
         {counter("id"), text("descr2", 45), text("file_p", 6), number("amount2"),
          text("code2", 2, false)},
         {primary("id"), plain("file_p"), plain("code2")}},
        {"po_descs",
         {counter("id"), text("descr2", 45), text("file_p", 6), number("amount2"),
          text("code2", 2, false), number("po_num")},
         {primary("id"), plain("file_p"), plain("code2"), plain("po_num")}},
        {"pt_sh",
         {text("file_num", 6), counter("po_num"), text("po_date", 10), number("po_pri"),
          number("po_netd"), text("fmon", 7), text("fyear", 4)},
         {plain("file_num"), plain("po_num")}},
    };
}

// The period reports select invoices by their date texts, the nationality count groups the
// patients, and the pending list runs over the invoices still due in number order. Text columns
// keep their declared collation in an index, which is the one their comparisons use. A month's
// thousands of invoices are read from its index alone, in number order as from the table. A
// year's come in number order from its index: the file's indexes end on the row number by
// themselves, a server's only when told. A patient's statement finds the payments of the
// patient's deleted invoices by the file number, not by reading every payment.
std::vector<AddedIndexDef> buildAddedIndexes() {
    return {
        {"pt_sh_po_date", "pt_sh", "po_date", ""},
        {"pt_sh_fmon", "pt_sh", "fmon, po_num, file_num, po_date, po_pri, po_netd, fyear", ""},
        {"pt_sh_fyear", "pt_sh", "fyear, po_num", ""},
        {"per_inf_data_nationality", "per_inf_data", "pt_nationality, temporary", ""},
        {"pt_sh_pending", "pt_sh", "po_num", "po_netd > 0"},
        {"payments_file_num", "payments", "file_num", ""},
    };
}

QString quoted(const QString& constraintText) {
    return "\"" + QString(constraintText).replace('"', "\"\"") + "\"";
}

enum class Rule { Whole, Flag, Size, NotEmpty };
const char* const kRuleNames[] = {"whole", "flag", "size", "notempty"};

QString ruleMessage(const TableDef& table, const ColumnDef& column, Rule rule) {
    const QString field = "'" + table.name + "." + column.name + "'";
    switch (rule) {
    case Rule::Whole:
        return QCoreApplication::translate("Database",
                                           "The value in field %1 is not a whole number of 32 bits")
            .arg(field);
    case Rule::Flag:
        return QCoreApplication::translate("Database", "The value in field %1 is not Yes or No")
            .arg(field);
    case Rule::Size:
        return QCoreApplication::translate("Database", "The field %1 holds at most %2 characters")
            .arg(field, QString::number(column.size));
    case Rule::NotEmpty:
        return QCoreApplication::translate("Database", "Field %1 cannot be a zero-length string")
            .arg(field);
    }
    return QString();
}

// A server's names are short (63 bytes at most): its message is found from the name.
QString constraint(const Dialect& dialect, const TableDef& table, const ColumnDef& column,
                   Rule rule) {
    return " CONSTRAINT " +
           quoted(dialect.ruleName(ruleMessage(table, column, rule),
                                   table.name + "." + column.name + "." + kRuleNames[int(rule)]));
}

} // namespace

const ColumnDef* TableDef::column(const QString& columnName) const {
    for (const auto& c : columns)
        if (c.name == columnName)
            return &c;
    return nullptr;
}

const std::vector<TableDef>& schemaTables() {
    static const std::vector<TableDef> tables = buildSchema();
    return tables;
}

const std::vector<AddedIndexDef>& addedIndexes() {
    static const std::vector<AddedIndexDef> indexes = buildAddedIndexes();
    return indexes;
}

QString createIndexStatement(const AddedIndexDef& index) {
    QString sql = "CREATE INDEX " + index.name + " ON " + index.table + " (" + index.columns + ")";
    if (!index.condition.isEmpty())
        sql += " WHERE " + index.condition;
    return sql;
}

const TableDef& tableDef(const QString& tableName) {
    for (const auto& table : schemaTables())
        if (table.name == tableName)
            return table;
    throw std::invalid_argument("no table " + tableName.toStdString());
}

// The constraints are named with the text that the engine then reports, so that a refused store
// tells the user which field was at fault.
QString createServerCollationStatement() {
    return "CREATE COLLATION IF NOT EXISTS korvel_arabic (provider = icu, "
           "locale = 'ar-SA-u-ks-level2-kk-true', deterministic = false)";
}

QString columnSql(const TableDef& table, const ColumnDef& column, const Dialect& dialect) {
    const QString& c = column.name;
    switch (column.type) {
    case Type::Long:
        if (column.autoIncrement)
            return c + " " + dialect.counterColumn();
        // Wider on a server than the rule, so that a number out of range meets the rule and is
        // refused in the file's words rather than the type's.
        return c + " " + dialect.wideInteger() + constraint(dialect, table, column, Rule::Whole) +
               " CHECK(" + c + " BETWEEN -2147483648 AND 2147483647)";
    case Type::Boolean:
        return c + " INTEGER" + constraint(dialect, table, column, Rule::Flag) + " CHECK(" + c +
               " IN (0, 1))";
    case Type::Text: {
        QString sql = c + " TEXT COLLATE " + dialect.collation() +
                      constraint(dialect, table, column, Rule::Size) + " CHECK(length(" + c +
                      ") <= " + QString::number(column.size) + ")";
        if (!column.allowEmpty)
            sql += constraint(dialect, table, column, Rule::NotEmpty) + " CHECK(length(" + c +
                   ") > 0)";
        return sql;
    }
    }
    return c;
}

std::optional<QString> serverConstraintMessage(const QString& name) {
    const QStringList parts = name.split('.');
    if (parts.size() != 3)
        return std::nullopt;
    for (const TableDef& table : schemaTables())
        if (const ColumnDef* column = table.column(parts[1]); table.name == parts[0] && column)
            for (int rule = 0; rule < 4; ++rule)
                if (parts[2] == kRuleNames[rule])
                    return ruleMessage(table, *column, Rule(rule));
    return std::nullopt;
}

QStringList createTableStatements(const TableDef& table, const Dialect& dialect) {
    QStringList columns;
    for (const auto& column : table.columns)
        columns << columnSql(table, column, dialect);
    QStringList statements{"CREATE TABLE " + table.name + " (" + columns.join(", ") + ")"};
    for (const auto& index : table.indexes) {
        // The counter column is the table's row key, which is already its unique index.
        const ColumnDef* column = table.column(index.column);
        if (column && column->autoIncrement)
            continue;
        statements << "CREATE INDEX " + table.name + "_" + index.column + " ON " + table.name +
                          " (" + index.column + ")";
    }
    return statements;
}

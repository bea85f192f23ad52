#include "db/upkeep/copylayout.h"

#include "core/apperror.h"
#include "db/engine/arabiccollation.h"
#include "db/engine/filedialect.h"
#include "db/upkeep/createdb.h"
#include "db/upkeep/schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr int kNotTheProgramsLayout = 3704;

struct Column {
    QString name;
    QString type;
};

struct Object {
    bool table = false;
    QList<Column> columns;
};

using Objects = QMap<QString, Object>;

QStringList textsOf(sqlite3* handle, const QString& sql, const QString& value = QString()) {
    QStringList texts;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw fileEngineError(sqlite3_errcode(handle), QString::fromUtf8(sqlite3_errmsg(handle)));
    const QByteArray bound = value.toUtf8();
    if (!value.isNull())
        sqlite3_bind_text(statement, 1, bound.constData(), int(bound.size()), SQLITE_TRANSIENT);
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW)
        for (int i = 0; i < sqlite3_column_count(statement); ++i)
            texts << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
    sqlite3_finalize(statement);
    if (code != SQLITE_DONE)
        throw fileEngineError(code, QString::fromUtf8(sqlite3_errstr(code)));
    return texts;
}

// The file's tables and views by name, read without writing anything to it.
Objects objectsIn(const QString& path) {
    sqlite3* handle = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle,
                                       SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(handle, sqlite3_close);
    if (opened != SQLITE_OK)
        throw fileEngineError(opened, QString::fromUtf8(sqlite3_errstr(opened)));
    registerArabicCollation(handle);
    Objects objects;
    const QStringList named =
        textsOf(handle, "SELECT name, type FROM sqlite_master WHERE type IN "
                        "('table', 'view') AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
    for (int i = 0; i + 1 < named.size(); i += 2) {
        Object& object = objects[named[i].toLower()];
        object.table = named[i + 1] == "table";
        const QStringList columns =
            textsOf(handle, "SELECT name, type FROM pragma_table_info(?)", named[i]);
        for (int c = 0; c + 1 < columns.size(); c += 2)
            object.columns.append({columns[c], columns[c + 1]});
    }
    return objects;
}

// The layout of a database as the program builds it now, read once.
const Objects& programsObjects() {
    static const Objects objects = [] {
        QTemporaryDir dir;
        const QString path = dir.filePath("layout.mdb");
        buildEmptyDatabaseFile(path);
        return objectsIn(path);
    }();
    return objects;
}

// What the older layout lacks, and the upgrade adds.
bool addedByTheUpgrade(const QString& table, const QString& column) {
    return (table == "pt_sh" && column == "po_netd") ||
           (table == "per_inf_data" && column == "mobileno") ||
           (table == "po_desc" && column == "id") || (table == "po_descs" && column.isEmpty());
}

// The clinic's own tables must be there; the program's other tables came with later versions
// and are made by the upgrade, the payments' two always together.
QStringList requiredTables(const Objects& file) {
    QStringList required;
    for (const TableDef& table : schemaTables())
        if (!addedByTheUpgrade(table.name, QString()))
            required << table.name;
    if (file.contains("payments") || file.contains("invoice_kinds"))
        required << "payments"
                 << "invoice_kinds";
    return required;
}

bool requiredColumn(const QString& table, const QString& column) {
    const bool clinicTable = std::any_of(schemaTables().begin(), schemaTables().end(),
                                         [&](const TableDef& def) { return def.name == table; });
    return !clinicTable || (tableDef(table).column(column) && !addedByTheUpgrade(table, column));
}

const Column* columnNamed(const QList<Column>& columns, const QString& name) {
    for (const Column& column : columns)
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return &column;
    return nullptr;
}

QStringList columnFindings(const QString& table, const Object& found, const Object& own) {
    QStringList findings;
    for (const Column& column : found.columns) {
        const Column* expected = columnNamed(own.columns, column.name);
        if (!expected)
            findings << QCoreApplication::translate("Database",
                                                    "the column %1.%2 is not one of Korvel's")
                            .arg(table, column.name);
        else if (expected->type.compare(column.type, Qt::CaseInsensitive) != 0)
            findings << QCoreApplication::translate(
                            "Database", "the column %1.%2 is of the type \"%3\" instead of \"%4\"")
                            .arg(table, column.name, column.type, expected->type);
    }
    for (const Column& column : own.columns)
        if (!columnNamed(found.columns, column.name) && requiredColumn(table, column.name))
            findings << QCoreApplication::translate("Database", "the table %1 has no column %2")
                            .arg(table, column.name);
    return findings;
}

QStringList findings(const Objects& file) {
    const Objects& own = programsObjects();
    QStringList found;
    for (const QString& table : requiredTables(file))
        if (!file.contains(table))
            found << QCoreApplication::translate("Database", "the table %1 is missing").arg(table);
    for (auto object = file.begin(); object != file.end(); ++object) {
        if (!own.contains(object.key())) {
            if (object->table)
                found << QCoreApplication::translate("Database", "%1 is not one of Korvel's tables")
                             .arg(object.key());
        } else if (!object->table)
            found << QCoreApplication::translate("Database", "%1 is a view, not a table")
                         .arg(object.key());
        else
            found << columnFindings(object.key(), *object, own[object.key()]);
    }
    return found;
}

} // namespace

FileLayout checkedLayout(const QString& path) {
    const QString notKorvels =
        QCoreApplication::translate("Database", "%1 is not a database of Korvel:").arg(path) +
        "\r\n";
    Objects file;
    try {
        file = objectsIn(path);
    } catch (const AppError& error) {
        throw AppError(error.number(), notKorvels + error.description(), error.kind());
    }
    const QStringList wrong = findings(file);
    if (!wrong.isEmpty())
        throw AppError(kNotTheProgramsLayout, notKorvels + wrong.join("\r\n"));
    FileLayout layout;
    for (auto object = file.begin(); object != file.end(); ++object)
        if (object->table && programsObjects().contains(object.key()))
            for (const Column& column : object->columns)
                layout[object.key()] << column.name;
    return layout;
}

bool olderLayout(const FileLayout& layout) {
    if (!layout.contains("po_descs") || !layout.contains("payments"))
        return true;
    for (auto table = layout.begin(); table != layout.end(); ++table)
        if (std::any_of(schemaTables().begin(), schemaTables().end(),
                        [&](const TableDef& def) { return def.name == table.key(); }))
            for (const ColumnDef& column : tableDef(table.key()).columns)
                if (!table->contains(column.name, Qt::CaseInsensitive))
                    return true;
    return false;
}

#include "oldlayout.h"

#include "db/engine/connection.h"
#include "db/upkeep/schema.h"

namespace {
bool missingInOldLayout(const QString& table, const QString& column) {
    return (table == "pt_sh" && column == "po_netd") ||
           (table == "per_inf_data" && column == "mobileno") ||
           (table == "po_desc" && column == "id");
}
} // namespace

void createOldLayoutDatabase(const QString& path) {
    ScopedDatabase database(path, ScopedDatabase::Mode::CreateFile);
    for (TableDef table : schemaTables()) {
        if (table.name == "po_descs")
            continue;
        std::vector<ColumnDef> columns;
        for (const ColumnDef& column : table.columns)
            if (!missingInOldLayout(table.name, column.name))
                columns.push_back(column);
        table.columns = columns;
        std::vector<IndexDef> indexes;
        for (const IndexDef& index : table.indexes)
            if (!missingInOldLayout(table.name, index.column))
                indexes.push_back(index);
        table.indexes = indexes;
        for (const QString& statement : createTableStatements(table))
            runQuery(database.db(), statement);
    }
}

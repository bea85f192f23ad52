#include "binding/csvexport.h"

#include "binding/datasource.h"
#include "core/csvfile.h"
#include "core/dialogs.h"
#include "core/failures.h"
#include "db/engine/connection.h"
#include "db/upkeep/databasecare.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QTableView>
#include <optional>

namespace {

constexpr int kPageRows = RecordSourceModel::PageSize;

QString progressText(qint64 done) {
    return QCoreApplication::translate("CsvExport", "Exporting %1 rows")
        .arg(QLocale(QLocale::English).toString(done));
}

void exportFromGrid(QTableView* grid, DataSource* source, const QString& fileName) {
    const auto path =
        dialogs().saveFile(QCoreApplication::translate("CsvExport", "CSV Files (*.csv)|*.csv"),
                           QDir::homePath(), fileName + ".csv");
    if (!path)
        return;
    const auto progress = dialogs().progress(
        grid->window(), QCoreApplication::translate("CsvExport", "Export to CSV"));
    trapped(
        [&] {
            exportRecords(source->databaseName(), source->definition(),
                          source->model()->shownColumns(), *path, *progress);
        },
        [](const AppError& error) {
            ErrorLog::write("error (Export) : ", error);
            showMessage(error.description());
        });
}

} // namespace

bool exportRecords(const QString& databasePath, const RecordSourceDefinition& definition,
                   const QVector<RecordSourceModel::Column>& columns, const QString& path,
                   Progress& progress) {
    // A file is read once on a connection of its own, unmapped; on a server the invoice being
    // written is seen only by the session of the shared connection.
    std::optional<ScopedDatabase> own;
    if (readsOnceApart(databasePath)) {
        own.emplace(databasePath);
        readOnceUnmapped(own->db());
    }
    const auto records = openRecordSet(own ? own->db() : openDatabase(databasePath), definition);
    QVector<int> fields;
    QStringList titles;
    for (const RecordSourceModel::Column& column : columns) {
        fields << records->requireColumn(column.field);
        titles << column.caption;
    }
    // Counting a long list first would keep the window still for as long as reading it: the
    // progress shows the rows written, without a total.
    CsvFile file(path);
    file.writeRow(titles);
    qint64 done = 0;
    std::optional<qint64> after;
    for (QVector<Record> page; !(page = records->page(after, kPageRows)).isEmpty();) {
        for (const Record& record : page) {
            QStringList row;
            for (const int field : fields)
                row << csvCell(record.values[field]);
            file.writeRow(row);
        }
        done += page.size();
        after = page.last().key;
        if (!progress.advance(progressText(done), int(done), 0))
            return false;
    }
    file.commit();
    return true;
}

void offerCsvExport(QTableView* grid, DataSource* source, const QString& fileName) {
    auto* menu = new QMenu(grid);
    QAction* exportCsv =
        menu->addAction(QCoreApplication::translate("CsvExport", "Export to CSV..."));
    exportCsv->setObjectName("actExportCsv");
    QObject::connect(exportCsv, &QAction::triggered, grid,
                     [grid, source, fileName] { exportFromGrid(grid, source, fileName); });
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        grid, &QWidget::customContextMenuRequested, menu,
        [grid, menu](const QPoint& at) { menu->popup(grid->viewport()->mapToGlobal(at)); });
}

#include "libreoffice.h"

#include "db/engine/connection.h"

#include <QFile>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

bool libreOfficeAvailable() {
    return !QStandardPaths::findExecutable("soffice").isEmpty();
}

void writeInvoicesCsv(const QString& databasePath, const QString& condition, const QVariant& value,
                      const QString& path) {
    ScopedDatabase database(databasePath);
    QSqlQuery query = runQuery(database.db(),
                               "select file_num, po_num, po_date, po_pri, po_netd from pt_sh "
                               "where " +
                                   condition + " order by po_num",
                               {value});
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream out(&file);
    out << "File Number,Invoice No,Date,Amount,Due\n";
    while (query.next())
        out << query.value(0).toString() << ',' << query.value(1).toString() << ','
            << query.value(2).toString() << ',' << query.value(3).toString() << ','
            << query.value(4).toString() << '\n';
}

ChildRun convertToPdf(const QString& csvPath, const QString& outputDir, const QString& profileDir) {
    return runMeasured(QStandardPaths::findExecutable("soffice"),
                       {"-env:UserInstallation=" + QUrl::fromLocalFile(profileDir).toString(),
                        "--headless", "--convert-to", "pdf", "--outdir", outputDir, csvPath});
}

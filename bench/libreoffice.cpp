#include "libreoffice.h"

#include "db/engine/connection.h"
#include "db/engine/statements.h"

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
    const auto rows = Statements(database.db())
                          .stream("select file_num, po_num, po_date, po_pri, po_netd from pt_sh "
                                  "where " +
                                      condition + " order by po_num",
                                  {value});
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream out(&file);
    out << "File Number,Invoice No,Date,Amount,Due\n";
    while (rows->next())
        out << rows->value(0).toString() << ',' << rows->value(1).toString() << ','
            << rows->value(2).toString() << ',' << rows->value(3).toString() << ','
            << rows->value(4).toString() << '\n';
}

ChildRun convertToPdf(const QString& csvPath, const QString& outputDir, const QString& profileDir) {
    return runMeasured(QStandardPaths::findExecutable("soffice"),
                       {"-env:UserInstallation=" + QUrl::fromLocalFile(profileDir).toString(),
                        "--headless", "--convert-to", "pdf", "--outdir", outputDir, csvPath});
}

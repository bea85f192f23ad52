#include "db/clinic/reportrows.h"

#include "db/engine/connection.h"
#include "db/engine/statements.h"

namespace {

// The patient is the first file with the invoice's file number, so that a file number that
// two files share cannot print the invoice's lines twice.
const QString kInvoiceQuery =
    "SELECT (SELECT count(id) FROM po_descs AS x WHERE x.po_num = ? AND x.id <= po_descs.id) "
    "AS xxx, per_inf_data.pt_name AS name, per_inf_data.pt_address AS adrr, "
    "pt_sh.file_num AS file_p, pt_sh.po_num AS invo, pt_sh.po_date AS dater, "
    "pt_sh.po_pri AS tot, pt_sh.po_netd AS netd, (pt_sh.po_pri - pt_sh.po_netd) AS paym, "
    "po_descs.descr2, po_descs.amount2, po_descs.code2 "
    "FROM (pt_sh LEFT JOIN po_descs ON pt_sh.po_num = po_descs.po_num) "
    "LEFT JOIN per_inf_data ON per_inf_data.id = "
    "(SELECT min(p.id) FROM per_inf_data AS p WHERE p.file_num = pt_sh.file_num) "
    "WHERE pt_sh.po_num = ? ORDER BY po_descs.id";

std::unique_ptr<RowSource> rows(const QString& path, const QString& sql,
                                const QVariantList& values) {
    return Statements(openDatabase(path)).stream(sql, values);
}

QString periodColumn(ReportPeriod period) {
    switch (period) {
    case ReportPeriod::Month:
        return "fmon";
    case ReportPeriod::Year:
        return "fyear";
    case ReportPeriod::Day:
        break;
    }
    return "po_date";
}

} // namespace

std::unique_ptr<RowSource> patientSheetRows(const QString& path, const QString& fileNumber) {
    return rows(path, "select * from per_inf_data where file_num = ?", {fileNumber});
}

std::unique_ptr<RowSource> nationalityCountRows(const QString& path) {
    return rows(path, nationalityCountQuery(dialectAt(path)), {});
}

std::unique_ptr<RowSource> periodInvoiceRows(const QString& path, ReportPeriod period,
                                             const QString& text) {
    return rows(path, periodInvoiceQuery(period, dialectAt(path)), {text});
}

// The file gives the rows in invoice-number order, that of its table; a server gives rows in no
// order unless asked, and a paid invoice's new version stands after the later ones.
QString periodInvoiceQuery(ReportPeriod period, const Dialect& dialect) {
    const QString order = dialect.storedOrder("po_num");
    return "select * from pt_sh where " + periodColumn(period) + " = ?" +
           (order.isEmpty() ? "" : " " + order);
}

// In the file the groups come in the order of their index, the patients without a nationality
// first; a server is asked for that order.
QString nationalityCountQuery(const Dialect& dialect) {
    return QString("select pt_nationality,\"temporary\",count(pt_nationality) as pt_count from "
                   "per_inf_data group by pt_nationality,\"temporary\" ") +
           dialect.storedOrder("pt_nationality nulls first,\"temporary\"");
}

RowSet invoiceReportRows(const QString& path, const QVariant& invoiceNumber) {
    const auto rows =
        Statements(openDatabase(path)).stream(kInvoiceQuery, {invoiceNumber, invoiceNumber});
    return RowSet::readAll(*rows);
}

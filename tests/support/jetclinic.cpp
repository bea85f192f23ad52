#include "support/jetclinic.h"

#include "db/upkeep/schema.h"

namespace {

constexpr int kRowsPerPage = 9;
constexpr int kLinesPerInvoice = 2;

bool missingInOlderLayout(const QString& table, const QString& column) {
    return (table == "pt_sh" && column == "po_netd") ||
           (table == "per_inf_data" && column == "mobileno") ||
           (table == "po_desc" && column == "id");
}

JetType jetType(ColumnDef::Type type) {
    switch (type) {
    case ColumnDef::Type::Long:
        return JetType::Long;
    case ColumnDef::Type::Text:
        return JetType::Text;
    case ColumnDef::Type::Boolean:
        break;
    }
    return JetType::Boolean;
}

QList<JetColumn> jetColumns(const TableDef& table, bool olderLayout) {
    QList<JetColumn> columns;
    for (const ColumnDef& column : table.columns)
        if (!olderLayout || !missingInOlderLayout(table.name, column.name))
            columns << JetColumn{column.name, jetType(column.type), column.size,
                                 column.autoIncrement};
    return columns;
}

const QStringList kEnglishNames{"Ahmad", "Sara", "Khalid", "Mona", "Omar", "Huda", "Yusuf"};
const QStringList kArabicNames{"محمد", "فاطمة", "عبدالله", "نورة", "إبراهيم", "هدى", "يوسف"};

QString date(qint64 i) {
    return QString("%1/%2/%3")
        .arg(1 + i % 28, 2, 10, QChar('0'))
        .arg(1 + i % 12, 2, 10, QChar('0'))
        .arg(2004 + i % 5);
}

// A patient: some telephones null, some empty, the file number never empty, ids with a gap.
QVariant patientValue(const JetClinic& clinic, qint64 i, const QString& column) {
    const QStringList& names = clinic.arabicNames ? kArabicNames : kEnglishNames;
    const QString first = names[int(i % names.size())];
    const QString family = names[int((i + 3) % names.size())];
    if (column == "id")
        return i + 1 + (i >= 10 ? 7 : 0);
    if (column == "pt_name_f")
        return first;
    if (column == "pt_name_fm")
        return family;
    if (column == "pt_name")
        return first + " " + family;
    if (column == "pt_age")
        return QString::number(20 + i % 60);
    if (column == "pt_tel_h")
        return i % 3 == 0 ? QVariant() : i % 3 == 1 ? QVariant(QString("")) : QVariant("5551234");
    if (column == "pt_address")
        return clinic.arabicNames ? QString("شارع %1").arg(i) : QString("Street %1").arg(i);
    if (column == "pt_nationality")
        return i % 2 ? "SAUDI" : "EGYPTIAN";
    if (column == "comm")
        return i % 4 == 0 ? QVariant(QString("")) : QVariant();
    if (column == "file_num")
        return QString::number(1000 + i);
    if (column == "file_data")
        return date(i);
    if (column == "temporary")
        return i % 5 == 0;
    if (column == "mobileno")
        return QString("05%1").arg(10000000 + i);
    return {};
}

qint64 invoiceNumber(qint64 i) {
    return i + 1 + (i >= 20 ? 30 : 0);
}

qint64 invoiceTotal(qint64 i) {
    return 150 * (i % 7 + 1);
}

QVariant invoiceValue(const JetClinic& clinic, qint64 i, const QString& column) {
    const QString when = date(i * 5);
    if (column == "file_num")
        return QString::number(1000 + i % clinic.patients);
    if (column == "po_num")
        return invoiceNumber(i);
    if (column == "po_date")
        return when;
    if (column == "po_pri")
        return invoiceTotal(i);
    if (column == "po_netd")
        return i % 4 == 0 ? invoiceTotal(i) / 3 : 0;
    if (column == "fmon")
        return when.right(7);
    if (column == "fyear")
        return when.right(4);
    return {};
}

const QStringList kEnglishProcedures{"Consultation", "X-ray", "Filling", "Cleaning"};
const QStringList kArabicProcedures{"كشف", "أشعة", "حشوة", "تنظيف"};

QString procedure(const JetClinic& clinic, qint64 i) {
    const QStringList& names = clinic.arabicNames ? kArabicProcedures : kEnglishProcedures;
    return names[int(i % names.size())];
}

qint64 lineCount(const JetClinic& clinic) {
    return clinic.lines >= 0 ? clinic.lines : qint64(clinic.invoices) * kLinesPerInvoice;
}

QVariant lineValue(const JetClinic& clinic, qint64 i, const QString& column) {
    const qint64 invoice = i * clinic.invoices / qMax<qint64>(lineCount(clinic), 1);
    if (column == "id")
        return i + 1;
    if (column == "descr2")
        return procedure(clinic, i);
    if (column == "file_p")
        return QString::number(1000 + invoice % clinic.patients);
    if (column == "amount2")
        return invoiceTotal(invoice) / kLinesPerInvoice;
    if (column == "code2")
        return QString("%1").arg(i % 4 + 1, 2, 10, QChar('0'));
    if (column == "po_num")
        return invoiceNumber(invoice);
    return {};
}

QVariant procedureValue(const JetClinic& clinic, qint64 i, const QString& column) {
    if (column == "id")
        return i + 1;
    if (column == "code")
        return QString("%1").arg(i + 1, 2, 10, QChar('0'));
    if (column == "descrip")
        return procedure(clinic, i);
    if (column == "amount")
        return 100 * (i + 1);
    return {};
}

QVariant workingHeaderValue(qint64 i, const QString& column) {
    if (column == "id")
        return i + 1;
    if (column == "file_p")
        return "1000";
    if (column == "invo")
        return "51";
    if (column == "dater")
        return "02/03/2008";
    if (column == "cash")
        return "X";
    if (column == "tot")
        return "300";
    return {};
}

struct TableRows {
    qint64 count;
    std::function<QVariant(qint64, const QString&)> value;
};

TableRows tableRows(const JetClinic& clinic, const QString& table) {
    if (table == "per_inf_data")
        return {clinic.patients,
                [clinic](qint64 i, const QString& c) { return patientValue(clinic, i, c); }};
    if (table == "pt_sh")
        return {clinic.invoices,
                [clinic](qint64 i, const QString& c) { return invoiceValue(clinic, i, c); }};
    if (table == "po_descs" || table == "po_desc")
        return {table == "po_desc" ? 2 : lineCount(clinic),
                [clinic](qint64 i, const QString& c) { return lineValue(clinic, i, c); }};
    if (table == "file_desc")
        return {12, [clinic](qint64 i, const QString& c) { return procedureValue(clinic, i, c); }};
    return {1, workingHeaderValue};
}

} // namespace

QList<JetTable> jetClinicTables(const JetClinic& clinic) {
    QList<JetTable> tables;
    for (const TableDef& def : schemaTables()) {
        if (clinic.olderLayout && def.name == "po_descs")
            continue;
        const QList<JetColumn> columns = jetColumns(def, clinic.olderLayout);
        const TableRows rows = tableRows(clinic, def.name);
        tables << JetTable{def.name, columns, rows.count,
                           [columns, rows](qint64 i) {
                               QVariantList values;
                               for (const JetColumn& column : columns)
                                   values << rows.value(i, column.name);
                               return values;
                           },
                           rows.count > 1 ? 1 : -1};
    }
    return tables;
}

JetTable* jetTableNamed(QList<JetTable>& tables, const QString& name) {
    for (JetTable& table : tables)
        if (table.name == name)
            return &table;
    return nullptr;
}

QVariant jetValue(const JetTable& table, qint64 row, const QString& column) {
    for (int i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].name == column)
            return table.row(row).value(i);
    return {};
}

void writeJetTables(const QString& path, const QList<JetTable>& tables, bool compressText) {
    writeJetFile(path, tables, {compressText, kRowsPerPage});
}

void writeJetClinic(const QString& path, const JetClinic& clinic, bool compressText) {
    writeJetTables(path, jetClinicTables(clinic), compressText);
}

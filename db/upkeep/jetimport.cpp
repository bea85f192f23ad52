#include "db/upkeep/jetimport.h"

#include "core/apperror.h"
#include "core/ownerfiles.h"
#include "db/clinic/payments.h"
#include "db/clinic/searchkeys.h"
#include "db/engine/connection.h"
#include "db/engine/rowbatch.h"
#include "db/engine/rowpipe.h"
#include "db/engine/serveraddress.h"
#include "db/engine/statements.h"
#include "db/upkeep/copyends.h"
#include "db/upkeep/jetfile.h"
#include "db/upkeep/schema.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QThread>
#include <algorithm>

namespace {

constexpr int kNotTheClinics = 3704;
constexpr int kCopyFailed = 3704;

// The texts the user sees, under the context of their translation.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(Database)
};

// The columns that a file of the older layout lacks, and what its upgrade gives them.
bool addedByUpgrade(const QString& table, const QString& column) {
    return (table == "pt_sh" && column == "po_netd") ||
           (table == "per_inf_data" && column == "mobileno") ||
           (table == "po_desc" && column == "id");
}

QString keyColumn(const TableDef& table) {
    for (const ColumnDef& column : table.columns)
        if (column.autoIncrement)
            return column.name;
    return QString();
}

// At most the given number of characters, never cutting a letter from its marks.
QString cutToCharacters(const QString& text, int chars) {
    const QList<uint> points = text.toUcs4();
    int keep = qMin(chars, int(points.size()));
    while (keep > 0 && keep < points.size() &&
           QChar::category(char32_t(points[keep])) == QChar::Mark_NonSpacing)
        --keep;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), keep);
}

// The characters of a UTF-8 text: its bytes that do not continue a character.
int characters(const QByteArray& text) {
    return int(std::count_if(text.cbegin(), text.cend(),
                             [](char byte) { return (uchar(byte) & 0xc0) != 0x80; }));
}

QByteArray utf8Of(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray)
        return *static_cast<const QByteArray*>(value.constData());
    return value.toString().toUtf8();
}

// Whether the text has the pattern's shape, '9' standing for an ASCII digit only, as the
// upgrade's GLOB '[0-9]' takes it: an Arabic-Indic digit is no digit of a day.
bool shaped(const QString& text, QLatin1StringView pattern) {
    if (text.size() != pattern.size())
        return false;
    for (int i = 0; i < text.size(); ++i)
        if (pattern[i] == '9' ? !(text[i] >= '0' && text[i] <= '9') : text[i] != pattern[i])
            return false;
    return true;
}

// The day a carried-over payment is listed under: the invoice's date as "YYYY-MM-DD", or what
// can be read of it (its month, its year), as the upgrade of a file without payments does.
QString dayOfInvoice(const QString& date, const QString& month, const QString& year) {
    if (shaped(date, QLatin1StringView("99/99/9999")))
        return date.mid(6, 4) + "-" + date.mid(3, 2) + "-" + date.left(2);
    if (shaped(month, QLatin1StringView("99/9999")))
        return month.mid(3, 4) + "-" + month.left(2) + "-00";
    if (shaped(year, QLatin1StringView("9999")))
        return year + "-00-00";
    return QStringLiteral("");
}

// A name folded as the engine's replacements fold it: null stays null, empty stays empty.
QVariant searchKey(const QVariant& name) {
    if (name.isNull())
        return {};
    const QString folded = foldedForSearch(name.toString());
    return folded.isNull() ? QVariant(QStringLiteral("")) : QVariant(folded);
}

// A file's texts encoded on the reading thread, so that the writing one binds them as they are.
void encodeTexts(QVariantList& values) {
    for (QVariant& value : values) {
        const auto* text = static_cast<const QString*>(value.constData());
        if (value.typeId() == QMetaType::QString && !text->isNull())
            value = text->toUtf8();
    }
}

// A server's texts bound as texts: the Jet file's come as UTF-8 bytes, which would be bound as
// binary. An empty one stays empty, not null.
void decodeTexts(QVariantList& values) {
    for (QVariant& value : values)
        if (value.typeId() == QMetaType::QByteArray) {
            const auto* text = static_cast<const QByteArray*>(value.constData());
            value = text->isEmpty() ? QStringLiteral("") : QString::fromUtf8(*text);
        }
}

struct YearTotals {
    qint64 invoices = 0;
    qint64 billed = 0;
    qint64 due = 0;
    bool operator==(const YearTotals& other) const {
        return invoices == other.invoices && billed == other.billed && due == other.due;
    }
};

using Years = QMap<QString, YearTotals>;

Years yearlyTotals(QSqlDatabase& db) {
    Years years;
    for (const Row& row : Statements(db).rows(
             "SELECT fyear, count(*), sum(po_pri), sum(po_netd) FROM pt_sh GROUP BY fyear"))
        years.insert(row[0].isNull() ? "(no year)" : row[0].toString(),
                     {row[1].toLongLong(), row[2].toLongLong(), row[3].toLongLong()});
    return years;
}

qint64 valueOf(QSqlDatabase& db, const QString& sql) {
    return Statements(db).value(sql).toLongLong();
}

// One pass over the Jet file into the target, in the target's transaction. Without leave to
// adjust it writes until the first value that needs it, then only reads on to list them all.
// A table's rows are read and made ready on a thread of their own while the caller's thread,
// which alone uses the target's connection, writes them; what the reading counts is looked at
// once it has ended.
class JetCopy {
  public:
    JetCopy(JetFile& jet, CopyEnd& target, const CopyProgress& progress, bool adjust)
        : jet_(jet), target_(target), progress_(progress), adjust_(adjust),
          olderLayout_(!jet.hasTable("po_descs")), server_(onServer(target.db())) {
        for (const TableDef& table : schemaTables())
            if (jet_.hasTable(table.name))
                total_ += jet_.recordedRows(table.name);
    }

    void run() {
        target_.createTables();
        const QStringList setAside = setAsideInFile();
        checksByEngine(false);
        for (const TableDef& table : schemaTables())
            copyTable(table);
        checksByEngine(true);
        if (!adjustments_.isEmpty() && !adjust_)
            return;
        if (keysByStatement_)
            fillSearchKeys(target_.db());
        rebuild(setAside);
        check();
    }

    const QList<JetAdjustment>& adjustments() const { return adjustments_; }
    CopySummary summary() const { return summary_; }

  private:
    // A row as the new database stores it, and its row in the table beside: an invoice's payment
    // carried over (made on the reading thread, as the upgrade's statement would make it, so that
    // the writing one does not read the invoices again), a patient file's search keys in a file
    // (a server's trigger makes them).
    struct CopiedRow {
        QVariantList values;
        QVariantList beside;
    };

    // The indexes whose keys come in the order of the rows: led by the invoice number (of the
    // lines, the payments, the invoices still due), or by the invoice's year and then its number,
    // as invoices are numbered year after year. Each key goes at the end of its index, cheaper
    // than sorting them once the rows are in, and done while the writing thread waits for the
    // reading one. Keys out of order would still be stored right, only more slowly.
    static bool keptWhileStreaming(const QString& index) {
        return index == "po_descs_po_num" || index == "payments_po_num" ||
               index == "pt_sh_pending" || index == "pt_sh_fyear";
    }

    // A new file's other indexes are built once its rows are in, its payments and search keys
    // with the rows, which is several times faster than keeping them up to date row by row: the
    // same definitions, in the copy's transaction.
    QStringList setAsideInFile() {
        QStringList definitions;
        if (server_)
            return definitions;
        Statements statements(target_.db());
        QStringList drops;
        for (const Row& item :
             statements.rows("SELECT type, name, sql FROM sqlite_master WHERE "
                             "type IN ('index', 'trigger') AND sql IS NOT NULL")) {
            if (keptWhileStreaming(item[1].toString()))
                continue;
            drops << "DROP " + item[0].toString() + " \"" + item[1].toString() + "\"";
            definitions << item[2].toString();
        }
        for (const QString& drop : drops)
            statements.runOnce(drop);
        return definitions;
    }

    // The columns' checks of a new file (sizes, empty texts, Yes/No, 32-bit numbers) are those
    // the reading thread applies to every value before it hands the row on: the engine need not
    // evaluate them again, row by row, on the writing thread that alone uses the connection.
    void checksByEngine(bool on) {
        if (!server_)
            Statements(target_.db())
                .runOnce(QString("PRAGMA ignore_check_constraints = %1").arg(on ? "OFF" : "ON"));
    }

    // By now every row has been read, so the engine's sorts may take the other cores too.
    void rebuild(const QStringList& definitions) {
        if (server_)
            return;
        Statements statements(target_.db());
        statements.runOnce("PRAGMA threads = " + QString::number(QThread::idealThreadCount()));
        for (const QString& definition : definitions)
            statements.runOnce(definition);
        statements.runOnce("PRAGMA threads = 0");
    }

    // Where each of a table's columns comes from in the Jet row.
    struct TablePlan {
        const TableDef& table;
        QList<JetColumnInfo> jetColumns;
        QList<int> source; // for each column of the table, its place in the Jet row, or -1
        QList<int> extra;  // the Jet row's columns that the table does not have
        int key;
        QList<int> invoice = {}; // of the invoices' table, the places of each InvoiceField
    };

    // The values of an invoice that its check and its payment take, found once for the table.
    enum InvoiceField { Number, File, Date, Billed, Due, Month, Year };

    static QList<int> invoiceFields(const TableDef& table) {
        QList<int> places;
        if (table.name == "pt_sh")
            for (const char* column :
                 {"po_num", "file_num", "po_date", "po_pri", "po_netd", "fmon", "fyear"})
                places << indexOf(table, column);
        return places;
    }

    TablePlan planFor(const TableDef& table) {
        TablePlan plan{table, jet_.columns(table.name), {}, {}, indexOf(table, keyColumn(table))};
        plan.invoice = invoiceFields(table);
        for (const ColumnDef& column : table.columns) {
            int found = -1;
            for (int i = 0; i < plan.jetColumns.size(); ++i)
                if (plan.jetColumns[i].name.compare(column.name, Qt::CaseInsensitive) == 0)
                    found = i;
            plan.source << found;
        }
        for (int i = 0; i < plan.jetColumns.size(); ++i)
            if (!plan.source.contains(i))
                plan.extra << i;
        return plan;
    }

    // The table beside that the rows of the table give rows to, if any.
    std::unique_ptr<RowBatch> besideBatch(const TableDef& table) {
        if (table.name == "pt_sh")
            return std::make_unique<RowBatch>(target_.db(), "payments",
                                              QStringList{"po_num", "file_num", "pay_date",
                                                          "pay_day", "amount", "kind",
                                                          "carried_over"});
        if (table.name == "per_inf_data" && !server_)
            return std::make_unique<RowBatch>(target_.db(), "name_search_keys",
                                              QStringList{"id", "pt_name_f", "pt_name_fm"});
        return nullptr;
    }

    void copyTable(const TableDef& table) {
        if (!jet_.hasTable(table.name)) {
            if (!(olderLayout_ && table.name == "po_descs"))
                note({table.name, "", "", "", Text::tr("the table is missing"),
                      Text::tr("copied empty")});
            expected_[table.name] = 0;
            return;
        }
        const TablePlan plan = planFor(table);
        QStringList names;
        for (const ColumnDef& column : table.columns)
            names << column.name;
        qint64 rows = 0;
        qint64 highest = 0;
        RowBatch batch(target_.db(), table.name, names);
        const std::unique_ptr<RowBatch> beside = besideBatch(table);
        {
            RowPipe<CopiedRow> pipe;
            pipe.start([&] {
                jet_.readRows(table.name, [&](const QVariantList& jetRow) {
                    CopiedRow row = prepared(plan, jetRow, ++rows, beside != nullptr);
                    if (plan.key >= 0)
                        highest = qMax(highest, row.values[plan.key].toLongLong());
                    if (adjustments_.isEmpty() || adjust_)
                        pipe.push(std::move(row));
                });
            });
            for (auto chunk = pipe.take(); !chunk.empty(); chunk = pipe.take())
                for (CopiedRow& row : chunk) {
                    advance(batch.add(std::move(row.values)));
                    if (beside && !row.beside.isEmpty())
                        beside->add(std::move(row.beside));
                }
        }
        if (adjustments_.isEmpty() || adjust_) {
            advance(batch.flush());
            if (beside)
                beside->flush();
            if (plan.key >= 0)
                target_.setCounter(table.name, keyColumn(table), highest);
        }
        expected_[table.name] = rows;
        if (table.name == "per_inf_data")
            summary_.patients = rows;
        if (table.name == "pt_sh")
            summary_.invoices = rows;
        summary_.rows += rows;
    }

    // On the reading thread: a Jet row as the new database stores it, with its row beside.
    CopiedRow prepared(const TablePlan& plan, const QVariantList& jetRow, qint64 row,
                       bool withBeside) {
        const TableDef& table = plan.table;
        CopiedRow copied;
        copied.values.resize(qsizetype(table.columns.size()));
        QVariant* value = copied.values.data();
        for (int c = 0; c < int(table.columns.size()); ++c)
            value[c] = valueFor(table, c, plan.source[c] < 0 ? QVariant() : jetRow[plan.source[c]],
                                plan.source[c] < 0, row, jetRow, plan.source);
        for (const int i : plan.extra)
            if (!jetRow[i].isNull() &&
                !(jetRow[i].typeId() == QMetaType::Bool && !jetRow[i].toBool()))
                note({table.name, rowKey(table, jetRow, plan.source, row), plan.jetColumns[i].name,
                      jetRow[i].toString(), Text::tr("a column Korvel does not have"),
                      Text::tr("left out")});
        if (!plan.invoice.isEmpty())
            copied.beside = countInvoice(plan.invoice, copied.values);
        if (withBeside && table.name == "per_inf_data")
            copied.beside = searchKeys(table, copied.values);
        const auto finish = server_ ? decodeTexts : encodeTexts;
        finish(copied.values);
        finish(copied.beside);
        return copied;
    }

    static int indexOf(const TableDef& table, const QString& column) {
        for (int i = 0; i < int(table.columns.size()); ++i)
            if (table.columns[size_t(i)].name == column)
                return i;
        return -1;
    }

    QString rowKey(const TableDef& table, const QVariantList& jetRow, const QList<int>& source,
                   qint64 row) const {
        const int key = indexOf(table, keyColumn(table));
        if (key >= 0 && source[key] >= 0 && !jetRow[source[key]].isNull())
            return jetRow[source[key]].toString();
        return Text::tr("row %1").arg(row);
    }

    // The value the new database stores for one column of a Jet row.
    QVariant valueFor(const TableDef& table, int c, const QVariant& value, bool absent, qint64 row,
                      const QVariantList& jetRow, const QList<int>& source) {
        const ColumnDef& column = table.columns[size_t(c)];
        if (absent && olderLayout_ && addedByUpgrade(table.name, column.name)) {
            if (column.name == "po_netd")
                return 0;
            if (column.name == "id")
                return row;
            return {};
        }
        if (value.isNull())
            return column.type == ColumnDef::Type::Boolean ? QVariant(0) : QVariant();
        switch (column.type) {
        case ColumnDef::Type::Boolean:
            return value.toBool() ? 1 : 0;
        case ColumnDef::Type::Long:
            return value.toLongLong();
        case ColumnDef::Type::Text:
            break;
        }
        const QByteArray text = utf8Of(value);
        if (text.isEmpty() && !column.allowEmpty) {
            note({table.name, rowKey(table, jetRow, source, row), column.name, QString(),
                  Text::tr("empty where the column does not take an empty text"),
                  Text::tr("stored as null")});
            return {};
        }
        // A character takes at least a byte: most texts are within their size by their bytes.
        if (text.size() > column.size && characters(text) > column.size) {
            const QString whole = QString::fromUtf8(text);
            const QString cut = cutToCharacters(whole, column.size);
            note({table.name, rowKey(table, jetRow, source, row), column.name, whole,
                  Text::tr("longer than %1 characters").arg(column.size), cut});
            return cut.toUtf8();
        }
        return text;
    }

    // Counted for the check; the invoice's payment to date to carry over.
    QVariantList countInvoice(const QList<int>& places, const QVariantList& values) {
        const auto at = [&](InvoiceField field) -> const QVariant& {
            return values[places[field]];
        };
        YearTotals& year = years_[at(Year).isNull() ? "(no year)" : at(Year).toString()];
        const qint64 billed = at(Billed).toLongLong();
        const qint64 due = at(Due).toLongLong();
        ++year.invoices;
        year.billed += billed;
        year.due += due;
        paid_ += billed - due;
        if (billed - due == 0 || at(Number).isNull())
            return {};
        return {at(Number),
                at(File),
                at(Date),
                dayOfInvoice(at(Date).toString(), at(Month).toString(), at(Year).toString()),
                QVariant::fromValue<qlonglong>(billed - due),
                kCarriedOverKind,
                1};
    }

    // The patient file's names as the search compares them. A file without its row number gets
    // its number from the engine only when stored: the keys are then made after the rows.
    QVariantList searchKeys(const TableDef& table, const QVariantList& values) {
        const QVariant id = values[indexOf(table, "id")];
        if (id.isNull()) {
            keysByStatement_ = true;
            return {};
        }
        return {id, searchKey(values[indexOf(table, "pt_name_f")]),
                searchKey(values[indexOf(table, "pt_name_fm")])};
    }

    void note(const JetAdjustment& adjustment) { adjustments_ << adjustment; }

    void advance(int written) {
        if (written == 0)
            return;
        done_ += written;
        if (progress_ && !progress_(done_, total_))
            throw AppError(ErrorNumber::DialogCancelled, Text::tr("The copy was cancelled."));
    }

    void check() {
        for (auto table = expected_.cbegin(); table != expected_.cend(); ++table) {
            const qint64 copied = valueOf(target_.db(), "SELECT count(*) FROM " + table.key());
            if (copied != table.value())
                throw AppError(kCopyFailed, Text::tr("The copy of %1 holds %2 rows instead of %3.")
                                                .arg(table.key())
                                                .arg(copied)
                                                .arg(table.value()));
        }
        if (yearlyTotals(target_.db()) != years_)
            throw AppError(kCopyFailed, Text::tr("The yearly sums of the invoices differ after the "
                                                 "copy."));
        if (valueOf(target_.db(), "SELECT coalesce(sum(amount), 0) FROM payments") != paid_)
            throw AppError(kCopyFailed,
                           Text::tr("The sum of the payments differs after the copy."));
    }

    JetFile& jet_;
    CopyEnd& target_;
    const CopyProgress& progress_;
    bool adjust_;
    bool olderLayout_;
    bool server_;
    qint64 total_ = 0;
    qint64 done_ = 0;
    QList<JetAdjustment> adjustments_;
    QMap<QString, qint64> expected_;
    Years years_;
    qint64 paid_ = 0;
    bool keysByStatement_ = false;
    CopySummary summary_;
};

// The clinic's file holds at least its patients, invoices and the invoice screen's lines; a
// file without them is another program's.
void refuseOtherFiles(JetFile& jet, const QString& path) {
    for (const char* table : {"per_inf_data", "pt_sh", "po_desc"})
        if (!jet.hasTable(table))
            throw AppError(kNotTheClinics,
                           Text::tr("%1 is an Access database, but not the clinic's: it holds the "
                                    "tables %2 and no table %3.")
                               .arg(path, jet.tables().join(", "), table));
}

QString csvField(const QString& text) {
    QString quoted = text;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

void writeReport(const QString& path, const QList<JetAdjustment>& adjustments) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(OwnerFiles::modeFor(path)))
        throw AppError(kCopyFailed, Text::tr("The import report %1 cannot be written.").arg(path));
    QStringList lines{"table,row,column,value,problem,stored"};
    for (const JetAdjustment& a : adjustments)
        lines << QStringList{csvField(a.table), csvField(a.rowKey),  csvField(a.column),
                             csvField(a.value), csvField(a.problem), csvField(a.adjusted)}
                     .join(",");
    file.write((lines.join("\r\n") + "\r\n").toUtf8());
    if (!file.commit())
        throw AppError(kCopyFailed, Text::tr("The import report %1 cannot be written.").arg(path));
}

struct PassResult {
    bool kept = false;
    CopySummary summary;
    QList<JetAdjustment> adjustments;
};

struct NeedsAdjusting {};

// One attempt. Without leave to adjust, a file that needs adjustments leaves nothing behind and
// gives their list back.
PassResult copyPass(const QString& jetPath, const QString& to, const CopyProgress& progress,
                    bool adjust) {
    JetFile jet(jetPath);
    refuseOtherFiles(jet, jetPath);
    const auto target = openCopyTarget(to);
    JetCopy copy(jet, *target, progress, adjust);
    try {
        inTransaction(target->db(), [&] {
            copy.run();
            if (!copy.adjustments().isEmpty() && !adjust)
                throw NeedsAdjusting();
        });
        target->complete();
        return {true, copy.summary(), copy.adjustments()};
    } catch (const NeedsAdjusting&) {
        target->abandon();
        return {false, {}, copy.adjustments()};
    } catch (...) {
        target->abandon();
        throw;
    }
}

} // namespace

QString importReportPath(const QString& jetPath, const QString& to) {
    const QString beside = isServerUri(to) ? jetPath : to;
    return QFileInfo(beside).absolutePath() + "/korvel_import_report.csv";
}

QString adjustmentList(const QList<JetAdjustment>& adjustments, int most) {
    QStringList lines;
    for (const JetAdjustment& a : adjustments.mid(0, most))
        lines << QString("%1, %2, %3: \"%4\" (%5)")
                     .arg(a.table, a.rowKey, a.column, a.value, a.problem);
    if (adjustments.size() > most)
        lines << Text::tr("... and %1 more.").arg(adjustments.size() - most);
    return lines.join("\r\n");
}

CopySummary importJetDatabase(const QString& jetPath, const QString& to,
                              const CopyProgress& progress, const AdjustmentChoice& choice) {
    const PassResult first = copyPass(jetPath, to, progress, false);
    if (first.kept)
        return first.summary;
    if (!choice || !choice(first.adjustments))
        throw AppError(ErrorNumber::DialogCancelled,
                       Text::tr("The copy was stopped: nothing was copied."));
    const PassResult adjusted = copyPass(jetPath, to, progress, true);
    writeReport(importReportPath(jetPath, to), adjusted.adjustments);
    return adjusted.summary;
}

#include "db/clinic/paymentreports.h"

#include "db/clinic/payments.h"
#include "db/engine/connection.h"
#include "db/engine/statements.h"

namespace {

const QString kCashBookQuery =
    "SELECT p.pay_date, p.po_num, p.file_num, "
    "(SELECT pt_name FROM per_inf_data WHERE id = "
    "(SELECT min(q.id) FROM per_inf_data AS q WHERE q.file_num = p.file_num)) AS pt_name, "
    "p.kind, p.amount, "
    "CASE WHEN p.kind = 'Cash' AND p.carried_over = 0 THEN p.amount ELSE 0 END AS cash_amount, "
    "CASE WHEN p.kind = 'Card' AND p.carried_over = 0 THEN p.amount ELSE 0 END AS card_amount, "
    "CASE WHEN p.kind = 'Bank transfer' AND p.carried_over = 0 THEN p.amount ELSE 0 END AS "
    "transfer_amount, "
    "CASE WHEN p.kind = 'Cheque' AND p.carried_over = 0 THEN p.amount ELSE 0 END AS "
    "cheque_amount, "
    "CASE WHEN p.kind NOT IN ('Cash', 'Card', 'Bank transfer', 'Cheque') AND p.carried_over = 0 "
    "THEN p.amount ELSE 0 END AS other_amount, "
    "CASE WHEN p.carried_over <> 0 THEN p.amount ELSE 0 END AS carried_amount "
    "FROM payments AS p WHERE p.pay_day BETWEEN ? AND ? ORDER BY p.pay_day, p.id";

// An invoice's date text as a day key; a date typed another way sorts by what can be read of it.
const QString kInvoiceDay =
    "CASE WHEN length(po_date) = 10 AND substr(po_date, 3, 1) = '/' AND substr(po_date, 6, 1) = "
    "'/' "
    "THEN substr(po_date, 7, 4) || '-' || substr(po_date, 4, 2) || '-' || substr(po_date, 1, 2) "
    "ELSE coalesce(fyear, '') || '-00-00' END";

const QString kStatementQuery =
    "WITH inv AS (SELECT po_num, po_date, po_pri, po_netd, " + kInvoiceDay +
    " AS day FROM pt_sh WHERE file_num = ?), "
    // A deleted invoice's payments stay in the patient's account with their reversals, booked
    // after them on the day of the deletion: the later half of the invoice's rows.
    "gone AS (SELECT p.*, CASE WHEN row_number() OVER (PARTITION BY p.po_num ORDER BY p.id) * 2 "
    "> count(*) OVER (PARTITION BY p.po_num) THEN 1 ELSE 0 END AS reversal FROM payments AS p "
    "WHERE p.file_num = ? "
    "AND NOT EXISTS (SELECT 1 FROM pt_sh WHERE pt_sh.po_num = p.po_num)), "
    "pay AS (SELECT p.*, 0 AS reversal FROM payments AS p JOIN inv ON inv.po_num = p.po_num "
    "UNION ALL SELECT * FROM gone), "
    "ev AS ("
    "SELECT day, po_num, 0 AS ord, 0 AS pid, po_date AS entry_date, 'Invoice' AS entry, "
    "(SELECT sum(amount2) FROM po_descs WHERE po_descs.po_num = inv.po_num) AS lines_total, "
    "po_pri AS charged, NULL AS paid, coalesce(po_pri, 0) AS change FROM inv "
    "UNION ALL "
    "SELECT pay_day, po_num, 1, id, pay_date, "
    "CASE WHEN reversal = 1 THEN 'Invoice deleted, ' "
    "WHEN amount < 0 THEN 'Refund, ' ELSE 'Payment, ' END || kind, NULL, NULL, "
    "amount, -amount FROM pay "
    "UNION ALL "
    "SELECT '9999-99-99', po_num, 2, 0, NULL, 'Unrecorded payment', NULL, NULL, "
    "gap, -gap FROM (SELECT po_num, coalesce(po_pri, 0) - coalesce(po_netd, 0) - "
    "(SELECT coalesce(sum(amount), 0) FROM payments WHERE payments.po_num = inv.po_num) AS gap "
    "FROM inv) AS g WHERE gap <> 0) "
    "SELECT entry_date, po_num, entry, lines_total, charged, paid, change, "
    "sum(change) OVER (ORDER BY day, po_num, ord, pid ROWS UNBOUNDED PRECEDING) AS balance "
    "FROM ev ORDER BY day, po_num, ord, pid";

} // namespace

QString cashBookQuery() {
    return kCashBookQuery;
}

std::pair<QString, QString> cashBookDays(ReportPeriod period, const QString& text) {
    switch (period) {
    case ReportPeriod::Day: {
        const QString day = text.mid(6, 4) + "-" + text.mid(3, 2) + "-" + text.left(2);
        return {day, day};
    }
    case ReportPeriod::Month: {
        const QString month = text.mid(3, 4) + "-" + text.left(2) + "-";
        return {month + "00", month + "99"};
    }
    case ReportPeriod::Year:
        break;
    }
    return {text.left(4) + "-00-00", text.left(4) + "-99-99"};
}

std::unique_ptr<RowSource> cashBookRows(const QString& path, ReportPeriod period,
                                        const QString& text) {
    const auto [first, last] = cashBookDays(period, text);
    return Statements(openDatabase(path)).stream(kCashBookQuery, {first, last});
}

QString statementQuery() {
    return kStatementQuery;
}

std::unique_ptr<RowSource> statementRows(const QString& path, const QString& fileNumber) {
    return Statements(openDatabase(path)).stream(kStatementQuery, {fileNumber, fileNumber});
}

QString patientName(const QString& path, const QString& fileNumber) {
    return Statements(openDatabase(path))
        .value("SELECT pt_name FROM per_inf_data WHERE file_num = ? ORDER BY id LIMIT 1",
               {fileNumber})
        .toString();
}

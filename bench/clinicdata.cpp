#include "clinicdata.h"

#include "db/engine/connection.h"
#include "db/engine/statements.h"

#include <QDate>
#include <QStringList>
#include <vector>

namespace {

// A small generator of our own, so that a seed gives the same data on every machine.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    QString digits(int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar('0' + below(10));
        return text;
    }
    template <typename List> const auto& pick(const List& list) {
        return list[below(static_cast<int>(list.size()))];
    }

  private:
    std::uint64_t state_;
};

const QStringList kGivenNames{"Ahmed", "Mohammed", "Fatima", "Aisha", "Omar",    "Khalid",
                              "Noura", "Sara",     "Yousef", "Huda",  "Ibrahim", "Layla",
                              "John",  "Maria",    "Ravi",   "Anna",  "أحمد",    "محمد",
                              "فاطمة", "عائشة",    "عمر",    "خالد",  "نورة",    "سارة"};
const QStringList kFamilyNames{"Al-Harbi", "Al-Otaibi", "Al-Qahtani", "Al-Shehri", "Al-Zahrani",
                               "Nour",     "Haddad",    "Smith",      "Fernandes", "Kumar",
                               "الحربي",   "العتيبي",   "القحطاني",   "الشهري",    "الزهراني"};
const QStringList kProcedures{"Consultation", "Follow-up visit", "Ultrasound", "Blood test",
                              "Pap smear",    "Injection",       "Dressing",   "ECG",
                              "كشف",          "متابعة",          "تحليل دم",   "أشعة صوتية"};
const QStringList kSocial{"SINGL", "MARIED", "DIVORCE", "WIDOW", "ENGAGED"};
const QStringList kOccupations{"Teacher", "Engineer", "Nurse", "Student", "Housewife", "Driver"};
const QStringList kAddresses{"Riyadh, Olaya St.", "Jeddah, Tahlia", "Dammam", "الرياض، العليا",
                             "جدة، التحلية"};

QString dateText(const QDate& date) {
    return date.toString("dd/MM/yyyy");
}

// Catalog codes are two characters: the 99 numeric codes first, then letter-digit codes.
QString catalogCode(int index) {
    if (index < 99)
        return QString("%1").arg(index + 1, 2, 10, QChar('0'));
    index -= 99;
    return QString(QChar('A' + index / 10)) + QChar('0' + index % 10);
}

struct Procedure {
    QString code;
    QString description;
    int amount;
};

std::vector<Procedure> writeCatalog(const QSqlDatabase& db, Random& random) {
    std::vector<Procedure> catalog;
    QSqlQuery insert(db);
    insert.prepare("INSERT INTO file_desc (code, descrip, amount) VALUES (?, ?, ?)");
    for (int i = 0; i < 300; ++i) {
        Procedure p{catalogCode(i), random.pick(kProcedures) + " " + QString::number(i + 1),
                    50 * (1 + random.below(40))};
        insert.addBindValue(p.code);
        insert.addBindValue(p.description);
        insert.addBindValue(p.amount);
        if (!insert.exec())
            throw databaseError(insert.lastError());
        catalog.push_back(p);
    }
    return catalog;
}

void writePatients(const QSqlDatabase& db, const ClinicSize& size, Random& random) {
    QSqlQuery insert(db);
    insert.prepare("INSERT INTO per_inf_data (pt_name_f, pt_name_s, pt_name_fm, pt_name, pt_age, "
                   "pt_occupation, pt_tel_h, pt_address, pt_nationality, pt_social, file_num, "
                   "file_data, temporary, mobileno) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                   "?, ?)");
    const QDate first(size.lastYear - size.years + 1, 1, 1);
    const int span = static_cast<int>(first.daysTo(QDate(size.lastYear, 12, 31)));
    for (int i = 1; i <= size.patients; ++i) {
        const QString given = random.pick(kGivenNames);
        const QString second = random.pick(kGivenNames);
        const QString family = random.pick(kFamilyNames);
        const int nationality = random.below(10);
        const QVariantList values{
            given,
            second,
            family,
            given + " " + second + " " + family,
            QString::number(1 + random.below(90)),
            random.pick(kOccupations),
            random.digits(7),
            random.pick(kAddresses),
            nationality < 6   ? QVariant("SAUDI")
            : nationality < 9 ? QVariant("NON SAUDI")
                              : QVariant(),
            random.pick(kSocial),
            QString::number(i),
            dateText(first.addDays(random.below(span + 1))),
            random.chance(5) ? 1 : 0,
            "05" + random.digits(8),
        };
        for (const QVariant& value : values)
            insert.addBindValue(value);
        if (!insert.exec())
            throw databaseError(insert.lastError());
    }
}

void writeInvoices(const QSqlDatabase& db, const ClinicSize& size,
                   const std::vector<Procedure>& catalog, Random& random) {
    QSqlQuery header(db);
    header.prepare("INSERT INTO pt_sh (po_num, file_num, po_date, po_pri, po_netd, fmon, fyear) "
                   "VALUES (?, ?, ?, ?, ?, ?, ?)");
    QSqlQuery line(db);
    line.prepare("INSERT INTO po_descs (descr2, file_p, amount2, code2, po_num) "
                 "VALUES (?, ?, ?, ?, ?)");
    const QDate first(size.lastYear - size.years + 1, 1, 1);
    const qint64 span = first.daysTo(QDate(size.lastYear, 12, 31)) + 1;
    // Lines per invoice vary from 1 to about twice the mean less one, averaging the mean.
    const int spread = std::max(1, static_cast<int>(2 * size.linesPerInvoice - 1));
    for (int number = 1; number <= size.invoices; ++number) {
        // Invoices are numbered in the order of their dates, as a clinic writes them.
        const QDate date = first.addDays(span * (number - 1) / size.invoices);
        const QString text = dateText(date);
        const QString file = QString::number(1 + random.below(size.patients));
        const int lines = 1 + random.below(spread);
        int total = 0;
        for (int i = 0; i < lines; ++i) {
            const Procedure& p = random.pick(catalog);
            total += p.amount;
            for (const QVariant& value :
                 QVariantList{p.description, file, p.amount, p.code, number})
                line.addBindValue(value);
            if (!line.exec())
                throw databaseError(line.lastError());
        }
        const int due = random.chance(15) ? total / (1 + random.below(4)) : 0;
        for (const QVariant& value :
             QVariantList{number, file, text, total, due, text.right(7), text.right(4)})
            header.addBindValue(value);
        if (!header.exec())
            throw databaseError(header.lastError());
    }
}

} // namespace

void generateClinicData(const QString& databasePath, const ClinicSize& size) {
    ScopedDatabase database(databasePath);
    QSqlDatabase& db = database.db();
    // A generated file can be made again: speed matters more here than surviving a power cut.
    Statements statements(db);
    statements.runOnce("PRAGMA synchronous = OFF");
    statements.runOnce("PRAGMA journal_mode = MEMORY");
    statements.runOnce("PRAGMA cache_size = -262144");
    Random random(size.seed);
    inTransaction(db, [&] {
        const auto catalog = writeCatalog(db, random);
        writePatients(db, size, random);
        writeInvoices(db, size, catalog, random);
    });
}

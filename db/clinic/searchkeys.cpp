#include "db/clinic/searchkeys.h"

#include "db/engine/connection.h"
#include "db/engine/dialect.h"
#include "db/engine/statements.h"

#include <QList>
#include <algorithm>
#include <utility>

namespace {

// Letters written one way; a letter without a counterpart is left out.
struct Fold {
    char16_t from;
    char16_t to;
};

constexpr char16_t kAlef = 0x0627;
constexpr Fold kLetters[] = {
    {0x0622, kAlef},  // alef with madda
    {0x0623, kAlef},  // alef with hamza above
    {0x0625, kAlef},  // alef with hamza below
    {0x0671, kAlef},  // alef wasla
    {0x0629, 0x0647}, // ta marbuta as ha
    {0x0649, 0x064A}, // alef maqsura as ya
};
constexpr char16_t kTatweel = 0x0640;
// Tanween, harakat, shadda, sukun, the madda and hamza written as marks, and the rest of the
// block's marks.
constexpr char16_t kFirstMark = 0x064B;
constexpr char16_t kLastMark = 0x065F;
constexpr char16_t kSuperscriptAlef = 0x0670;

QString leftOut() {
    QString marks{QChar(kTatweel)};
    for (char16_t mark = kFirstMark; mark <= kLastMark; ++mark)
        marks += QChar(mark);
    return marks + QChar(kSuperscriptAlef);
}

QString literal(const QString& text) {
    return "'" + text + "'";
}

// Each letter with what it is written as, empty for one left out.
QList<std::pair<QString, QString>> foldings() {
    QList<std::pair<QString, QString>> pairs;
    for (const Fold& fold : kLetters)
        pairs.append({QChar(fold.from), QChar(fold.to)});
    for (const QChar mark : leftOut())
        pairs.append({mark, QString()});
    return pairs;
}

// An engine with translate() folds every letter in one call.
QString translated(const QString& expression) {
    QString from, to;
    for (const auto& [letter, written] : foldings()) {
        from += letter;
        to += written;
    }
    return "translate(" + expression + ", " + literal(from) + ", " + literal(to) + ")";
}

// The file's engine replaces letter by letter; its parser takes a few levels of nesting only, so
// the replacements are assignments of a few at a time, run one after the other.
QStringList replacementSteps() {
    constexpr int kPerStep = 8;
    const auto pairs = foldings();
    QStringList steps;
    for (int first = 0; first < pairs.size(); first += kPerStep) {
        QStringList assignments;
        for (const QString column : {"pt_name_f", "pt_name_fm"}) {
            QString sql = column;
            for (int i = first; i < std::min<int>(first + kPerStep, pairs.size()); ++i)
                sql = "replace(" + sql + ", " + literal(pairs[i].first) + ", " +
                      literal(pairs[i].second) + ")";
            assignments << column + " = " + sql;
        }
        steps << "UPDATE name_search_keys SET " + assignments.join(", ");
    }
    return steps;
}

const QString kColumns = "name_search_keys (id, pt_name_f, pt_name_fm)";

QStringList replacingStatements() {
    QString keep =
        "INSERT OR REPLACE INTO " + kColumns + " VALUES (new.id, new.pt_name_f, new.pt_name_fm); ";
    for (const QString& step : replacementSteps())
        keep += step + " WHERE id = new.id; ";
    keep += "END";
    return {
        "CREATE TABLE name_search_keys (id INTEGER PRIMARY KEY, pt_name_f TEXT, pt_name_fm TEXT)",
        "CREATE TRIGGER name_search_keys_insert AFTER INSERT ON per_inf_data BEGIN " + keep,
        "CREATE TRIGGER name_search_keys_update AFTER UPDATE OF id, pt_name_f, pt_name_fm ON "
        "per_inf_data BEGIN DELETE FROM name_search_keys WHERE id = old.id; " +
            keep,
        "CREATE TRIGGER name_search_keys_delete AFTER DELETE ON per_inf_data BEGIN "
        "DELETE FROM name_search_keys WHERE id = old.id; END",
    };
}

// The keys compare byte by byte, as a server's searches do (ILIKE cannot work under the Arabic
// collation, which ignores case).
QStringList translatingStatements() {
    return {
        "CREATE TABLE name_search_keys (id INTEGER PRIMARY KEY, pt_name_f TEXT COLLATE \"C\", "
        "pt_name_fm TEXT COLLATE \"C\")",
        "CREATE OR REPLACE FUNCTION name_search_keys_keep() RETURNS trigger LANGUAGE plpgsql AS $$ "
        "BEGIN "
        "IF TG_OP <> 'INSERT' THEN DELETE FROM name_search_keys WHERE id = OLD.id; END IF; "
        "IF TG_OP <> 'DELETE' THEN INSERT INTO " +
            kColumns + " VALUES (NEW.id, " + translated("NEW.pt_name_f") + ", " +
            translated("NEW.pt_name_fm") + "); END IF; RETURN NULL; END $$",
        "CREATE TRIGGER name_search_keys_keep AFTER INSERT OR DELETE OR UPDATE OF id, pt_name_f, "
        "pt_name_fm ON per_inf_data FOR EACH ROW EXECUTE FUNCTION name_search_keys_keep()",
    };
}

} // namespace

QString foldedForSearch(const QString& text) {
    const QString marks = leftOut();
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (marks.contains(c))
            continue;
        for (const Fold& fold : kLetters)
            if (c.unicode() == fold.from)
                c = QChar(fold.to);
        result += c;
    }
    return result;
}

QStringList createSearchKeyStatements(const Dialect& dialect) {
    return dialect.translatesLetters() ? translatingStatements() : replacingStatements();
}

bool hasSearchKeys(const QSqlDatabase& db) {
    return Statements(db).value(dialectOf(db).tableExistsQuery(), {"name_search_keys"}).toBool();
}

void fillSearchKeys(const QSqlDatabase& db) {
    Statements statements(db);
    statements.write("DELETE FROM name_search_keys");
    if (dialectOf(db).translatesLetters()) {
        statements.write("INSERT INTO " + kColumns + " SELECT id, " + translated("pt_name_f") +
                         ", " + translated("pt_name_fm") + " FROM per_inf_data");
        return;
    }
    statements.write("INSERT INTO " + kColumns +
                     " SELECT id, pt_name_f, pt_name_fm FROM per_inf_data");
    for (const QString& step : replacementSteps())
        statements.write(step);
}

void addSearchKeys(QSqlDatabase& db) {
    if (hasSearchKeys(db))
        return;
    inTransaction(db, [&] {
        Statements statements(db);
        for (const QString& statement : createSearchKeyStatements(dialectOf(db)))
            statements.runOnce(statement);
        fillSearchKeys(db);
    });
}

#include "upkeep/copydatabasecommand.h"

#include "core/apperror.h"
#include "db/upkeep/databasecopy.h"
#include "db/upkeep/jetfile.h"
#include "db/upkeep/jetimport.h"

#include <QTextStream>

namespace {

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

// Tells every further tenth of the rows copied.
CopyProgress tenthsTold() {
    return [told = -1](qint64 done, qint64 total) mutable {
        const int tenth = total > 0 ? int(done * 10 / total) : 10;
        if (tenth != told) {
            told = tenth;
            err() << "  " << tenth * 10 << " % (" << done << " of " << total << " rows)"
                  << Qt::endl;
        }
        return true;
    };
}

constexpr auto kAdjustOption = "--adjust-values";

// The values of the earlier program's file that need adjusting are listed; they are adjusted
// only when the command says so.
AdjustmentChoice toldAdjustments(bool adjust) {
    return [adjust](const QList<JetAdjustment>& adjustments) {
        err() << adjustments.size() << " values cannot be copied as they stand:" << Qt::endl
              << adjustmentList(adjustments, 50) << Qt::endl;
        if (!adjust)
            err() << "Nothing was copied. Run the command again with " << kAdjustOption
                  << " at its end to copy them adjusted (texts cut, empty texts as null), "
                     "each listed in the import report."
                  << Qt::endl;
        return adjust;
    };
}

CopySummary copied(const QString& from, const QString& to, bool adjust) {
    if (isJetFile(from))
        return importJetDatabase(from, to, tenthsTold(), toldAdjustments(adjust));
    return copyDatabase(from, to, tenthsTold());
}

} // namespace

int runCopyDatabaseCommand(const QStringList& arguments) {
    const bool adjust = arguments.size() == 5 && arguments[4] == kAdjustOption;
    if (arguments.size() != 4 && !adjust) {
        err() << "usage: korvel --copy-database FROM TO [" << kAdjustOption << "]" << Qt::endl
              << "  FROM, TO: a database file's path or a connection URI such as "
                 "postgresql://user@host:5432/korvel"
              << Qt::endl
              << "  FROM may be the earlier program's Jet (Access) file; values that Korvel "
                 "cannot hold as they stand are copied adjusted only with "
              << kAdjustOption << Qt::endl;
        return 2;
    }
    const QString from = arguments[2];
    const QString to = arguments[3];
    if (const QString refused = refusedCopyEnds(from, to); !refused.isEmpty()) {
        err() << refused << Qt::endl;
        return 2;
    }
    err() << "Copying " << from << " to " << to << Qt::endl;
    try {
        const CopySummary summary = copied(from, to, adjust);
        err() << "Copied " << summary.text() << Qt::endl;
        return 0;
    } catch (const AppError& error) {
        err() << "The copy failed: " << error.description() << Qt::endl;
        return 1;
    }
}

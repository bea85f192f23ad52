#include "app/copydatabasecommand.h"

#include "core/apperror.h"
#include "db/databasecopy.h"

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

} // namespace

int runCopyDatabaseCommand(const QStringList& arguments) {
    if (arguments.size() != 4) {
        err() << "usage: korvel --copy-database FROM TO" << Qt::endl
              << "  FROM, TO: a database file's path or a connection URI such as "
                 "postgresql://user@host:5432/korvel"
              << Qt::endl;
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
        const CopySummary copied = copyDatabase(from, to, tenthsTold());
        err() << "Copied " << copied.text() << Qt::endl;
        return 0;
    } catch (const AppError& error) {
        err() << "The copy failed: " << error.description() << Qt::endl;
        return 1;
    }
}

#include "indexupgrade.h"

#include "bareengine.h"

#include "db/engine/connection.h"
#include "db/upkeep/indexupkeep.h"
#include "db/upkeep/schema.h"

#include <QElapsedTimer>

double timeIndexUpgrade(const QString& databasePath) {
    {
        BareEngine engine(databasePath);
        for (const AddedIndexDef& index : addedIndexes())
            engine.run(("drop index if exists " + index.name).toUtf8().constData());
        engine.run("drop table if exists collation_version");
    }
    QElapsedTimer timer;
    timer.start();
    ScopedDatabase database(databasePath);
    upkeepIndexes(database.db(), false);
    return double(timer.nsecsElapsed()) / 1e9;
}

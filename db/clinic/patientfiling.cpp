#include "db/clinic/patientfiling.h"

#include "db/engine/connection.h"
#include "db/engine/dialect.h"

bool fileNewPatient(const QString& location, const QString& fileNumber,
                    const std::function<void()>& insert) {
    QSqlDatabase db = openDatabase(location);
    bool filed = false;
    inTransaction(db, [&] {
        // Another desk's filing waits until this one is committed.
        const QString lock = dialectOf(db).lockAgainstWriters("per_inf_data");
        if (!lock.isEmpty())
            runQuery(db, lock);
        if (runQuery(db, "SELECT 1 FROM per_inf_data WHERE file_num = ?", {fileNumber}).next())
            return;
        insert();
        filed = true;
    });
    return filed;
}

#include "db/clinic/patientfiling.h"

#include "db/engine/connection.h"
#include "db/engine/dialect.h"
#include "db/engine/statements.h"

bool fileNewPatient(const QString& location, const QString& fileNumber,
                    const std::function<void()>& insert) {
    QSqlDatabase db = openDatabase(location);
    bool filed = false;
    inTransaction(db, [&] {
        // Another desk's filing waits until this one is committed.
        Statements statements(db);
        const QString lock = dialectOf(db).lockAgainstWriters("per_inf_data");
        if (!lock.isEmpty())
            statements.runOnce(lock);
        if (!statements.rows("SELECT 1 FROM per_inf_data WHERE file_num = ?", {fileNumber})
                 .isEmpty())
            return;
        insert();
        filed = true;
    });
    return filed;
}

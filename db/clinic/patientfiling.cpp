#include "db/clinic/patientfiling.h"

#include "db/engine/connection.h"

bool fileNewPatient(const QString& location, const QString& fileNumber,
                    const std::function<void()>& insert) {
    QSqlDatabase db = openDatabase(location);
    bool filed = false;
    inTransaction(db, [&] {
        // Readers go on; another desk's filing waits until this one is committed. A database file
        // is open at one desk only.
        if (onServer(db))
            runQuery(db, "LOCK TABLE per_inf_data IN SHARE ROW EXCLUSIVE MODE");
        if (runQuery(db, "SELECT 1 FROM per_inf_data WHERE file_num = ?", {fileNumber}).next())
            return;
        insert();
        filed = true;
    });
    return filed;
}

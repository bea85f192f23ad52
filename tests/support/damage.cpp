#include "damage.h"

#include "clinicrows.h"

#include "db/engine/connection.h"

#include <QFile>
#include <QRandomGenerator>

void makeDamagedDatabase(const QString& path) {
    {
        ScopedDatabase database(path);
        inTransaction(database.db(), [&] {
            for (int n = 0; n < 400; ++n)
                addPatient({{"file_num", QString::number(n)},
                            {"pt_name", QString("patient %1 of a long list").arg(n)},
                            {"comm", QString(40, QChar('c'))}},
                           database.db());
        });
    }
    closeAllDatabases();
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    constexpr qint64 kPage = 4096;
    QByteArray noise(kPage, Qt::Uninitialized);
    QRandomGenerator generator(12);
    for (char& byte : noise)
        byte = static_cast<char>(generator.bounded(256));
    file.seek((file.size() / kPage / 2) * kPage);
    file.write(noise);
}

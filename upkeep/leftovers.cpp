#include "upkeep/leftovers.h"

#include "settings/appsettings.h"
#include "upkeep/backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void removeWithJournal(const QString& path) {
    for (const QString& file : {path, path + "-journal"})
        if (QFileInfo::exists(file))
            QFile::remove(file);
}

} // namespace

void removeLeftovers(const AppSettingsRecord& settings) {
    const QString database = settings.databaseFilePath;
    removeWithJournal(QFileInfo(database).dir().filePath("test.mdb"));
    removeWithJournal(database + ".restoring");
    removeWithJournal(database + ".restoring.new");
    const QDir backups(backupsFolder(settings));
    for (const QString& name : backups.entryList({"korvel_data_*.mdb.partial"}, QDir::Files))
        removeWithJournal(backups.filePath(name));
}

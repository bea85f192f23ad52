#include "db/upkeep/databasecare.h"

#include "db/engine/connection.h"

bool keptOnServer(const QString& serverSetting) {
    return !serverSetting.isEmpty();
}

bool keepsOwnBackups(const QString& location) {
    return engineAt(location) == Engine::Server;
}

bool compactsInPlace(const QString& location) {
    return engineAt(location) == Engine::Server;
}

bool watchesOwnIntegrity(const QString& location) {
    return engineAt(location) == Engine::Server;
}

bool readsOnceApart(const QString& location) {
    return engineAt(location) == Engine::File;
}

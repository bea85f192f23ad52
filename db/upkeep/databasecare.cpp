#include "db/upkeep/databasecare.h"

#include "db/engine/dialect.h"

bool keepsOwnBackups(const QString& location) {
    return dialectAt(location).keepsOwnBackups();
}

bool compactsInPlace(const QString& location) {
    return dialectAt(location).compactsInPlace();
}

bool watchesOwnIntegrity(const QString& location) {
    return dialectAt(location).watchesOwnIntegrity();
}

bool readsOnceApart(const QString& location) {
    return dialectAt(location).readsOnceApart();
}

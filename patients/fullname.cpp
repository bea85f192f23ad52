#include "patients/fullname.h"

#include <QStringList>

QString composeFullName(const QString& given, const QString& second, const QString& third,
                        const QString& family) {
    QStringList parts{given.trimmed(), second.trimmed()};
    if (!third.isEmpty())
        parts << third.trimmed();
    parts << family.trimmed();
    return parts.join(' ');
}

#include "reportengine/reportfonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <cmath>

namespace {

bool writesArabic(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Arabic);
}

// Naskh is the usual face of printed Arabic; the others in order of likeness.
QStringList arabicFamilies() {
    static const QStringList families = [] {
        const QStringList installed = QFontDatabase::families(QFontDatabase::Arabic);
        QStringList ordered;
        for (const char* preferred :
             {"Noto Naskh Arabic", "Amiri", "Noto Sans Arabic", "DejaVu Sans"})
            if (installed.contains(preferred))
                ordered << preferred;
        for (const QString& family : installed)
            if (!ordered.contains(family))
                ordered << family;
        return ordered;
    }();
    return families;
}

// The family itself where it is installed, else the one the system puts in its place (a family
// list is matched name by name, without the system's substitutes), then Arabic fallbacks.
QStringList familiesFor(const QString& family) {
    static QHash<QString, QStringList> known;
    auto it = known.find(family);
    if (it == known.end()) {
        const QString installed = QFontInfo(QFont(family)).family();
        QStringList families{installed};
        if (!writesArabic(installed))
            families << arabicFamilies().mid(0, 2);
        it = known.insert(family, families);
    }
    return *it;
}

} // namespace

QFont toQFont(const ReportFont& font) {
    QFont result;
    result.setFamilies(familiesFor(font.family));
    result.setPixelSize(static_cast<int>(std::lround(font.pointSize * 20)));
    result.setBold(font.bold);
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setStyleStrategy(QFont::PreferOutline);
    return result;
}

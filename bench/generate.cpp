// Writes a clinic's database of a given size: korvel-generate DIR [patients invoices
// lines-per-invoice years seed]. The database is made by the program's own
// creation of a database file in DIR.

#include "clinicdata.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/programdir.h"
#include "db/upkeep/createdb.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

namespace {
// Creation only asks about an old backup; the generator never keeps one.
class NoQuestions : public Dialogs {
  public:
    Answer message(const QString& text, Buttons, Icon, const std::optional<QString>&) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return Answer::Yes;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString pickFolder(QWidget*, const QString&) override { return {}; }
};
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: korvel-generate DIR [patients invoices lines-per-invoice "
                             "years seed]\n");
        return 2;
    }
    ClinicSize size;
    if (args.size() > 2)
        size.patients = args[2].toInt();
    if (args.size() > 3)
        size.invoices = args[3].toInt();
    if (args.size() > 4)
        size.linesPerInvoice = args[4].toDouble();
    if (args.size() > 5)
        size.years = args[5].toInt();
    if (args.size() > 6)
        size.seed = args[6].toULongLong();
    if (size.patients < 1 || size.invoices < 0 || size.linesPerInvoice < 1 || size.years < 1) {
        std::fprintf(stderr, "sizes must be positive\n");
        return 2;
    }

    const QString dir = QDir(args[1]).absolutePath();
    QDir().mkpath(dir);
    setProgramDir(dir);
    NoQuestions answers;
    setDialogs(&answers);
    QFile::remove(dir + "/korvel_data_backup.mdb");
    QFile::remove(dir + "/korvel_data.mdb");

    QElapsedTimer timer;
    timer.start();
    if (!createDatabaseFile("korvel_data"))
        return 1;
    try {
        generateClinicData(dir + "/korvel_data.mdb", size);
    } catch (const AppError& error) {
        std::fprintf(stderr, "%d -> %s\n", error.number(), qPrintable(error.description()));
        return 1;
    }
    std::printf("%d patients, %d invoices written to %s in %.1f s\n", size.patients, size.invoices,
                qPrintable(dir), timer.elapsed() / 1000.0);
    return 0;
}

#include "app/consolecommand.h"

#include "app/copydatabasecommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

constexpr auto kCopyOption = "--copy-database";

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{"h", "help"}, "Shows this help and exits."};
    QCommandLineOption version{{"v", "version"}, "Shows the program's version and exits."};
    // Listed for the help alone: the copy reads its own arguments.
    QCommandLineOption copy{
        "copy-database",
        "Copies the clinic's database FROM to TO without a display and exits; FROM and TO are "
        "each a database file's path or a connection URI such as "
        "postgresql://user@host:5432/korvel. Exits with 0 only when the copy was made and "
        "checked.",
        "FROM TO"};

    Parser() {
        parser.setApplicationDescription(
            "Korvel: patient files, procedures, invoices and reports for a one-doctor clinic.\n"
            "Started without options, it opens its main window.\n\n"
            "  korvel --copy-database FROM TO");
        parser.addOptions({help, version, copy});
    }
};

} // namespace

bool isConsoleCommand(int argc, char* argv[]) {
    if (argc < 2)
        return false;
    const QString first = QString::fromLocal8Bit(argv[1]);
    return first == kCopyOption || QStringList{"-h", "--help", "-v", "--version"}.contains(first);
}

int runConsoleCommand(const QStringList& arguments) {
    // A path after --copy-database may begin with a dash: the copy is not parsed as options.
    if (arguments.value(1) == kCopyOption)
        return runCopyDatabaseCommand(arguments);
    Parser parsed;
    if (!parsed.parser.parse(arguments)) {
        err() << parsed.parser.errorText() << "\nTry korvel --help" << Qt::endl;
        return 2;
    }
    if (parsed.parser.isSet(parsed.help))
        out() << parsed.parser.helpText() << Qt::flush;
    else
        out() << "korvel " << QCoreApplication::applicationVersion() << Qt::endl;
    return 0;
}

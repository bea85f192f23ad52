#include "app/consolecommand.h"

#include "upkeep/copydatabasecommand.h"

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

// Qt's own options, which its window system reads: those followed by a value and those alone.
const QStringList kQtValueOptions{"platform",        "platformpluginpath",
                                  "platformtheme",   "plugin",
                                  "qwindowgeometry", "qwindowicon",
                                  "qwindowtitle",    "session",
                                  "style",           "stylesheet",
                                  "display",         "name",
                                  "title",           "geometry"};
const QStringList kQtFlags{"reverse", "widgetcount", "nograb", "dograb"};

// The arguments less Qt's own options: what is left beside the program's name is for Korvel.
QStringList withoutQtOptions(const QStringList& arguments) {
    QStringList left{arguments.value(0)};
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString name = argument.mid(argument.startsWith("--") ? 2 : 1).section('=', 0, 0);
        if (!argument.startsWith('-') || argument == "-" || argument == "--")
            left << argument;
        else if (kQtValueOptions.contains(name) && !argument.contains('='))
            ++i;
        else if (!kQtFlags.contains(name) && !kQtValueOptions.contains(name))
            left << argument;
    }
    return left;
}

} // namespace

bool isConsoleCommand(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return withoutQtOptions(arguments).size() > 1;
}

int runConsoleCommand(const QStringList& arguments) {
    // A path after --copy-database may begin with a dash: the copy is not parsed as options.
    if (arguments.value(1) == kCopyOption)
        return runCopyDatabaseCommand(arguments);
    Parser parsed;
    QString refusal;
    if (!parsed.parser.parse(withoutQtOptions(arguments)))
        refusal = parsed.parser.errorText();
    else if (!parsed.parser.positionalArguments().isEmpty())
        refusal = "Unknown argument '" + parsed.parser.positionalArguments().constFirst() + "'.";
    if (!refusal.isEmpty()) {
        err() << refusal << "\n\n" << parsed.parser.helpText() << Qt::flush;
        return 2;
    }
    if (parsed.parser.isSet(parsed.help))
        out() << parsed.parser.helpText() << Qt::flush;
    else
        out() << "korvel " << QCoreApplication::applicationVersion() << Qt::endl;
    return 0;
}

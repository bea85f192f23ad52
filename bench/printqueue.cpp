#include "printqueue.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace {

QString outputOf(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

} // namespace

// `lpq -l` gives each job as a line with its number, then a line with its title and size.
QSet<int> queuedJobs(const QString& title) {
    static const QRegularExpression jobLine(R"(\[job (\d+) )");
    QSet<int> jobs;
    int job = 0;
    for (const QString& line : outputOf("lpq", {"-l"}).split('\n')) {
        const QRegularExpressionMatch match = jobLine.match(line);
        if (match.hasMatch())
            job = match.captured(1).toInt();
        else if (job > 0 && line.trimmed().startsWith(title + "  "))
            jobs.insert(job);
    }
    return jobs;
}

void cancelJobs(const QSet<int>& jobs) {
    QStringList numbers;
    for (int job : jobs)
        numbers << QString::number(job);
    if (!numbers.isEmpty())
        outputOf("cancel", numbers);
}

#include "upkeep/jetimportoffer.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "core/programdir.h"
#include "db/upkeep/jetfile.h"
#include "db/upkeep/jetimport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

constexpr int kMostListed = 20;

// The texts the user sees, under the context of their translation.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(JetImport)
};

// korvel_data_jet.mdb, or the first of korvel_data_jet_2.mdb, _3 ... that no file holds yet.
QString keptName(const QString& directory) {
    QString name = directory + "/korvel_data_jet.mdb";
    for (int n = 2; fileExists(name); ++n)
        name = directory + QString("/korvel_data_jet_%1.mdb").arg(n);
    return name;
}

bool adjustAfterAsking(const QList<JetAdjustment>& adjustments) {
    return dialogs().message(
               Text::tr(
                   "These values of the earlier program's database cannot be copied as they "
                   "stand:\r\n%1\r\n\r\nCopy them adjusted (a text cut at a whole character, an "
                   "empty text stored as null)? Every adjustment is written to the import "
                   "report korvel_import_report.csv beside the new database. No stops the copy.")
                   .arg(adjustmentList(adjustments, kMostListed)),
               Dialogs::Buttons::YesNo, Dialogs::Icon::Critical) == Dialogs::Answer::Yes;
}

// The copy, made under a name of its own; none when it failed or was stopped, after telling why.
std::optional<CopySummary> copied(const QString& path, const QString& staging, QWidget* owner) {
    const auto progress =
        dialogs().progress(owner, Text::tr("Copy the earlier program's database"));
    try {
        return importJetDatabase(
            path, staging,
            [&](qint64 done, qint64 total) {
                return progress->advance(Text::tr("Copying patients, procedures and invoices"),
                                         int(done), int(total));
            },
            adjustAfterAsking);
    } catch (const AppError& error) {
        if (error.number() == ErrorNumber::DialogCancelled) {
            showMessage(Text::tr("The copy was stopped: nothing was copied, nothing changed."));
            return std::nullopt;
        }
        ErrorLog::write("error in (CopyJetDatabase) : ", error);
        showMessage(
            Text::tr("The copy of the earlier program's database failed; nothing changed:\r\n") +
            error.description());
        return std::nullopt;
    }
}

} // namespace

JetOffer offerJetCopy(const QString& path, QWidget* owner) {
    if (!isJetFile(path))
        return JetOffer::NotJet;
    const QString directory = QFileInfo(path).absolutePath();
    const QString database = directory + "/korvel_data.mdb";
    const QString kept = keptName(directory);
    if (dialogs().message(
            Text::tr(
                "%1 is the earlier program's database.\r\nKorvel can copy its patients, "
                "procedures and invoices into a new Korvel database, korvel_data.mdb in the same "
                "folder, and leaves the earlier file unchanged under the name %2.\r\nCopy it now?")
                .arg(QDir::toNativeSeparators(path), QFileInfo(kept).fileName()),
            Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return JetOffer::Declined;
    // Only a complete, checked copy takes the name korvel_data.mdb, once the earlier file has
    // its new one: a copy stopped at any point leaves the earlier file where it was.
    const QString staging = database + ".jet-copy";
    QFile::remove(staging); // what an interrupted attempt left
    const std::optional<CopySummary> summary = copied(path, staging, owner);
    if (!summary)
        return JetOffer::Failed;
    if (!QFile::rename(path, kept) || !QFile::rename(staging, database)) {
        if (!fileExists(path))
            QFile::rename(kept, path);
        QFile::remove(staging);
        showMessage(Text::tr("The earlier program's database cannot be renamed to %1; nothing "
                             "changed.")
                        .arg(kept));
        return JetOffer::Failed;
    }
    showMessage(Text::tr("The earlier program's database was copied into a new Korvel "
                         "database:\r\n%1\r\nThe earlier file is kept unchanged as %2.")
                    .arg(summary->text(), kept));
    return JetOffer::Copied;
}

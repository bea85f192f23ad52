#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/testenv.h"

#include "app/runsettings.h"
#include "invoices/invoicereport.h"
#include "patients/patientreports.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>

namespace {

const QString kOffer = "No printer is set up. Save the pages as a PDF file instead?";
using Print = void (*)();

void patientSheet() {
    printPatientSheet(AppSettings(), "7");
}

void invoice() {
    PrintInvoice(AppSettings(), "1");
}

} // namespace

Q_DECLARE_METATYPE(Print)

// Without a printer, the patient sheet's and the invoice screen's Print offer the same pages as a
// PDF file; declined, nothing is written.
class NoPrinterTest : public QObject {
    Q_OBJECT

  private slots:
    void printOffersAPdfInstead_data() {
        QTest::addColumn<Print>("print");
        QTest::addColumn<QString>("expected");
        QTest::newRow("patient sheet") << Print(patientSheet) << "Huda Saleh";
        QTest::newRow("invoice") << Print(invoice) << "Consultation";
    }

    void printOffersAPdfInstead() {
        QFETCH(Print, print);
        QFETCH(QString, expected);
        TestEnv env;
        env.createDatabase();
        addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}});
        addInvoice("7", "06/12/2026", 1500, 500);
        addInvoiceLine(1, "01", "Consultation", 1500);
        const QString path = env.root() + "/pages.pdf";

        env.dialogs.expectQuestion(kOffer, Dialogs::Answer::No, Dialogs::Icon::Question);
        print();
        QVERIFY(env.dialogs.allAnswered());
        QVERIFY(!QFileInfo::exists(path));

        env.dialogs.expectQuestion(kOffer, Dialogs::Answer::Yes, Dialogs::Icon::Question);
        env.dialogs.expectSaveFile("PDF Files (*.pdf)|*.pdf", path);
        print();
        QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
        const QString text = pdfText(path);
        QVERIFY2(text.contains(expected), qPrintable(text));
    }
};

int main(int argc, char** argv) {
    // No print queue, wherever the test runs.
    qputenv("CUPS_SERVER", "/nonexistent/korvel-test/cups.sock");
    QApplication app(argc, argv);
    NoPrinterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_noprinter.moc"

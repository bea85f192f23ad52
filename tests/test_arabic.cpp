#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/shown.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/aboutbox.h"
#include "app/language.h"
#include "app/mainwindow.h"
#include "app/qtdialogs.h"
#include "app/runsettings.h"
#include "binding/maskededit.h"
#include "db/engine/connection.h"
#include "db/engine/rowsource.h"
#include "invoices/invoicelistscreen.h"
#include "invoices/invoicescreen.h"
#include "patients/patientfilescreen.h"
#include "reportengine/reportlayout.h"
#include "reportengine/reportpreview.h"
#include "reports/layouts.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "settings/settingsstore.h"
#include "upkeep/backupmenu.h"
#include "upkeep/backups.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>

namespace {

// Where each named control stands in its window.
using Places = QMap<QString, QRect>;

Places placesOf(QWidget* window, const QStringList& names) {
    Places places;
    for (const QString& name : names) {
        QWidget* control = child(window, name);
        places[name] = QRect(control->mapTo(window, QPoint(0, 0)), control->size());
    }
    return places;
}

// A right-to-left window is its left-to-right self seen in a mirror: controls side by side
// change places, and a control on one side of the window stands on the other. Controls that
// stand one above the other keep their order.
void checkMirrored(const Places& english, const Places& arabic, int englishWidth, int arabicWidth) {
    for (auto a = english.begin(); a != english.end(); ++a) {
        const QRect& ar = arabic[a.key()];
        const int side = a->center().x() - englishWidth / 2;
        if (std::abs(side) > englishWidth / 10)
            QVERIFY2((ar.center().x() - arabicWidth / 2 > 0) == (side < 0), qPrintable(a.key()));
        for (auto b = english.begin(); b != english.end(); ++b) {
            const bool sideBySide = a->top() < b->bottom() && b->top() < a->bottom();
            if (sideBySide && a->right() < b->left())
                QVERIFY2(ar.left() > arabic[b.key()].right(),
                         qPrintable(a.key() + " stays left of " + b.key()));
            if (!sideBySide && a->bottom() < b->top())
                QVERIFY2(ar.bottom() < arabic[b.key()].top(),
                         qPrintable(a.key() + " moved below " + b.key()));
        }
    }
}

// While it lives, the screens are made in English, left to right, as in a program started
// without the Arabic setting; then the Arabic translations and direction come back.
class EnglishInterface {
  public:
    EnglishInterface() : translators_(qApp->findChildren<QTranslator*>()) {
        for (QTranslator* translator : translators_)
            QCoreApplication::removeTranslator(translator);
        QApplication::setLayoutDirection(Qt::LeftToRight);
    }
    ~EnglishInterface() {
        for (QTranslator* translator : translators_)
            QCoreApplication::installTranslator(translator);
        QApplication::setLayoutDirection(Qt::RightToLeft);
    }

  private:
    QList<QTranslator*> translators_;
};

// The text of the named button of a screen.
QString caption(QWidget* screen, const QString& name) {
    return child<QPushButton>(screen, name)->text();
}

// A patient file typed in as a receptionist does, the lists' items chosen from the lists.
void typePatientFile(QWidget* screen) {
    typeText(box(screen, "Text2"), QString::fromUtf8("هدى"));
    typeText(box(screen, "Text5"), QString::fromUtf8("القحطاني"));
    QTest::keyClicks(box(screen, "Text6"), "33");
    child<QComboBox>(screen, "Combo1")->setCurrentIndex(2);
    child<QComboBox>(screen, "Combo2")->setCurrentIndex(2);
    QTest::keyClicks(box(screen, "Text13"), "2223333");
    typeText(box(screen, "Text16"), QString::fromUtf8("ماجد القحطاني"));
    QTest::keyClicks(box(screen, "Text8"), "0555123456");
    click(screen, "SSCommand1");
}

QVariantList storedFile(const QString& fileNumber) {
    QSqlQuery query(clinicDatabase());
    query.prepare("SELECT * FROM per_inf_data WHERE file_num = ?");
    query.addBindValue(fileNumber);
    query.exec();
    QVariantList values;
    if (!query.next())
        return values;
    // The key and the file number differ from file to file; everything after them is compared.
    for (int i = 0; i < query.record().count(); ++i) {
        const QString name = query.record().fieldName(i);
        if (name != "file_num" && name != "id")
            values << query.value(i);
    }
    return values;
}

const QStringList kPatientFileControls = {"Text1", "Text2",      "Text5",      "Mask1",
                                          "Text6", "SSCommand1", "SSCommand4", "SSCommand7"};
const QStringList kInvoiceControls = {"Text1",   "Text2",         "mask1",          "text4",
                                      "Text5",   "Text6",         "SSCommand1",     "Text8",
                                      "Option1", "SSCommand2_OK", "SSCommand5_Quit"};

// The captions and labels of a window that still hold Latin words.
QStringList englishIn(QWidget* window) {
    static const QRegularExpression latin("[A-Za-z]{2,}");
    QStringList english;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->isVisible() && button->text().contains(latin))
            english << button->text();
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisible() && label->text().contains(latin))
            english << label->text();
    return english;
}

// Each dialog the program shows through Qt, as the program asks for it.
std::function<void()> opener(const QString& dialog, const QString& folder) {
    const auto dialogs = std::make_shared<QtDialogs>();
    const auto tr = [](const char* context, const char* text) {
        return QCoreApplication::translate(context, text);
    };
    if (dialog == "input")
        return [=] { dialogs->inputBox(tr("PatientFileScreen", "File Number :"), "", ""); };
    if (dialog == "question")
        return [=] {
            dialogs->message(tr("DatabaseMenu", "Are you sure you want to change the Database "
                                                "Directory"),
                             Dialogs::Buttons::YesNo, Dialogs::Icon::Critical, std::nullopt);
        };
    if (dialog == "open file")
        return [=] { dialogs->openFile("Pictures (*.jpg)|*.jpg", folder, QString()); };
    if (dialog == "folder")
        return [=] { dialogs->pickFolder(nullptr, tr("BackupMenu", "Select Backups Folder")); };
    if (dialog == "choose item")
        return [=] { dialogs->chooseItem("?", "", {"Cash", "Card"}, 0); };
    return [=] {
        dialogs->chooseRow(tr("BackupMenu", "Restore from Backup"), "?",
                           {tr("BackupMenu", "Taken"), tr("BackupMenu", "Size")},
                           {{"08/12/2026 09:00", "12 kB"}});
    };
}

} // namespace

class ArabicTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void arabicChosenInTheSettingsIsTakenAtStart();
    void mainWindowIsTheEnglishOneMirrored();
    void patientFileIsMirroredAndStoresWhatTheEnglishOneStores();
    void invoiceScreenIsMirroredWithItsNumbersLeftToRight();
    void dailyReportIsTheEnglishOneMirrored();
    void storedWordsPrintInArabicAndTypedOnesAsTyped();
    void gridsShowNumbersDatesAndLatinInTheirOwnOrder();
    void messagesShowPathsAndNumbersInTheirOwnOrder();
    void qtDialogsShowTheirButtonsWholeInBothLanguages_data();
    void qtDialogsShowTheirButtonsWholeInBothLanguages();
    void restoreListAndInvoicePdfSpeakArabic();
    void amountsInReportsLineUpOnTheirLastDigit_data();
    void amountsInReportsLineUpOnTheirLastDigit();

  private:
    std::unique_ptr<TestEnv> env_;
};

// The program as a clinic that chose Arabic starts it.
void ArabicTest::initTestCase() {
    TestEnv env;
    AppSettingsRecord settings;
    settings.language = kArabic;
    WriteAllSettings(settings);
    applyStoredLanguage(*qApp);
}

void ArabicTest::init() {
    env_ = std::make_unique<TestEnv>();
    env_->createDatabase();
    standInForMainWindow();
}

void ArabicTest::cleanup() {
    QVERIFY2(env_->dialogs.allAnswered(), qPrintable(env_->dialogs.report()));
    env_.reset();
}

void ArabicTest::arabicChosenInTheSettingsIsTakenAtStart() {
    QVERIFY(QApplication::isRightToLeft());
    QCOMPARE(QCoreApplication::translate("MainWindow", "Patients File"),
             QString::fromUtf8("ملف المريض"));
    // Qt's own texts of the standard buttons.
    QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No);
    QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text().remove('&'), QString::fromUtf8("نعم"));
}

void ArabicTest::mainWindowIsTheEnglishOneMirrored() {
    const QStringList controls = {"SSCommand1", "SSCommand2", "SSCommand3",
                                  "SSCommand4", "SSCommand5", "SSCommand6",
                                  "SSCommand7", "SSPanel3",   "SSPanel2"};
    Places english;
    int englishWidth = 0;
    {
        EnglishInterface inEnglish;
        MainWindow window(AppSettings());
        window.show();
        QCOMPARE(caption(&window, "SSCommand1"), "Patients File");
        english = placesOf(&window, controls);
        englishWidth = window.width();
    }
    MainWindow window(AppSettings());
    window.show();
    QCOMPARE(caption(&window, "SSCommand1"), QString::fromUtf8("ملف المريض"));
    QCOMPARE(caption(&window, "SSCommand6"), QString::fromUtf8("تعديل الفواتير"));
    checkMirrored(english, placesOf(&window, controls), englishWidth, window.width());
}

void ArabicTest::patientFileIsMirroredAndStoresWhatTheEnglishOneStores() {
    Screens::registerFactory(Screen::PatientFile,
                             [] { return new PatientFileScreen(AppSettings()); });
    Places english;
    int englishWidth = 0;
    {
        EnglishInterface inEnglish;
        env_->dialogs.expectInput("File Number :", "Open File", "E5", QString());
        env_->dialogs.expectNotice("not found");
        QWidget* screen = showScreen(Screen::PatientFile);
        typePatientFile(screen);
        english = placesOf(screen, kPatientFileControls);
        englishWidth = screen->width();
        screen->close();
        discardClosed();
    }
    env_->dialogs.expectInput(QString::fromUtf8("رقم الملف :"), QString::fromUtf8("فتح ملف"), "F6",
                              QString());
    env_->dialogs.expectNotice(QString::fromUtf8("غير موجود"));
    QWidget* screen = showScreen(Screen::PatientFile);
    QCOMPARE(child<QComboBox>(screen, "Combo1")->itemText(2), QString::fromUtf8("غير سعودي"));
    typePatientFile(screen);

    QCOMPARE(valueIn("SELECT pt_nationality FROM per_inf_data WHERE file_num = 'F6'").toString(),
             "NON SAUDI");
    QVERIFY(!storedFile("E5").isEmpty());
    QCOMPARE(storedFile("F6"), storedFile("E5"));
    checkMirrored(english, placesOf(screen, kPatientFileControls), englishWidth, screen->width());
    // Dates and numbers are typed left to right in the mirrored screen.
    QCOMPARE(child(screen, "Mask1")->layoutDirection(), Qt::LeftToRight);
    QCOMPARE(child(screen, "Text6")->layoutDirection(), Qt::LeftToRight);
    // A stored file shows its lists' items in Arabic.
    QCOMPARE(child<QComboBox>(screen, "Combo1")->currentText(), QString::fromUtf8("غير سعودي"));
    screen->close();
}

void ArabicTest::invoiceScreenIsMirroredWithItsNumbersLeftToRight() {
    Screens::registerFactory(Screen::Invoice, [] { return new InvoiceScreen(AppSettings()); });
    Screens::registerFactory(Screen::OpenFile, [] { return new QWidget; });
    addProcedure("10", "Consultation", 100);
    addProcedure("20", "X-ray", 50);
    auto openInvoice = [] {
        runQuery(clinicDatabase(), "INSERT INTO inv_rep_data (file_p, name, adrr) VALUES (?, ?, ?)",
                 {"7", QString::fromUtf8("هدى صالح"), QString::fromUtf8("الرياض")});
        QWidget* screen = showActiveScreen(Screen::Invoice);
        for (const char* code : {"10", "20"}) {
            typeInto(screen, "text4", code, "Text6");
            click(screen, "SSCommand1");
        }
        return screen;
    };
    Places english;
    int englishWidth = 0;
    QList<int> englishColumns;
    {
        EnglishInterface inEnglish;
        QWidget* screen = openInvoice();
        english = placesOf(screen, kInvoiceControls);
        englishWidth = screen->width();
        screen->close();
        discardClosed();
    }
    QWidget* screen = openInvoice();
    QCOMPARE(screen->windowTitle(), QString::fromUtf8("الفواتير"));
    QCOMPARE(box(screen, "Text8")->text(), "150");
    checkMirrored(english, placesOf(screen, kInvoiceControls), englishWidth, screen->width());
    QCOMPARE(child(screen, "text4")->layoutDirection(), Qt::LeftToRight);
    QCOMPARE(child(screen, "Text6")->layoutDirection(), Qt::LeftToRight);
    // The lines' grid reads from the right: its first column, the code, stands rightmost.
    QHeaderView* header = grid(screen, "DBGrid1")->horizontalHeader();
    QVERIFY(header->sectionViewportPosition(0) > header->sectionViewportPosition(1));
    QCOMPARE(header->model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("الرمز"));
    screen->close();
}

void ArabicTest::dailyReportIsTheEnglishOneMirrored() {
    RowSet rows({"file_num", "po_num", "po_date", "po_pri", "po_netd"},
                {{"A1", 1, "06/12/2026", 150, 0}, {"B2", 2, "06/12/2026", 80, 30}});
    Report english;
    {
        EnglishInterface inEnglish;
        english = incomeLayout("rep_day");
    }
    PrepareReport(english, AppSettings());
    const Page en = layoutReport(english, rows).pages.at(0);
    Report& arabic = reportByName("rep_day");
    PrepareReport(arabic, AppSettings());
    rows = RowSet({"file_num", "po_num", "po_date", "po_pri", "po_netd"},
                  {{"A1", 1, "06/12/2026", 150, 0}, {"B2", 2, "06/12/2026", 80, 30}});
    const Page ar = layoutReport(arabic, rows).pages.at(0);

    QCOMPARE(textOf(ar, "patientpayments"), QString::fromUtf8("التقرير اليومي"));
    QCOMPARE(textOf(ar, "Label1"), QString::fromUtf8("رقم الملف"));
    QCOMPARE(textOf(ar, "Function1"), textOf(en, "Function1"));
    // The letterhead, the title, every column and the totals: each stands as far from the
    // right margin as its English self stands from the left one.
    const int left = english.margins.left;
    const int right = kPageSizeTwips.width() - arabic.margins.right;
    for (const char* control : {"clinicname", "patientpayments", "Label1", "Label5", "Text1",
                                "Text5", "Label6", "Function1", "Function2"}) {
        const auto englishTexts = textsOf(en, control);
        const auto arabicTexts = textsOf(ar, control);
        QVERIFY2(!englishTexts.empty() && englishTexts.size() == arabicTexts.size(), control);
        for (size_t i = 0; i < englishTexts.size(); ++i) {
            const QRect& e = englishTexts[i].rect;
            const QRect& a = arabicTexts[i].rect;
            QCOMPARE(right - (a.left() + a.width()), e.left() - left);
        }
    }
    // An Arabic text is laid out right to left, to be shaped and joined when drawn.
    QVERIFY(textsOf(ar, "patientpayments").front().rightToLeft);
}

// The kinds and nationalities the program stores in English print in Arabic; a nationality the
// receptionist typed prints as it was typed.
void ArabicTest::storedWordsPrintInArabicAndTypedOnesAsTyped() {
    RowSet payments({"pay_date", "po_num", "file_num", "pt_name", "kind", "amount", "cash_amount",
                     "card_amount", "transfer_amount", "cheque_amount", "other_amount",
                     "carried_amount"},
                    {{"06/12/2026", 1, "A1", "Huda", "Cash", 150, 150, 0, 0, 0, 0, 0},
                     {"06/12/2026", 2, "B2", "Omar", "Carried over", 80, 0, 0, 0, 0, 0, 80}});
    const Page cashBook = layoutReport(cashBookLayout(), payments).pages.at(0);
    QCOMPARE(textsOf(cashBook, "Text5").front().text, QString::fromUtf8("نقداً"));
    QCOMPARE(textsOf(cashBook, "Text5").back().text, QString::fromUtf8("مُرحَّل"));

    RowSet nationalities({"pt_nationality", "temporary", "pt_count"},
                         {{"SAUDI", 0, 3}, {"Yemeni", 1, 1}});
    const Page count = layoutReport(nationalityCountLayout(), nationalities).pages.at(0);
    QCOMPARE(textsOf(count, "Text1").front().text, QString::fromUtf8("سعودي"));
    QCOMPARE(textsOf(count, "Text1").back().text, QString("Yemeni"));
}

// A negative amount, a formula-like name, a date and Latin words beside Arabic each read as they
// are written, in the mirrored list.
void ArabicTest::gridsShowNumbersDatesAndLatinInTheirOwnOrder() {
    Screens::registerFactory(Screen::InvoiceList,
                             [] { return new InvoiceListScreen(AppSettings()); });
    addPatient({{"file_num", "A1"}, {"pt_name", "=1+1"}});
    addPatient({{"file_num", "B2"}, {"pt_name", QString::fromUtf8("هدى Smith-Jones =1+1")}});
    addInvoice("A1", "06/12/2026", 100, -30);
    addInvoice("B2", "07/12/2026", -30, 0);
    QWidget* screen = showScreen(Screen::InvoiceList);
    trigger(screen, "mnuAll");
    QTableView* list = grid(screen, "DBGrid1");
    // The whole cell where no part is named: the amount -30 as its column shows it.
    const struct {
        int row;
        int column;
        QString part;
    } cells[] = {{1, 1, "Smith-Jones =1+1"},
                 {0, 3, "06/12/2026"},
                 {0, 5, "-30"},
                 {1, 0, "B2"},
                 {1, 4, QString()}};
    for (const auto& cell : cells) {
        const QModelIndex index = list->model()->index(cell.row, cell.column);
        const QString part = cell.part.isEmpty() ? index.data().toString() : cell.part;
        const DrawnCell drawn = drawnCell(list, index);
        QVERIFY2(readsLeftToRight(drawn.text, part, drawn.direction), qPrintable(part));
    }
    // A name of neutral characters and digits only, as the whole window shows it.
    QVERIFY(cellShowsLeftToRight(list, list->model()->index(0, 1)));
    screenshot(screen, "arabic-invoice-list");
    screen->close();
}

void ArabicTest::messagesShowPathsAndNumbersInTheirOwnOrder() {
    const QString path = "/tmp/clinic/backups/korvel_data 2026-12-08.mdb";
    const QString text =
        QCoreApplication::translate("BackupMenu", "The database was backed up to %1 (%2).")
            .arg(path, "-30");
    QVERIFY(text.isRightToLeft());
    ModalWatch box([&](QWidget* dialog) {
        const QString shown = child<QLabel>(dialog, "qt_msgbox_label")->text();
        QVERIFY2(readsLeftToRight(shown, path, Qt::RightToLeft), qPrintable(shown));
        QVERIFY2(readsLeftToRight(shown, "-30", Qt::RightToLeft), qPrintable(shown));
        screenshot(dialog, "arabic-message");
    });
    QtDialogs().message(text, Dialogs::Buttons::Ok, Dialogs::Icon::Information, std::nullopt);
    QVERIFY(box.seen());
}

void ArabicTest::qtDialogsShowTheirButtonsWholeInBothLanguages_data() {
    QTest::addColumn<bool>("arabic");
    QTest::addColumn<QString>("dialog");
    for (const bool arabic : {true, false})
        for (const char* dialog :
             {"input", "question", "open file", "folder", "choose item", "restore", "about"})
            QTest::addRow("%s, %s", arabic ? "Arabic" : "English", dialog) << arabic << dialog;
}

void ArabicTest::qtDialogsShowTheirButtonsWholeInBothLanguages() {
    QFETCH(bool, arabic);
    QFETCH(QString, dialog);
    std::optional<EnglishInterface> english;
    if (!arabic)
        english.emplace();
    const QString name =
        QString(arabic ? "arabic-" : "english-") + QString(dialog).replace(' ', '-');
    const auto check = [&](QWidget* window) {
        screenshot(window, name);
        QVERIFY2(crampedButtons(window).isEmpty(), qPrintable(crampedButtons(window).join(", ")));
        // The About box names the program, its maker and its web site as they are.
        if (arabic && dialog != "about")
            QCOMPARE(englishIn(window), QStringList());
    };
    if (dialog == "about") {
        AboutBox about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        check(&about);
        return;
    }
    ModalWatch next(check);
    opener(dialog, env_->root())();
    QVERIFY(next.seen());
}

// The restore list's sizes and the invoice's preview and PDF, in Arabic.
void ArabicTest::restoreListAndInvoicePdfSpeakArabic() {
    backUpDatabase(AppSettings(), BackupOccasion::Requested);
    QtDialogs qt;
    setDialogs(&qt);
    {
        ModalWatch list([](QWidget* window) {
            const QTreeWidgetItem* copy = child<QTreeWidget>(window, "ChoiceList")->topLevelItem(0);
            QVERIFY2(copy->text(1).contains(QString::fromUtf8("كيلوبايت")),
                     qPrintable(copy->text(1)));
            screenshot(window, "arabic-restore-list");
        });
        restoreFromBackup(AppSettings());
        QVERIFY(list.seen());
    }

    RowSet rows({"xxx", "code2", "descr2", "amount2"}, {{1, "10", "Consultation", 100}});
    ReportPreview preview(reportByName("po_rep"), rows);
    preview.show();
    QCOMPARE(preview.windowTitle(), QString::fromUtf8("فاتورة"));
    {
        ModalWatch save([](QWidget* window) {
            QCOMPARE(child<QLineEdit>(window, "fileNameEdit")->text(),
                     QString::fromUtf8("فاتورة.pdf"));
            QCOMPARE(crampedButtons(window), QStringList());
            screenshot(window, "arabic-save-pdf");
        });
        preview.findChild<QAction*>("actExportPdf")->trigger();
        QVERIFY(save.seen());
    }
    setDialogs(&env_->dialogs);
}

void ArabicTest::amountsInReportsLineUpOnTheirLastDigit_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("control");
    QTest::newRow("cash book") << "cashbook"
                               << "Text6";
    QTest::newRow("invoice") << "po_rep"
                             << "Text4";
}

void ArabicTest::amountsInReportsLineUpOnTheirLastDigit() {
    QFETCH(QString, report);
    QFETCH(QString, control);
    const QList<qint64> amounts = {5, 12345, -30};
    std::vector<QVariantList> values;
    for (const qint64 amount : amounts)
        values.push_back(report == "po_rep" ? QVariantList{1, "10", "Consultation", amount}
                                            : QVariantList{"06/12/2026", 1, "A1", "Huda", "Cash",
                                                           amount, amount, 0, 0, 0, 0, 0});
    RowSet rows(report == "po_rep"
                    ? QStringList{"xxx", "code2", "descr2", "amount2"}
                    : QStringList{"pay_date", "po_num", "file_num", "pt_name", "kind", "amount",
                                  "cash_amount", "card_amount", "transfer_amount", "cheque_amount",
                                  "other_amount", "carried_amount"},
                values);
    Report& arabic = reportByName(report);
    PrepareReport(arabic, AppSettings());
    const LaidOutReport laid = layoutReport(arabic, rows);
    const QList<int> edges = inkRightEdges(laid, laid.pages.at(0), control);
    QCOMPARE(edges.size(), amounts.size());
    // Within a pixel of the picture, a tenth of a point.
    for (const int edge : edges)
        QVERIFY2(std::abs(edge - edges.first()) <= 10,
                 qPrintable(QString("%1 against %2").arg(edge).arg(edges.first())));
}

QTEST_MAIN(ArabicTest)
#include "test_arabic.moc"

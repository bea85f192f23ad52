#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/testenv.h"

#include "app/runsettings.h"
#include "core/apperror.h"
#include "db/clinic/reportrows.h"
#include "db/engine/connection.h"
#include "db/engine/rowsource.h"
#include "db/engine/statements.h"
#include "reportengine/fieldsum.h"
#include "reportengine/lazyreport.h"
#include "reportengine/reportfonts.h"
#include "reportengine/reportlayout.h"
#include "reportengine/reportoutput.h"
#include "reportengine/reportparts.h"
#include "reportengine/reportpreview.h"
#include "reportengine/valueformat.h"
#include "reports/layouts.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "reports/reportspresent.h"

#include "reportengine/pageview.h"
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTest>

namespace {

const int kPageHeight = kPageSizeTwips.height();
const QString kRiyal = QString::fromUtf8("ر.س.") + QChar(0x200F) + " ";
const QString kArabicName = QString::fromUtf8("محمد عبدالله الأحمد");

RowSet numbers(int count) {
    std::vector<QVariantList> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({i});
    return RowSet({"n"}, rows);
}

RowSet oneRow(const QString& column, const QVariant& value) {
    return RowSet({column}, {{value}});
}

QString words(int count) {
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << "word" + QString::number(i);
    return list.join(' ');
}

Letterhead sampleLetterhead() {
    return {QString::fromUtf8("عيادة كورفل"),
            "DR./ TEST DOCTOR",
            "Qual One",
            "Qual Two",
            "Qual Three",
            "LIC-42",
            "555-0100"};
}

// Every line of the page lies inside the paper's margins.
void verifyInsideMargins(const Page& page, const Report& report) {
    for (const PlacedText& text : page.content.texts) {
        QVERIFY2(text.rect.top() >= report.margins.top, qPrintable(text.text));
        QVERIFY2(text.rect.top() + text.rect.height() <= kPageHeight - report.margins.bottom,
                 qPrintable(text.text));
    }
}

const ReportSection& section(const Report& report, SectionRole role) {
    return report.sections[role];
}

} // namespace

class ReportsTest : public QObject {
    Q_OBJECT
  private slots:
    // The engine
    void headerAndFooterOnEveryPageAndTheReportFooterOnceAtTheEnd();
    void aBandTallerThanAPageIsSplitBetweenLinesOfText();
    void growingTextWrapsAndPushesDownWhatStartsBelowIt();
    void noRowsGiveOnePageWithTotalsOfZero();
    void aFieldThatIsNotAColumnIsAClearError();
    void rowsOfAForwardOnlyQueryAreReadOnceAndSummed();
    void queryRowsGiveTheEnginesValuesAndErrors();
    void sumsAreExactAndSkipWhatIsNotANumber();
    void valuesAreFormattedAsTheirControlsSay();
    void arabicTextRunsRightToLeft();
    void fontsFallBackToInstalledFamiliesWithArabicLetters();
    // The six layouts
    void everyReportHasItsCaptionWidthMarginsAndSections();
    void letterheadBlockStandsAtTheTopLeftOfFiveReports();
    void incomeReportsListInvoicesWithTotalsUnderTheirColumns();
    void nationalityCountShowsTheFlagAsYesOrNo();
    void patientSheetPutsEveryFieldBesideItsLabel();
    void invoiceLayoutHasValueLabelsAndTheRiyalAmount();
    // PrepareReport, the report instances, ReportsPresent
    void prepareReportWritesTheLetterheadOfTheSettings();
    void letterheadFollowsChangedSettingsWhateverTheLabelsCase();
    void emptySettingLeavesALineEmptyAndALongOneGrows();
    void reportsPresentNeedsAllFiveFiles();
    // Whole reports over the database, the PDF and the preview
    void dailyReportOfADayWithoutInvoicesHasTotalsOfZero();
    void longReportRepeatsItsPageHeaderOnEveryPage();
    void annualReportOverManyInvoicesPaginatesAndSumsAsTheDatabase();
    void pdfReadsBackWithTheLetterheadAndTheFigures();
    void previewIsModalTitledAndExportsPdf();
};

void ReportsTest::headerAndFooterOnEveryPageAndTheReportFooterOnceAtTheEnd() {
    TestEnv env;
    const Report report = numberedReport();
    RowSet rows = numbers(200);
    const LaidOutReport out = layoutReport(report, rows);

    const int bodyTop = 1440 + 400;
    const int footerTop = kPageHeight - 1440 - 500;
    const int perPage = (footerTop - bodyTop) / 300;
    QCOMPARE(int(out.pages.size()), (200 + perPage - 1) / perPage);
    int expected = 1;
    for (const Page& page : out.pages) {
        QCOMPARE(page.number, expected / perPage + 1);
        const auto heads = textsOf(page, "head");
        QCOMPARE(int(heads.size()), 1);
        QCOMPARE(heads[0].rect.top(), 1440);
        const auto feet = textsOf(page, "foot");
        QCOMPARE(int(feet.size()), 1);
        QCOMPARE(feet[0].rect.top(), footerTop + 100);
        const auto details = textsOf(page, "n");
        if (&page != &out.pages.back())
            QCOMPARE(int(details.size()), perPage);
        for (const PlacedText& line : details) {
            QCOMPARE(line.text, QString::number(expected++));
            QVERIFY(line.rect.top() >= bodyTop);
            QVERIFY(line.rect.top() + line.rect.height() <= footerTop);
        }
        QCOMPARE(textOf(page, "total").isEmpty(), &page != &out.pages.back());
    }
    QCOMPARE(expected, 201);
    const Page& last = out.pages.back();
    QCOMPARE(textOf(last, "total"), QString("20100"));
    QVERIFY(textsOf(last, "total")[0].rect.top() >= textsOf(last, "n").back().rect.bottom());
}

void ReportsTest::aBandTallerThanAPageIsSplitBetweenLinesOfText() {
    TestEnv env;
    Report report = numberedReport();
    ReportControl& box = report.sections[Detail].controls[0];
    box.canGrow = true;
    const QString text = words(1500);
    RowSet rows({"n"}, {{1}, {text}, {3}});
    const LaidOutReport out = layoutReport(report, rows);
    QVERIFY(out.pages.size() >= 3);

    const QFontMetricsF metrics(out.fonts[0]);
    QStringList lines;
    for (const Page& page : out.pages) {
        verifyInsideMargins(page, report);
        const int footerTop = kPageHeight - 1440 - 500;
        for (const PlacedText& line : textsOf(page, "n")) {
            QVERIFY(line.rect.top() >= 1440 + 400);
            QVERIFY2(line.rect.top() + line.rect.height() <= footerTop, qPrintable(line.text));
            QVERIFY(metrics.horizontalAdvance(line.text) <= box.rect.width());
            lines << line.text;
        }
    }
    QCOMPARE(lines.first(), QString("1"));
    QCOMPARE(lines.last(), QString("3"));
    QCOMPARE(lines.mid(1, lines.size() - 2).join(' '), text);
}

void ReportsTest::growingTextWrapsAndPushesDownWhatStartsBelowIt() {
    TestEnv env;
    Report report = emptyReport("grow", "Grow", 9000);
    ReportControl growing = label("growing", words(60), QRect(0, 0, 3000, 300));
    growing.canGrow = true;
    report.sections[Detail].controls = {
        growing,
        label("beside", "Beside", QRect(5000, 100, 3000, 300)),
        label("below", "Below", QRect(5000, 500, 3000, 300)),
        label("fixed", words(60), QRect(0, 1000, 3000, 300)),
    };
    report.sections[Detail].height = 1400;
    RowSet rows = numbers(1);
    const Page page = layoutReport(report, rows).pages.at(0);

    const auto grown = textsOf(page, "growing");
    QVERIFY(grown.size() > 3);
    QCOMPARE(textOf(page, "growing"), words(60));
    const int growth = grown.back().rect.bottom() + 1 - grown.front().rect.top() - 300;
    const int detailTop = grown.front().rect.top();
    QCOMPARE(textsOf(page, "beside")[0].rect.top(), detailTop + 100);
    QCOMPARE(textsOf(page, "below")[0].rect.top(), detailTop + 500 + growth);
    // A box that cannot grow shows the lines that fit, whole.
    const auto fixed = textsOf(page, "fixed");
    QCOMPARE(int(fixed.size()), 1);
    QVERIFY(words(60).startsWith(fixed[0].text));
    QCOMPARE(fixed[0].rect.top(), detailTop + 1000 + growth);
}

void ReportsTest::noRowsGiveOnePageWithTotalsOfZero() {
    TestEnv env;
    RowSet rows({"n"}, {});
    const LaidOutReport out = layoutReport(numberedReport(), rows);
    QCOMPARE(int(out.pages.size()), 1);
    QCOMPARE(textOf(out.pages[0], "head"), QString("Heading"));
    QCOMPARE(textOf(out.pages[0], "foot"), QString("Footer"));
    QVERIFY(textsOf(out.pages[0], "n").empty());
    QCOMPARE(textOf(out.pages[0], "total"), QString("0"));
}

void ReportsTest::aFieldThatIsNotAColumnIsAClearError() {
    TestEnv env;
    RowSet rows = oneRow("other", 1);
    try {
        layoutReport(numberedReport(), rows);
        QFAIL("a report over rows without its field was laid out");
    } catch (const AppError& error) {
        QVERIFY2(error.description().contains("\"n\""), qPrintable(error.description()));
    }
}

void ReportsTest::rowsOfAForwardOnlyQueryAreReadOnceAndSummed() {
    TestEnv env;
    env.createDatabase();
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] {
        for (int i = 1; i <= 1000; ++i)
            addInvoice("100", "06/12/2026", i * 7, i % 5, db);
    });
    Report report = numberedReport();
    report.sections[Detail].controls[0].dataField = "po_pri";
    report.sections[ReportFooter].controls[1].dataField = "PO_PRI";
    const auto rows = Statements(db).stream("select * from pt_sh order by po_num");
    const LaidOutReport out = layoutReport(report, *rows);

    int count = 0;
    for (const Page& page : out.pages)
        count += int(textsOf(page, "n").size());
    QCOMPARE(count, 1000);
    QCOMPARE(textOf(out.pages.back(), "total"),
             Statements(db).value("select sum(po_pri) from pt_sh").toString());
}

void ReportsTest::queryRowsGiveTheEnginesValuesAndErrors() {
    TestEnv env;
    env.createDatabase();
    QSqlDatabase db = clinicDatabase();
    addInvoice("100", "06/12/2026", 1500, 500, db);

    const auto rows = Statements(db).stream(
        "select po_pri, file_num, null as blank, po_netd - 0.5 as half from pt_sh "
        "where file_num = ?",
        {"100"});
    QCOMPARE(rows->columns(), (QStringList{"po_pri", "file_num", "blank", "half"}));
    QVERIFY(!rows->value(0).isValid());
    QVERIFY(rows->next());
    QCOMPARE(rows->value(0).typeId(), QMetaType::LongLong);
    QCOMPARE(rows->value(0).toLongLong(), 1500);
    QCOMPARE(rows->value(1).toString(), QString("100"));
    QVERIFY(rows->value(2).isNull());
    QCOMPARE(rows->value(3).toDouble(), 499.5);
    QVERIFY(!rows->next());

    // One query held twice at once, then again once both are done: each reads its own rows.
    addInvoice("200", "06/12/2026", 700, 0, db);
    const QString byFile = "select po_pri from pt_sh where file_num = ?";
    for (int round = 0; round < 2; ++round) {
        const auto first = Statements(db).stream(byFile, {"100"});
        const auto second = Statements(db).stream(byFile, {"200"});
        QVERIFY(first->next() && second->next());
        QCOMPARE(first->value(0).toLongLong(), 1500);
        QCOMPARE(second->value(0).toLongLong(), 700);
        QVERIFY(!first->next() && !second->next());
    }

    try {
        Statements(db).stream("select * from no_such_table");
        QFAIL("a query on a missing table was accepted");
    } catch (const AppError& error) {
        QCOMPARE(error.number(), 1);
        QVERIFY(error.description().contains(testsOnServer()
                                                 ? "relation \"no_such_table\" does not exist"
                                                 : "no such table: no_such_table"));
    }
    // A failure while reading is not the end of the rows: a report must not total half of them.
    try {
        Statements(db)
            .stream("select abs(po_pri - 9223372036854775807 - 1500 - 1) from pt_sh")
            ->next();
        QFAIL("a failing read was taken for the end of the rows");
    } catch (const AppError& error) {
        QVERIFY(error.description().contains(testsOnServer() ? "bigint out of range"
                                                             : "integer overflow"));
    }
}

void ReportsTest::sumsAreExactAndSkipWhatIsNotANumber() {
    FieldSum whole;
    for (int i = 0; i < 3; ++i)
        whole.add(qlonglong(2000000000));
    whole.add(QVariant());
    whole.add("abc");
    whole.add("12");
    QCOMPARE(whole.total(), QVariant(qlonglong(6000000012)));
    whole.add(2.5);
    QCOMPARE(whole.total().toDouble(), 6000000014.5);
    QCOMPARE(FieldSum().total(), QVariant(qlonglong(0)));
}

void ReportsTest::valuesAreFormattedAsTheirControlsSay() {
    QCOMPARE(formatAmount(1500), QString("1,500.00"));
    QCOMPARE(formatAmount(0), QString("0.00"));
    QCOMPARE(formatAmount(1234567.5), QString("1,234,567.50"));
    QCOMPARE(formatAmount(-2500), QString("-2,500.00"));
    QCOMPARE(displayValue(1500, ValueFormat::Amount, kRiyal), kRiyal + "1,500.00");
    QCOMPARE(displayValue(QVariant(), ValueFormat::Amount, kRiyal), QString());
    QCOMPARE(displayValue(1500, ValueFormat::Plain, QString()), QString("1500"));
    QCOMPARE(displayValue(1, ValueFormat::YesNo, QString()), QString("Yes"));
    QCOMPARE(displayValue(0, ValueFormat::YesNo, QString()), QString("No"));
    QCOMPARE(displayValue(QVariant(), ValueFormat::YesNo, QString()), QString("No"));
    QCOMPARE(numericValue(" 12 "), std::optional<double>(12));
    QCOMPARE(numericValue("1,5x"), std::optional<double>());
}

void ReportsTest::arabicTextRunsRightToLeft() {
    TestEnv env;
    Report report = emptyReport("arabic", "Arabic", 9000);
    report.sections[Detail].controls = {textBox("name", "name", QRect(0, 0, 4000, 300)),
                                        textBox("file", "file", QRect(4000, 0, 2000, 300))};
    report.sections[Detail].height = 300;
    RowSet rows({"name", "file"}, {{kArabicName, "A100"}});
    const Page page = layoutReport(report, rows).pages.at(0);
    const auto name = textsOf(page, "name");
    QCOMPARE(int(name.size()), 1);
    QCOMPARE(name[0].text, kArabicName);
    QVERIFY(name[0].rightToLeft);
    QVERIFY(!textsOf(page, "file")[0].rightToLeft);
    // Arabic comes from a taller fallback font; its line is never shorter than a Latin one.
    QVERIFY(name[0].rect.height() >= textsOf(page, "file")[0].rect.height());
}

void ReportsTest::fontsFallBackToInstalledFamiliesWithArabicLetters() {
    const QFont font = toQFont(timesNewRoman(12, true));
    QCOMPARE(font.pixelSize(), 240);
    QVERIFY(font.bold());
    QVERIFY(font.families().size() >= 1);
    bool arabic = false;
    for (const QString& family : font.families())
        arabic = arabic || QFontDatabase::writingSystems(family).contains(QFontDatabase::Arabic);
    QVERIFY2(arabic, qPrintable(font.families().join(", ")));
    QCOMPARE(toQFont({"Arial", 8.25, false}).pixelSize(), 165);
}

void ReportsTest::everyReportHasItsCaptionWidthMarginsAndSections() {
    struct Expected {
        QString name, caption;
        int width;
        QString detail;
    };
    const Expected all[] = {
        {"po_rep", "Invoice", 10305, "Detail"},
        {"per_inf_rep", "Patient's Personal Information", 10230, "Section1"},
        {"rep_day", "Daily Report", 10305, "Section1"},
        {"rep_mon", "Monthly Report", 10542, "Section1"},
        {"rep_year", "Annual Report", 10542, "Section1"},
        {"countbynationality", "Count of Patients (Temporary/Non-Temporary)", 10230, "Section1"},
    };
    for (const Expected& e : all) {
        const Report report = e.name == "po_rep"               ? invoiceLayout()
                              : e.name == "per_inf_rep"        ? patientSheetLayout()
                              : e.name == "countbynationality" ? nationalityCountLayout()
                                                               : incomeLayout(e.name);
        QCOMPARE(report.name, e.name);
        QCOMPARE(report.caption, e.caption);
        QCOMPARE(report.width, e.width);
        const QStringList names = {section(report, ReportHeader).name,
                                   section(report, PageHeader).name, section(report, Detail).name,
                                   section(report, PageFooter).name,
                                   section(report, ReportFooter).name};
        QCOMPARE(names, QStringList({"Section4", "Section2", e.detail, "Section3", "Section5"}));
        QCOMPARE(report.defaultFont, (ReportFont{"Arial", 8.25, false}));
        QCOMPARE(report.margins.left, 1440);
        QCOMPARE(report.margins.right, 1440);
        const int bottom = report.margins.bottom;
        QCOMPARE(report.margins.top, e.name == "po_rep" ? 5100 : 1440);
        QCOMPARE(bottom, 1440);
        QVERIFY(section(report, ReportHeader).controls.empty());
        for (const ReportSection& s : report.sections)
            for (const ReportControl& c : s.controls) {
                QVERIFY2(c.rect.left() >= 0 && c.rect.left() + c.rect.width() <= report.width,
                         qPrintable(e.name + ": " + c.name));
                QVERIFY2(c.rect.top() + c.rect.height() <= s.height,
                         qPrintable(e.name + ": " + c.name));
                if (c.font)
                    QCOMPARE(c.font->family, QString("Times New Roman"));
            }
    }
}

void ReportsTest::letterheadBlockStandsAtTheTopLeftOfFiveReports() {
    const QStringList captions = {"Clinic Name",     "Doctor Name",     "Qualification 1",
                                  "Qualification 2", "Qualification 3", "License No",
                                  "Telephone"};
    for (const Report& report :
         {patientSheetLayout(), incomeLayout("rep_year"), nationalityCountLayout()}) {
        const auto& header = section(report, PageHeader).controls;
        int below = 0;
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(header[i].caption, captions[i]);
            QCOMPARE(header[i].alignment, Qt::Alignment(Qt::AlignCenter));
            QCOMPARE(*header[i].font, timesNewRoman(i < 2 ? 12 : 9.75, i < 2));
            QVERIFY(header[i].rect.left() == 0 && header[i].rect.top() >= below);
            below = header[i].rect.top() + header[i].rect.height();
        }
        const ReportControl& title = header[7];
        QCOMPARE(*title.font, timesNewRoman(18, true));
        QVERIFY(title.rect.left() >= header[0].rect.width());
        QCOMPARE(header[8].kind, ControlKind::Line);
        QVERIFY(header[8].rect.top() >= below);
        QCOMPARE(header[8].rect.width(), report.width);
    }
    QVERIFY(!invoiceLayout().control("clinicname"));
}

void ReportsTest::incomeReportsListInvoicesWithTotalsUnderTheirColumns() {
    const Report report = incomeLayout("rep_mon");
    QStringList headings;
    for (const ReportControl& c : section(report, PageHeader).controls)
        if (c.name.startsWith("Label") && c.alignment == Qt::AlignCenter)
            headings << c.caption;
    QCOMPARE(headings, QStringList({"File Number", "Invoice No", "Date", "Amount", "Due"}));
    QStringList fields;
    for (const ReportControl& c : section(report, Detail).controls)
        if (c.alignment == Qt::AlignCenter)
            fields << c.dataField;
    QCOMPARE(fields, QStringList({"file_num", "po_num", "po_date", "po_pri", "po_netd"}));
    const auto& footer = section(report, ReportFooter).controls;
    QCOMPARE(footer[0].caption, QString("Total :"));
    QCOMPARE(footer[1].dataField, QString("po_pri"));
    QCOMPARE(footer[1].rect.left(), report.control("Label4")->rect.left());
    QCOMPARE(footer[2].dataField, QString("po_netd"));
    QCOMPARE(footer[2].rect.left(), report.control("Label5")->rect.left());
}

void ReportsTest::nationalityCountShowsTheFlagAsYesOrNo() {
    TestEnv env;
    env.createDatabase();
    QSqlDatabase db = clinicDatabase();
    const std::pair<QVariant, int> patients[] = {{"Saudi", 0},    {"Saudi", 0},    {"Saudi", 1},
                                                 {"Egyptian", 0}, {QVariant(), 0}, {QVariant(), 0}};
    int file = 1;
    for (const auto& [nationality, temporary] : patients)
        addPatient({{"file_num", QString::number(file++)},
                    {"pt_nationality", nationality},
                    {"temporary", temporary}},
                   db);
    Report report = nationalityCountLayout();
    PrepareReport(report, AppSettings());
    const auto rows = nationalityCountRows(AppSettings().databaseLocation());
    const Page page = layoutReport(report, *rows).pages.at(0);

    QStringList lines;
    const auto nationalities = textsOf(page, "Text1");
    const auto counts = textsOf(page, "Text2");
    const auto flags = textsOf(page, "Text3");
    QCOMPARE(int(counts.size()), 4);
    QCOMPARE(int(flags.size()), 4);
    for (size_t i = 0; i < counts.size(); ++i) {
        QString nationality;
        for (const PlacedText& t : nationalities)
            if (t.rect.top() == counts[i].rect.top())
                nationality = t.text;
        lines << nationality + "|" + counts[i].text + "|" + flags[i].text;
    }
    // Files without a nationality make one row that counts none of them.
    QCOMPARE(lines, QStringList({"|0|No", "Egyptian|1|No", "Saudi|2|No", "Saudi|1|Yes"}));
    QCOMPARE(textOf(page, "Label4"), QString("Total"));
    QCOMPARE(textOf(page, "Function1"), QString("4"));
    QCOMPARE(textOf(page, "Label3"), QString("Temproary Patients"));
    QCOMPARE(textOf(page, "personalinformation"),
             QString("Count of Patients (Temporary/ Non-Temporary)"));
}

void ReportsTest::patientSheetPutsEveryFieldBesideItsLabel() {
    const Report report = patientSheetLayout();
    const QStringList expected = {
        "File Number : |file_num",
        "Patient Name : |pt_name",
        "Age :|pt_age|ID Card No. : |pt_id_card",
        "Home Tel. :|pt_tel_h|pt_ex_h|Mobile :|mobileno",
        "Nationality : |pt_nationality|Work Tel. :|pt_tel_w|pt_ex_w",
        "Occupation : |pt_occupation",
        "Address : |pt_address",
        "Relative Name : |rel_name",
        "Age : |rel_age",
        "Home Tel. : |rel_tel_h|rel_ex_h|Work Tel. : |rel_tel_w|rel_ex_w",
        "Occupation : |rel_occupation",
        "Address : |rel_address",
    };
    QMap<int, QStringList> rows;
    QMap<int, int> lastLeft;
    for (const ReportControl& c : section(report, Detail).controls) {
        QVERIFY(c.rect.left() > lastLeft.value(c.rect.top(), -1));
        lastLeft[c.rect.top()] = c.rect.left();
        rows[c.rect.top()] << (c.kind == ControlKind::Label ? c.caption : c.dataField);
        QCOMPARE(*c.font, timesNewRoman(12));
    }
    QStringList actual;
    for (const QStringList& row : rows)
        actual << row.join('|');
    QCOMPARE(actual, expected);
    const auto& footer = section(report, PageFooter).controls;
    QCOMPARE(footer[0].caption, QString("Signature : "));
    QCOMPARE(*footer[0].font, timesNewRoman(14.25));
    QCOMPARE(footer[1].kind, ControlKind::Line);
    QVERIFY(footer[1].rect.left() >= footer[0].rect.left() + footer[0].rect.width());
    QVERIFY(section(report, ReportFooter).controls.empty());
}

void ReportsTest::invoiceLayoutHasValueLabelsAndTheRiyalAmount() {
    TestEnv env;
    const Report report = invoiceLayout();
    const QStringList header = {"cash|",           "credit1|",  "parti1|",   "dater|dater",
                                "file_p|file_num", "invo|invo", "name|name", "adrr|adrr"};
    QStringList labels;
    for (const ReportControl& c : section(report, PageHeader).controls)
        labels << c.name + "|" + c.caption;
    QCOMPARE(labels, header);
    RowSet rows({"xxx", "code2", "descr2", "amount2"}, {{1, "01", "Consultation", 1500}});
    const Page page = layoutReport(report, rows).pages.at(0);
    QCOMPARE(textOf(page, "Text1") + textOf(page, "Text2") + textOf(page, "Text3"),
             QString("101Consultation"));
    const PlacedText amount = textsOf(page, "Text4").at(0);
    QCOMPARE(amount.text, kRiyal + "1,500.00");
    QVERIFY(amount.rightToLeft);
    QCOMPARE(amount.alignment, Qt::Alignment(Qt::AlignRight));
    QCOMPARE(textsOf(page, "dater")[0].rect.top(), 5100);
    // The totals stand under the amounts, one below the other.
    int top = 0;
    for (const QString name : {"tot", "paym", "netd"}) {
        const PlacedText total = textsOf(page, name).at(0);
        QCOMPARE(total.rect.left(), amount.rect.left());
        QVERIFY(total.rect.top() > std::max(top, amount.rect.bottom()));
        top = total.rect.top();
    }
}

void ReportsTest::prepareReportWritesTheLetterheadOfTheSettings() {
    TestEnv env;
    AppSettings().letterhead = sampleLetterhead();
    Report report = incomeLayout("rep_day");
    ReportControl& box = report.sections[Detail].controls[0];
    PrepareReport(report, AppSettings());
    QCOMPARE(report.margins.left, 300);
    QCOMPARE(report.margins.right, 300);
    QCOMPARE(report.margins.top, 1440);
    for (const ReportSection& s : report.sections)
        for (const ReportControl& c : s.controls)
            QCOMPARE(c.canGrow, c.kind == ControlKind::Label);
    QVERIFY(!box.canGrow);

    RowSet rows({"file_num", "po_num", "po_date", "po_pri", "po_netd"}, {});
    const Page page = layoutReport(report, rows).pages.at(0);
    const Letterhead l = sampleLetterhead();
    const std::pair<QString, QString> expected[] = {{"clinicname", l.clinicname},
                                                    {"drname", l.drname},
                                                    {"qualifications1", l.qualifications1},
                                                    {"qualifications2", l.qualifications2},
                                                    {"qualifications3", l.qualifications3},
                                                    {"licenseno", l.licenseno},
                                                    {"telephone", l.telephone}};
    for (const auto& [name, value] : expected)
        QCOMPARE(textOf(page, name), value);
    QCOMPARE(textsOf(page, "clinicname")[0].rect.left(), 300);
    QCOMPARE(textOf(page, "patientpayments"), QString("Daily Report"));
}

void ReportsTest::letterheadFollowsChangedSettingsWhateverTheLabelsCase() {
    TestEnv env;
    AppSettings().letterhead = sampleLetterhead();
    Report& report = reportByName("rep_mon");
    PrepareReport(report, AppSettings());
    report.control("drname")->name = "DrName";
    AppSettings().letterhead.clinicname = "New Clinic";
    AppSettings().letterhead.drname = "DR./ NEW";
    AppSettings().letterhead.telephone = "999";
    PrepareReport(report, AppSettings());
    QCOMPARE(report.control("clinicname")->caption, QString("New Clinic"));
    QCOMPARE(report.control("DrName")->caption, QString("DR./ NEW"));
    QCOMPARE(report.control("telephone")->caption, QString("999"));
    QCOMPARE(report.control("qualifications2")->caption, QString("Qual Two"));
    QCOMPARE(report.control("patientpayments")->caption, QString("Monthly Report"));
    report.control("DrName")->name = "drname";
}

void ReportsTest::emptySettingLeavesALineEmptyAndALongOneGrows() {
    TestEnv env;
    AppSettings().letterhead = sampleLetterhead();
    AppSettings().letterhead.drname.clear();
    AppSettings().letterhead.clinicname = "The Clinic of " + words(20);
    Report report = patientSheetLayout();
    PrepareReport(report, AppSettings());
    RowSet rows({"file_num"}, {});
    report.sections[Detail].controls.clear();
    const LaidOutReport out = layoutReport(report, rows);
    const Page& page = out.pages.at(0);

    QVERIFY(textsOf(page, "drname").empty());
    const auto clinic = textsOf(page, "clinicname");
    QVERIFY(clinic.size() >= 2);
    QCOMPARE(textOf(page, "clinicname"), AppSettings().letterhead.clinicname);
    for (const PlacedText& line : clinic)
        QVERIFY(QFontMetricsF(out.fonts[line.font]).horizontalAdvance(line.text) <= 4800);
    const auto next = textsOf(page, "qualifications1");
    QVERIFY(next[0].rect.top() >= clinic.back().rect.bottom());
    for (const PlacedLine& rule : page.content.lines)
        if (rule.control == "Line1")
            QVERIFY(rule.line.y1() > textsOf(page, "telephone")[0].rect.bottom());
}

void ReportsTest::reportsPresentNeedsAllFiveFiles() {
    TestEnv env;
    const QString dir = env.makeDir("reports");
    const QStringList files = {"PER_INF_REP.RPT", "rep_day.rpt", "rep_mon.rpt", "rep_year.rpt",
                               "po_rep.rpt"};
    for (int i = 0; i < 4; ++i)
        writeFile(dir + "/" + files[i], "x");
    QVERIFY(!ReportsPresent(dir));
    writeFile(dir + "/" + files[4], "x");
    QVERIFY(ReportsPresent(dir));
    QVERIFY(!ReportsPresent(env.makeDir("empty")));
    QVERIFY(!ReportsPresent(dir + "/missing"));

    // The patient sheet's name in capitals, matched as the file system matches it.
    const QString lower = env.makeDir("lower");
    writeFile(lower + "/per_inf_rep.rpt", "x");
    for (int i = 1; i < 5; ++i)
        writeFile(lower + "/" + files[i], "x");
    QCOMPARE(ReportsPresent(lower), QFileInfo::exists(lower + "/PER_INF_REP.RPT"));
}

void ReportsTest::dailyReportOfADayWithoutInvoicesHasTotalsOfZero() {
    TestEnv env;
    env.createDatabase();
    addInvoice("100", "05/12/2026", 1500, 500);
    Report report = incomeLayout("rep_day");
    PrepareReport(report, AppSettings());
    const auto rows = Statements(clinicDatabase())
                          .stream("select * from pt_sh where po_date = ?", {"06/12/2026"});
    const LaidOutReport out = layoutReport(report, *rows);
    QCOMPARE(int(out.pages.size()), 1);
    const Page& page = out.pages[0];
    for (int i = 1; i <= 5; ++i)
        QVERIFY(textsOf(page, "Text" + QString::number(i)).empty());
    QCOMPARE(textOf(page, "Label6"), QString("Total :"));
    QCOMPARE(textOf(page, "Function1"), QString("0"));
    QCOMPARE(textOf(page, "Function2"), QString("0"));
    QCOMPARE(textOf(page, "Label4"), QString("Amount"));
}

void ReportsTest::longReportRepeatsItsPageHeaderOnEveryPage() {
    TestEnv env;
    env.createDatabase();
    AppSettings().letterhead = sampleLetterhead();
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] {
        for (int i = 1; i <= 300; ++i)
            addInvoice(QString::number(i), QString("%1/11/2026").arg(i % 28 + 1, 2, 10, QChar('0')),
                       100 + i, i % 2 ? 0 : 50, db);
    });
    Report report = incomeLayout("rep_mon");
    PrepareReport(report, AppSettings());
    const auto rows = Statements(db).stream("select * from pt_sh where fmon = ?", {"11/2026"});
    const LaidOutReport out = layoutReport(report, *rows);
    QVERIFY(out.pages.size() >= 5);

    QStringList invoices;
    for (const Page& page : out.pages) {
        verifyInsideMargins(page, report);
        QCOMPARE(textOf(page, "clinicname"), sampleLetterhead().clinicname);
        QCOMPARE(textOf(page, "patientpayments"), QString("Monthly Report"));
        QCOMPARE(textOf(page, "Label1"), QString("File Number"));
        const int headingBottom = textsOf(page, "Label1")[0].rect.bottom();
        for (const PlacedText& t : textsOf(page, "Text2")) {
            QVERIFY(t.rect.top() > headingBottom);
            invoices << t.text;
        }
    }
    QCOMPARE(invoices.size(), 300);
    QCOMPARE(invoices.first(), QString("1"));
    QCOMPARE(invoices.last(), QString("300"));
    QCOMPARE(textOf(out.pages.back(), "Function1"), QString::number(300 * 100 + 300 * 301 / 2));
    QCOMPARE(textOf(out.pages.back(), "Function2"), QString::number(150 * 50));
}

void ReportsTest::annualReportOverManyInvoicesPaginatesAndSumsAsTheDatabase() {
    TestEnv env;
    env.createDatabase();
    QSqlDatabase db = clinicDatabase();
    const int invoices = 100000;
    inTransaction(db, [&] {
        QSqlQuery insert(db);
        insert.prepare("INSERT INTO pt_sh (file_num, po_date, po_pri, po_netd, fmon, fyear) "
                       "VALUES (?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < invoices + 500; ++i) {
            const QString year = i < invoices ? "2026" : "2025";
            const QString month = QString("%1/%2").arg(i % 12 + 1, 2, 10, QChar('0')).arg(year);
            const QString day = QString("%1/").arg(i % 28 + 1, 2, 10, QChar('0')) + month;
            insert.addBindValue(QString::number(i % 999999));
            insert.addBindValue(day);
            insert.addBindValue(1000 + (i * 37) % 90000);
            insert.addBindValue((i * 13) % 700);
            insert.addBindValue(month);
            insert.addBindValue(year);
            QVERIFY(insert.exec());
        }
    });
    Report& report = reportByName("rep_year");
    PrepareReport(report, AppSettings());
    const auto rows = Statements(db).stream("select * from pt_sh where fyear = ?", {"2026"});
    ReportLayout layout(report, *rows);

    int details = 0;
    int fullPageRows = -1;
    int previousPage = 0;
    QString amountTotal;
    QString dueTotal;
    const int pages = layout.run([&](Page&& page) {
        QCOMPARE(page.number, previousPage + 1);
        previousPage = page.number;
        QCOMPARE(textOf(page, "patientpayments"), QString("Annual Report"));
        QCOMPARE(int(textsOf(page, "Label5").size()), 1);
        const int onPage = int(textsOf(page, "Text2").size());
        QCOMPARE(int(textsOf(page, "Text4").size()), onPage);
        if (fullPageRows < 0)
            fullPageRows = onPage;
        if (details + onPage < invoices)
            QCOMPARE(onPage, fullPageRows);
        details += onPage;
        for (const PlacedText& t : page.content.texts)
            QVERIFY(t.rect.bottom() < kPageHeight - report.margins.bottom);
        amountTotal = textOf(page, "Function1");
        dueTotal = textOf(page, "Function2");
    });
    QCOMPARE(details, invoices);
    QCOMPARE(pages, previousPage);
    QVERIFY(pages >= invoices / fullPageRows);
    const Row sums =
        Statements(db)
            .rows("select sum(po_pri), sum(po_netd) from pt_sh where fyear = ?", {"2026"})
            .value(0);
    QCOMPARE(amountTotal, sums.value(0).toString());
    QCOMPARE(dueTotal, sums.value(1).toString());
}

void ReportsTest::pdfReadsBackWithTheLetterheadAndTheFigures() {
    TestEnv env;
    env.createDatabase();
    AppSettings().letterhead = sampleLetterhead();
    addInvoice("A17", "06/12/2026", 1500, 500);
    addInvoice("B4", "06/12/2026", 2250, 0);
    Report report = incomeLayout("rep_day");
    PrepareReport(report, AppSettings());
    const auto rows = Statements(clinicDatabase())
                          .stream("select * from pt_sh where po_date = ?", {"06/12/2026"});
    const QString path = env.root() + "/daily.pdf";
    LazyReport pages(report, *rows);
    savePdf(pages, path);

    QCOMPARE(pdfPageCount(path), 1);
    const QString text = pdfText(path);
    for (const QString expected : {"Daily Report", "DR./ TEST DOCTOR", "Qual Three", "LIC-42",
                                   "555-0100", "File Number", "Invoice No", "Amount", "Due", "A17",
                                   "B4", "06/12/2026", "1500", "2250", "Total :", "3750"})
        QVERIFY2(text.contains(expected), qPrintable(expected + " not in:\n" + text));
    // Arabic comes back in reading order once its shaped letter forms are folded.
    QString folded = text.normalized(QString::NormalizationForm_KC);
    folded.remove(QRegularExpression("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]"));
    QVERIFY2(folded.contains(sampleLetterhead().clinicname), qPrintable(folded));
}

void ReportsTest::previewIsModalTitledAndExportsPdf() {
    TestEnv env;
    Report report = numberedReport();
    report.caption = "Count of Patients (Temporary/Non-Temporary)";
    RowSet rows = numbers(100);
    const QString exported = env.root() + "/exported.pdf";
    const QString unwritable = env.root() + "/no/such/dir/x.pdf";
    env.dialogs.expectSaveFile("PDF Files (*.pdf)|*.pdf", exported);
    env.dialogs.expectSaveFile("PDF Files (*.pdf)|*.pdf", std::nullopt);
    env.dialogs.expectSaveFile("PDF Files (*.pdf)|*.pdf", unwritable);
    env.dialogs.expectMessage("75 -> The file " + unwritable +
                              " could not be written (No such file or directory).");
    int previewPages = 0;
    QString title;
    const PreviewWatch watch([&](ReportPreview* preview) {
        title = preview->windowTitle();
        // Pages are laid out in time slices; on a busy machine the first slice holds fewer.
        QVERIFY(preview->finishLayout());
        previewPages = preview->view()->pageCount();
        auto* exportAction = preview->findChild<QAction*>("actExportPdf");
        QVERIFY(exportAction);
        for (int i = 0; i < 3; ++i)
            exportAction->trigger();
        QVERIFY(preview->isVisible());
        preview->grab().save(env.root() + "/preview.png");
    });
    previewReport(report, rows);
    QCOMPARE(title, report.caption);
    QCOMPARE(previewPages, 3);
    QCOMPARE(pdfPageCount(exported), 3);
    QVERIFY(pdfText(exported).contains("Footer"));
    QVERIFY(QFileInfo(env.root() + "/preview.png").size() > 0);
}

QTEST_MAIN(ReportsTest)
#include "test_reports.moc"

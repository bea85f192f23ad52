#include "reports/periodicreportsdialog.h"

#include "core/failures.h"
#include "core/maskclicks.h"
#include "db/clinic/reportrows.h"
#include "reportengine/reportoutput.h"
#include "reports/moneyreports.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "settings/appsettings.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <iterator>

namespace {

struct Kind {
    const char* caption;
    const char* boxName;
    const char* boxAccessibleName;
    const char* mask;
    // What the box shows while disabled: its separators without input positions.
    const char* shape;
    ReportPeriod period;
    const char* report;
};

const Kind kKinds[3] = {
    {QT_TRANSLATE_NOOP("PeriodicReportsDialog", "DAY"), "text1",
     QT_TRANSLATE_NOOP("PeriodicReportsDialog", "Day"), "00/00/0000;_", "  /  /    ",
     ReportPeriod::Day, "rep_day"},
    {QT_TRANSLATE_NOOP("PeriodicReportsDialog", "MONTH"), "text2",
     QT_TRANSLATE_NOOP("PeriodicReportsDialog", "Month"), "00/0000; ", "  /    ",
     ReportPeriod::Month, "rep_mon"},
    {QT_TRANSLATE_NOOP("PeriodicReportsDialog", "YEAR"), "text3",
     QT_TRANSLATE_NOOP("PeriodicReportsDialog", "Year"), "0000; ", "    ", ReportPeriod::Year,
     "rep_year"},
};

// A box that is already enabled keeps the period typed into it.
void setEnabledBox(QLineEdit* box, const QString& mask) {
    if (box->isEnabled())
        return;
    box->clear();
    box->setInputMask(mask);
    box->setEnabled(true);
}

void setDisabledBox(QLineEdit* box, const QString& shape) {
    box->setInputMask(QString());
    box->setText(shape);
    box->setEnabled(false);
}

} // namespace

PeriodicReportsDialog::PeriodicReportsDialog(const AppSettingsRecord& settings, QWidget* parent)
    : QWidget(parent, Qt::Dialog), settings_(settings) {
    setObjectName("Form6");
    setWindowTitle(tr("Reports"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    arrangeControls();
}

QLineEdit* PeriodicReportsDialog::makeBox(const QString& name, const QString& accessibleName,
                                          const QString& mask) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    box->setInputMask(mask);
    box->setLayoutDirection(Qt::LeftToRight);
    keepClicksInMask(box);
    return box;
}

QPushButton* PeriodicReportsDialog::makeButton(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    return button;
}

void PeriodicReportsDialog::buildControls() {
    kinds_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(tr(kKinds[i].caption), this);
        option->setObjectName("RepType_" + QString::number(i + 1));
        option->setAccessibleName(option->text());
        kinds_->addButton(option, i + 1);
        boxes_[i] = makeBox(kKinds[i].boxName, tr(kKinds[i].boxAccessibleName), kKinds[i].mask);
    }
    connect(kinds_, &QButtonGroup::idClicked, this, &PeriodicReportsDialog::chooseKind);

    destinations_ = new QButtonGroup(this);
    const QString destinations[] = {tr("TO SCREEN"), tr("TO PRINTER")};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(destinations[i], this);
        option->setObjectName("Option5_" + QString::number(i));
        option->setAccessibleName(destinations[i]);
        destinations_->addButton(option, i);
    }
    destinations_->button(0)->setChecked(true);
    connect(destinations_, &QButtonGroup::idClicked, this, [this](int id) { destination_ = id; });

    ok_ = makeButton("SSCommand1", tr("OK"));
    cashBook_ = makeButton("cmdCashBook", tr("CASH BOOK"));
    cashBook_->setToolTip(tr("Every payment taken in the period, with totals per kind"));
    cancel_ = makeButton("SSCommand2", tr("CANCEL"));
    quit_ = makeButton("SSCommand3", tr("QUIT"));
    quit_->hide();
    connect(ok_, &QPushButton::clicked, this, &PeriodicReportsDialog::produceReport);
    connect(cashBook_, &QPushButton::clicked, this, &PeriodicReportsDialog::produceCashBook);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    connect(quit_, &QPushButton::clicked, this, &QWidget::close);
}

QLayout* PeriodicReportsDialog::periodRows() {
    auto* rows = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        rows->addWidget(kinds_->button(i + 1), i, 0);
        rows->addWidget(boxes_[i], i, 1);
    }
    return rows;
}

QWidget* PeriodicReportsDialog::destinationFrame() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");
    frame->setAccessibleName(tr("Destination"));
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(destinations_->button(0));
    layout->addWidget(destinations_->button(1));
    return frame;
}

QLayout* PeriodicReportsDialog::buttonColumn() {
    auto* column = new QGridLayout;
    column->addWidget(ok_, 0, 0);
    // QUIT takes CANCEL's place once a report has been produced.
    column->addWidget(cancel_, 1, 0);
    column->addWidget(quit_, 1, 0);
    column->addWidget(cashBook_, 2, 0);
    column->setRowStretch(3, 1);
    return column;
}

void PeriodicReportsDialog::arrangeControls() {
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(destinationFrame(), 1);
    bottom->addLayout(buttonColumn());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(periodRows());
    layout->addLayout(bottom);

    QWidget* order[] = {kinds_->button(1),
                        kinds_->button(2),
                        kinds_->button(3),
                        boxes_[0],
                        boxes_[1],
                        boxes_[2],
                        destinations_->button(0),
                        destinations_->button(1),
                        ok_,
                        cancel_,
                        quit_,
                        cashBook_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void PeriodicReportsDialog::chooseKind(int kind) {
    kind_ = kind;
    for (int i = 0; i < 3; ++i) {
        if (i + 1 == kind)
            setEnabledBox(boxes_[i], kKinds[i].mask);
        else
            setDisabledBox(boxes_[i], kKinds[i].shape);
    }
}

void PeriodicReportsDialog::runReport() {
    const Kind& kind = kKinds[kind_ - 1];
    // The box's text as shown, prompt characters included, so that a partly typed period
    // matches nothing.
    const QString period = boxes_[kind_ - 1]->displayText().trimmed();
    for (const char* name : {"rep_day", "rep_mon", "rep_year"})
        reportByName(name).useSideMargins();
    const auto readRows = [path = settings_.databaseLocation(), &kind, period] {
        return periodInvoiceRows(path, kind.period, period);
    };
    const auto rows = readRows();
    Report& report = preparedReport(kind.report, settings_);
    if (destination_ == 1)
        printReport(report, *rows, this);
    else
        previewReport(report, *rows, this, readRows);
}

void PeriodicReportsDialog::produceReport() {
    if (!reported([this] { runReport(); }, FailureWording::NumberArrowDescription))
        return;
    cancel_->hide();
    quit_->show();
}

// The cash book of the same period, to the same destination.
void PeriodicReportsDialog::produceCashBook() {
    if (!reported(
            [this] {
                const QString period = boxes_[kind_ - 1]->displayText().trimmed();
                ::produceCashBook(settings_, kKinds[kind_ - 1].period, period, destination_ == 1,
                                  this);
            },
            FailureWording::NumberArrowDescription))
        return;
    cancel_->hide();
    quit_->show();
}

void PeriodicReportsDialog::closeEvent(QCloseEvent* event) {
    emit closed();
    event->accept();
}

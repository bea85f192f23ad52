#include "patients/patientsearchscreen.h"

#include "binding/datagrid.h"
#include "binding/datasource.h"
#include "binding/refreshform.h"
#include "core/failures.h"
#include "screens/widgets.h"

#include "db/clinic/patientfiles.h"
#include "settings/appsettings.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The option button's caption for a field.
QString searchFieldCaption(SearchField field) {
    static const char* const captions[kSearchFieldCount] = {
        QT_TRANSLATE_NOOP("PatientSearchScreen", "Family Name"),
        QT_TRANSLATE_NOOP("PatientSearchScreen", "Given Name"),
        QT_TRANSLATE_NOOP("PatientSearchScreen", "Tel. No"),
        QT_TRANSLATE_NOOP("PatientSearchScreen", "Mob. No.")};
    return QCoreApplication::translate("PatientSearchScreen", captions[static_cast<int>(field)]);
}

} // namespace

PatientSearchScreen::PatientSearchScreen(const AppSettingsRecord& settings, QWidget* parent)
    : WorkingScreen(parent), settings_(settings),
      patients_(new DataSource(this, "Data1", PatientFiles::kTable)),
      fields_(new QButtonGroup(this)) {
    setObjectName("Form3");
    setWindowTitle(tr("Reasersh"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);

    QGroupBox* panel = searchPanel();
    QPushButton* searchButton = makeButton(this, "SSCommand1", tr("Search"));
    QPushButton* quitButton = makeButton(this, "SSCommand2", tr("Quit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(searchButton);
    buttons->addWidget(quitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    layout->addWidget(resultsGrid());
    resize(480, 520);

    connect(searchButton, &QPushButton::clicked, this, &PatientSearchScreen::search);
    connect(text_, &QLineEdit::returnPressed, this, &PatientSearchScreen::search);
    connect(quitButton, &QPushButton::clicked, this, &QWidget::close);
}

// The option buttons stand, and take the Tab key, from the mobile number to the family name.
QGroupBox* PatientSearchScreen::searchPanel() {
    auto* panel = new QGroupBox(tr("Search by Name/Family"), this);
    panel->setObjectName("Frame1");
    auto* options = new QHBoxLayout;
    for (int index = kSearchFieldCount - 1; index >= 0; --index) {
        const QString caption = searchFieldCaption(SearchField(index));
        auto* option = new QRadioButton(caption, panel);
        option->setObjectName("optSearch");
        option->setProperty("index", index);
        option->setAccessibleName(caption);
        fields_->addButton(option, index);
        options->addWidget(option);
    }
    fields_->button(int(SearchField::FamilyName))->setChecked(true);
    connect(fields_, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            chooseField(SearchField(index));
    });

    text_ = makeTextBox(panel, "txtSearch", tr("Search text"), 12);
    fieldLabel_ = makeLabel(panel, tr("Search Family Name:"), text_);
    fieldLabel_->setObjectName("Label7");
    auto* textRow = new QHBoxLayout;
    textRow->addWidget(fieldLabel_);
    textRow->addWidget(text_);

    auto* layout = new QVBoxLayout(panel);
    layout->addLayout(options);
    layout->addLayout(textRow);
    return panel;
}

QTableView* PatientSearchScreen::resultsGrid() {
    QTableView* grid = makeDataGrid(
        this, "DBGrid1", tr("Patient files found"), patients_,
        {{PatientFiles::kFileNumber, tr("File No.")}, {PatientFiles::kName, tr("Name")}});
    grid->verticalHeader()->hide();
    return grid;
}

void PatientSearchScreen::activate() {
    RefreshForm(this, settings_.databaseLocation());
}

void PatientSearchScreen::chooseField(SearchField field) {
    fieldLabel_->setText(tr("Search %1: ").arg(searchFieldCaption(field)));
}

// A failing search is told, not passed off as a search that found nothing.
void PatientSearchScreen::search() {
    const SearchQuery query = patientSearchQuery(SearchField(fields_->checkedId()), text_->text(),
                                                 settings_.databaseLocation());
    reported(
        [&] {
            patients_->setRecordSource(query.sql);
            patients_->setRecordSourceValues(query.values);
            patients_->refresh();
        },
        FailureWording::NumberArrowDescription);
}

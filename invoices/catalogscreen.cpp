#include "invoices/catalogscreen.h"

#include "binding/datagrid.h"
#include "binding/datasource.h"
#include "binding/keyfilter.h"
#include "binding/refreshform.h"
#include "core/dialogs.h"
#include "core/failures.h"
#include "db/clinic/catalogitems.h"
#include "invoices/screenparts.h"
#include "invoices/widgetevents.h"
#include "screens/widgets.h"

#include "settings/appsettings.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr auto kCodePrompt = QT_TRANSLATE_NOOP("CatalogScreen", "Code Number :");
}

CatalogScreen::CatalogScreen(const AppSettingsRecord& settings, QWidget* parent)
    : WorkingScreen(parent), settings_(settings),
      catalog_(new DataSource(this, "Data1", CatalogItems::kTable)) {
    setWindowTitle(tr("Description Entry"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeBoxes());
    layout->addWidget(makeButtons());
    grid_ = makeDataGrid(this, "DBGrid1", tr("Procedures"), catalog_,
                         {{CatalogItems::kId, tr("ID")},
                          {CatalogItems::kCode, tr("Code")},
                          {CatalogItems::kDescription, tr("Description")},
                          {CatalogItems::kAmount, tr("Amount")}});
    followCurrentRecord(grid_, catalog_);
    layout->addWidget(grid_, 1);
    catalog_->bind(codeBox_, CatalogItems::kCode);
    catalog_->bind(descriptionBox_, CatalogItems::kDescription);
    catalog_->bind(amountBox_, CatalogItems::kAmount);
    setEditing(false);
    resize(560, 460);
}

QWidget* CatalogScreen::makeBoxes() {
    QFrame* panel = screenparts::panel(this, "SSPanel1");
    auto* form = new QFormLayout(panel);
    codeBox_ = makeTextBox(panel, "Text1");
    descriptionBox_ = makeTextBox(panel, "Text2", QString(), 45);
    amountBox_ = makeTextBox(panel, "Text4", QString(), 4);
    screenparts::addLabelled(form, tr("Code :"), codeBox_);
    screenparts::addLabelled(form, tr("Description :"), descriptionBox_);
    screenparts::addLabelled(form, tr("Amount SR :"), amountBox_);
    installDigitFilter(amountBox_);
    onKeyPress(codeBox_, [this](QKeyEvent* key) {
        if (!isEnterKey(key))
            return false;
        searchTypedCode();
        return true;
    });
    return panel;
}

QWidget* CatalogScreen::makeButtons() {
    QFrame* panel = screenparts::panel(this, "SSPanel2");
    auto* row = new QHBoxLayout(panel);
    saveButton_ = makeButton(panel, "SSCommand1", tr("&Save"));
    newButton_ = makeButton(panel, "SSCommand2", tr("&New"));
    openButton_ = makeButton(panel, "SSCommand3", tr("&Open"));
    cancelButton_ = makeButton(panel, "SSCommand4", tr("&Cancel"));
    deleteButton_ = makeButton(panel, "SSCommand5", tr("&Delete"));
    quitButton_ = makeButton(panel, "SSCommand6", tr("&Quit"));
    for (QPushButton* button :
         {saveButton_, newButton_, openButton_, cancelButton_, deleteButton_, quitButton_})
        row->addWidget(button);
    connect(saveButton_, &QPushButton::clicked, this, &CatalogScreen::save);
    connect(newButton_, &QPushButton::clicked, this, &CatalogScreen::startNewRecord);
    connect(openButton_, &QPushButton::clicked, this, &CatalogScreen::openRecord);
    connect(cancelButton_, &QPushButton::clicked, this, &CatalogScreen::cancelEdit);
    connect(deleteButton_, &QPushButton::clicked, this, &CatalogScreen::deleteRecord);
    connect(quitButton_, &QPushButton::clicked, this, &QWidget::close);
    return panel;
}

void CatalogScreen::activate() {
    RefreshForm(this, settings_.databaseLocation());
}

void CatalogScreen::setEditing(bool editing) {
    openButton_->setVisible(!editing);
    cancelButton_->setVisible(editing);
    deleteButton_->setEnabled(!editing);
    newButton_->setEnabled(!editing);
    quitButton_->setEnabled(!editing);
    // Choosing another row would drop the edit unnoticed.
    grid_->setEnabled(!editing);
}

void CatalogScreen::startNewRecord() {
    const QString code = dialogs().inputBox(tr(kCodePrompt), QString());
    if (code.isEmpty())
        return;
    reported([&] {
        if (catalog_->findFirst(CatalogItems::kCode, code)) {
            showNotice(code + tr("is found"));
            return;
        }
        catalog_->addNew();
        setEditing(true);
        codeBox_->setText(code);
    });
}

void CatalogScreen::openRecord() {
    const QString code = dialogs().inputBox(tr(kCodePrompt), QString());
    if (code.isEmpty())
        return;
    reported([&] {
        if (!catalog_->findFirst(CatalogItems::kCode, code))
            showNotice(tr("not found"));
    });
}

// An unknown code starts a new record under it, so that "Save" keeps it as a procedure of its
// own and the record shown before keeps its code. A new record already begun keeps what was
// typed into it.
void CatalogScreen::searchTypedCode() {
    const QString code = codeBox_->text();
    reported([&] {
        if (catalog_->findFirst(CatalogItems::kCode, code))
            return;
        showNotice(tr("not found"));
        if (!catalog_->isAddingNew()) {
            catalog_->addNew();
            codeBox_->setText(code);
        }
        setEditing(true);
    });
}

void CatalogScreen::save() {
    reported([&] { catalog_->store(); });
    setEditing(false);
}

void CatalogScreen::cancelEdit() {
    reported([&] { catalog_->cancel(); });
    setEditing(false);
}

void CatalogScreen::deleteRecord() {
    reported([&] {
        catalog_->deleteCurrent();
        catalog_->refresh();
    });
}

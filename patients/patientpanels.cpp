#include "patients/patientpanels.h"

#include "binding/datasource.h"
#include "binding/keyfilter.h"
#include "binding/maskededit.h"
#include "db/clinic/patientfiles.h"
#include "screens/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace {

enum class Keys { Any, Digits };

struct PanelBox {
    const char* name;
    QString field;
    int maxLength;
    Keys keys;
    const char* spokenName;
};

// A row of the grid: a label and one box, or several boxes side by side.
class PanelGrid {
  public:
    PanelGrid(QWidget* panel, DataSource* source)
        : panel_(panel), source_(source), layout_(new QGridLayout(panel)) {
        layout_->setColumnStretch(1, 1);
        layout_->setColumnStretch(3, 1);
    }

    QLineEdit* textBox(const PanelBox& definition) {
        QLineEdit* box =
            makeTextBox(panel_, definition.name,
                        QCoreApplication::translate("PatientPanels", definition.spokenName),
                        definition.maxLength);
        if (definition.keys == Keys::Digits)
            installDigitFilter(box);
        // Boxes are drawn about as wide as what they hold.
        const int digit = box->fontMetrics().horizontalAdvance('0');
        if (definition.maxLength > 0 && definition.maxLength <= 7)
            box->setFixedWidth(digit * (definition.maxLength + 3));
        else if (definition.maxLength > 7)
            box->setMinimumWidth(digit * std::min(definition.maxLength, 18));
        return bound(box, definition.field);
    }

    template <typename Box> Box* bound(Box* box, const QString& field) {
        source_->bind(box, field);
        order_ << box;
        return box;
    }

    // Puts a labelled row at the grid position; the boxes share the row's width.
    void addRow(int row, int column, const QString& labelText, const QList<QWidget*>& boxes,
                int columnSpan = 1) {
        auto* line = new QHBoxLayout;
        for (QWidget* box : boxes)
            line->addWidget(box);
        if (std::all_of(boxes.begin(), boxes.end(),
                        [](QWidget* box) { return box->maximumWidth() < QWIDGETSIZE_MAX; }))
            line->addStretch();
        layout_->addWidget(makeLabel(panel_, labelText, boxes.front()), row, column);
        layout_->addLayout(line, row, column + 1, 1, columnSpan);
    }

    QWidget* panel() const { return panel_; }
    QGridLayout* layout() const { return layout_; }
    const QList<QWidget*>& order() const { return order_; }

  private:
    QWidget* panel_;
    DataSource* source_;
    QGridLayout* layout_;
    QList<QWidget*> order_;
};

// Each item shows in the interface's language and stores the text it stands for.
QComboBox* comboBox(QWidget* panel, const QString& name, const QString& spokenName,
                    const QList<const char*>& items) {
    auto* box = new QComboBox(panel);
    box->setObjectName(name);
    box->setAccessibleName(spokenName);
    box->setEditable(true);
    // A typed text is kept as typed, never added to the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : items)
        box->addItem(QCoreApplication::translate("PatientPanels", item), QString(item));
    return box;
}

MaskedEdit* dateBox(QWidget* panel) {
    auto* box = new MaskedEdit(panel);
    box->setObjectName("Mask1");
    box->setAccessibleName(QCoreApplication::translate("PatientPanels", "Date"));
    box->setPromptChar(' ');
    box->setMask("##/##/####");
    box->setDisplayFormat("dd/MM/yyyy");
    box->setFixedWidth(box->fontMetrics().horizontalAdvance("00/00/00000"));
    return box;
}

QCheckBox* checkBox(QWidget* panel) {
    auto* box = new QCheckBox(QCoreApplication::translate("PatientPanels", "Temporary"), panel);
    box->setObjectName("Check1");
    box->setAccessibleName(box->text());
    return box;
}

// The patient's boxes in Tab order; the date comes before the address, the temporary flag and
// the mobile number come last.
void buildPatientPanel(PanelGrid& grid, PatientBoxes& boxes) {
    QWidget* panel = grid.panel();
    boxes.fileNumber = grid.textBox({"Text1", PatientFiles::kFileNumber, 0, Keys::Any,
                                     QT_TRANSLATE_NOOP("PatientPanels", "File Number")});
    boxes.fileNumber->setFixedWidth(boxes.fileNumber->fontMetrics().horizontalAdvance('0') * 12);
    boxes.givenName = grid.textBox({"Text2", PatientFiles::kGivenName, 12, Keys::Any,
                                    QT_TRANSLATE_NOOP("PatientPanels", "Pt. Name given")});
    boxes.secondName = grid.textBox({"Text3", PatientFiles::kSecondName, 12, Keys::Any,
                                     QT_TRANSLATE_NOOP("PatientPanels", "Pt. Name second")});
    boxes.thirdName = grid.textBox({"Text4", PatientFiles::kThirdName, 12, Keys::Any,
                                    QT_TRANSLATE_NOOP("PatientPanels", "Pt. Name third")});
    boxes.familyName = grid.textBox({"Text5", PatientFiles::kFamilyName, 12, Keys::Any,
                                     QT_TRANSLATE_NOOP("PatientPanels", "Pt. Name family")});
    QLineEdit* age = grid.textBox(
        {"Text6", PatientFiles::kAge, 2, Keys::Digits, QT_TRANSLATE_NOOP("PatientPanels", "Age")});
    QComboBox* nationality = grid.bound(
        comboBox(panel, "Combo1", QCoreApplication::translate("PatientPanels", "Nationality"),
                 {"", QT_TRANSLATE_NOOP("PatientPanels", "SAUDI"),
                  QT_TRANSLATE_NOOP("PatientPanels", "NON SAUDI")}),
        PatientFiles::kNationality);
    QComboBox* social =
        grid.bound(comboBox(panel, "Combo2", QCoreApplication::translate("PatientPanels", "Social"),
                            {"   \t\t\t", QT_TRANSLATE_NOOP("PatientPanels", "SINGL"),
                             QT_TRANSLATE_NOOP("PatientPanels", "MARIED"),
                             QT_TRANSLATE_NOOP("PatientPanels", "DIVORCE"),
                             QT_TRANSLATE_NOOP("PatientPanels", "WIDOW"),
                             QT_TRANSLATE_NOOP("PatientPanels", "ENGAGED")}),
                   PatientFiles::kSocial);
    QLineEdit* idCard = grid.textBox({"Text9", PatientFiles::kIdCard, 15, Keys::Any,
                                      QT_TRANSLATE_NOOP("PatientPanels", "I.D Card No")});
    QLineEdit* occupation = grid.textBox({"Text10", PatientFiles::kOccupation, 15, Keys::Any,
                                          QT_TRANSLATE_NOOP("PatientPanels", "Occupation")});
    QLineEdit* homeTel = grid.textBox({"Text11", PatientFiles::kHomeTel, 7, Keys::Digits,
                                       QT_TRANSLATE_NOOP("PatientPanels", "Home Tel")});
    QLineEdit* homeExt = grid.textBox({"Text12", PatientFiles::kHomeExtension, 4, Keys::Digits,
                                       QT_TRANSLATE_NOOP("PatientPanels", "Home Tel extension")});
    QLineEdit* workTel = grid.textBox({"Text13", PatientFiles::kWorkTel, 7, Keys::Digits,
                                       QT_TRANSLATE_NOOP("PatientPanels", "Work Tel")});
    QLineEdit* workExt = grid.textBox({"Text14", PatientFiles::kWorkExtension, 4, Keys::Digits,
                                       QT_TRANSLATE_NOOP("PatientPanels", "Work Tel extension")});
    boxes.date = grid.bound(dateBox(panel), PatientFiles::kDate);
    QLineEdit* address = grid.textBox({"Text15", PatientFiles::kAddress, 25, Keys::Any,
                                       QT_TRANSLATE_NOOP("PatientPanels", "Address")});
    QCheckBox* temporary = grid.bound(checkBox(panel), PatientFiles::kTemporary);
    QLineEdit* mobile = grid.textBox({"Text8", PatientFiles::kMobile, 10, Keys::Any,
                                      QT_TRANSLATE_NOOP("PatientPanels", "Mob.No")});

    grid.addRow(0, 0, QCoreApplication::translate("PatientPanels", "File Number :"),
                {boxes.fileNumber});
    grid.addRow(1, 0, QCoreApplication::translate("PatientPanels", "Pt. Name :"),
                {boxes.givenName, boxes.secondName, boxes.thirdName, boxes.familyName}, 3);
    grid.addRow(2, 0, QCoreApplication::translate("PatientPanels", "Age :"), {age});
    grid.addRow(3, 0, QCoreApplication::translate("PatientPanels", "Nationality :"), {nationality});
    grid.addRow(4, 0, QCoreApplication::translate("PatientPanels", "Social :"), {social});
    grid.addRow(5, 0, QCoreApplication::translate("PatientPanels", "I.D Card No :"), {idCard});
    grid.addRow(6, 0, QCoreApplication::translate("PatientPanels", "Occupation :"), {occupation});
    grid.addRow(0, 2, QCoreApplication::translate("PatientPanels", "Date :"), {boxes.date});
    grid.addRow(2, 2, QCoreApplication::translate("PatientPanels", "Home Tel :"),
                {homeTel, homeExt});
    grid.addRow(3, 2, QCoreApplication::translate("PatientPanels", "Work Tel :"),
                {workTel, workExt});
    grid.addRow(4, 2, QCoreApplication::translate("PatientPanels", "Address :"), {address});
    grid.addRow(5, 2, QCoreApplication::translate("PatientPanels", "Mob.No :"), {mobile});
    grid.layout()->addWidget(temporary, 6, 3);
}

void buildRelativePanel(PanelGrid& grid) {
    QLineEdit* name = grid.textBox({"Text16", PatientFiles::kRelativeName, 40, Keys::Any,
                                    QT_TRANSLATE_NOOP("PatientPanels", "First Relative")});
    QLineEdit* age = grid.textBox({"Text17", PatientFiles::kRelativeAge, 0, Keys::Digits,
                                   QT_TRANSLATE_NOOP("PatientPanels", "Relative Age")});
    QLineEdit* occupation =
        grid.textBox({"Text18", PatientFiles::kRelativeOccupation, 15, Keys::Any,
                      QT_TRANSLATE_NOOP("PatientPanels", "Relative Occupation")});
    QLineEdit* address = grid.textBox({"Text19", PatientFiles::kRelativeAddress, 15, Keys::Any,
                                       QT_TRANSLATE_NOOP("PatientPanels", "Relative Address")});
    QLineEdit* homeTel = grid.textBox({"Text20", PatientFiles::kRelativeHomeTel, 7, Keys::Digits,
                                       QT_TRANSLATE_NOOP("PatientPanels", "Relative Home Tel")});
    QLineEdit* homeExt =
        grid.textBox({"Text21", PatientFiles::kRelativeHomeExtension, 4, Keys::Digits,
                      QT_TRANSLATE_NOOP("PatientPanels", "Relative Home Tel extension")});
    QLineEdit* workTel = grid.textBox({"Text22", PatientFiles::kRelativeWorkTel, 7, Keys::Digits,
                                       QT_TRANSLATE_NOOP("PatientPanels", "Relative Work Tel")});
    QLineEdit* workExt =
        grid.textBox({"Text23", PatientFiles::kRelativeWorkExtension, 4, Keys::Digits,
                      QT_TRANSLATE_NOOP("PatientPanels", "Relative Work Tel extension")});
    QLineEdit* comment = grid.textBox({"Text24", PatientFiles::kComment, 50, Keys::Any,
                                       QT_TRANSLATE_NOOP("PatientPanels", "Commen")});
    age->setFixedWidth(homeExt->maximumWidth());

    grid.addRow(0, 0, QCoreApplication::translate("PatientPanels", "First Relative :"), {name}, 3);
    grid.addRow(1, 0, QCoreApplication::translate("PatientPanels", "Age :"), {age});
    grid.addRow(1, 2, QCoreApplication::translate("PatientPanels", "Occupation :"), {occupation});
    grid.addRow(2, 0, QCoreApplication::translate("PatientPanels", "Address :"), {address});
    grid.addRow(3, 0, QCoreApplication::translate("PatientPanels", "Home Tel :"),
                {homeTel, homeExt});
    grid.addRow(3, 2, QCoreApplication::translate("PatientPanels", "Work Tel :"),
                {workTel, workExt});
    grid.addRow(4, 0, QCoreApplication::translate("PatientPanels", "Commen :"), {comment}, 3);
}

} // namespace

PatientBoxes buildPatientPanels(QWidget* patientPanel, QWidget* relativePanel,
                                DataSource* patients) {
    PatientBoxes boxes;
    PanelGrid patientGrid(patientPanel, patients);
    buildPatientPanel(patientGrid, boxes);
    PanelGrid relativeGrid(relativePanel, patients);
    buildRelativePanel(relativeGrid);

    // The full name is composed by Save, never typed; the field itself limits its length.
    boxes.fullName = makeTextBox(patientPanel, "Text7",
                                 QCoreApplication::translate("PatientPanels", "Pt. Name"));
    boxes.fullName->hide();
    patients->bind(boxes.fullName, PatientFiles::kName);

    // The temporary flag and the mobile number come after the relative's boxes.
    QList<QWidget*> patientOrder = patientGrid.order();
    const QList<QWidget*> last = patientOrder.mid(patientOrder.size() - 2);
    patientOrder.resize(patientOrder.size() - 2);
    boxes.tabOrder = patientOrder + relativeGrid.order() + last;
    return boxes;
}

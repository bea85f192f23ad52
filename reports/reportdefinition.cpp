#include "reports/reportdefinition.h"

QString ReportControl::typeName() const {
    switch (kind) {
    case ControlKind::Label:
        return "RptLabel";
    case ControlKind::TextBox:
        return "RptTextBox";
    case ControlKind::Function:
        return "RptFunction";
    case ControlKind::Line:
        break;
    }
    return "RptLine";
}

void Report::useSideMargins() {
    margins.left = 300;
    margins.right = 300;
}

ReportControl* Report::control(const QString& controlName) {
    for (ReportSection& section : sections)
        for (ReportControl& c : section.controls)
            if (c.name == controlName)
                return &c;
    return nullptr;
}

const ReportControl* Report::control(const QString& controlName) const {
    return const_cast<Report*>(this)->control(controlName);
}

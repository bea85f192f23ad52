#include "reportengine/reportdefinition.h"

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

namespace {
Qt::Alignment mirrored(Qt::Alignment alignment) {
    const Qt::Alignment horizontal = alignment & (Qt::AlignLeft | Qt::AlignRight);
    if (horizontal == Qt::AlignLeft || horizontal == Qt::AlignRight)
        alignment ^= Qt::AlignLeft | Qt::AlignRight;
    return alignment;
}
} // namespace

// Digits run left to right in either language, so amounts and their sums keep their alignment
// and line up on their last digit; everything else changes sides.
void Report::mirror() {
    for (ReportSection& section : sections)
        for (ReportControl& c : section.controls) {
            c.rect.moveLeft(width - c.rect.left() - c.rect.width());
            if (c.format != ValueFormat::Amount && c.kind != ControlKind::Function)
                c.alignment = mirrored(c.alignment);
        }
    rightToLeft = !rightToLeft;
}

int Report::left() const {
    return rightToLeft ? kPageSizeTwips.width() - margins.right - width : margins.left;
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

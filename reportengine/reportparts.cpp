#include "reportengine/reportparts.h"

ReportFont timesNewRoman(double pointSize, bool bold) {
    return {"Times New Roman", pointSize, bold};
}

Report emptyReport(const QString& name, const QString& caption, int width,
                   const QString& detailName) {
    Report report;
    report.name = name;
    report.caption = caption;
    report.width = width;
    report.defaultFont = {"Arial", 8.25, false};
    report.sections[ReportHeader].name = "Section4";
    report.sections[PageHeader].name = "Section2";
    report.sections[Detail].name = detailName;
    report.sections[PageFooter].name = "Section3";
    report.sections[ReportFooter].name = "Section5";
    return report;
}

namespace {
ReportControl control(ControlKind kind, const QString& name, const QRect& rect,
                      const std::optional<ReportFont>& font, Qt::Alignment alignment) {
    ReportControl c;
    c.kind = kind;
    c.name = name;
    c.rect = rect;
    c.font = font;
    c.alignment = alignment;
    return c;
}
} // namespace

ReportControl label(const QString& name, const QString& caption, const QRect& rect,
                    const std::optional<ReportFont>& font, Qt::Alignment alignment) {
    ReportControl c = control(ControlKind::Label, name, rect, font, alignment);
    c.caption = caption;
    return c;
}

ReportControl textBox(const QString& name, const QString& field, const QRect& rect,
                      const std::optional<ReportFont>& font, Qt::Alignment alignment) {
    ReportControl c = control(ControlKind::TextBox, name, rect, font, alignment);
    c.dataField = field;
    return c;
}

ReportControl sumOf(const QString& name, const QString& field, const QRect& rect,
                    const std::optional<ReportFont>& font, Qt::Alignment alignment) {
    ReportControl c = control(ControlKind::Function, name, rect, font, alignment);
    c.dataField = field;
    return c;
}

ReportControl rule(const QString& name, int left, int top, int width) {
    return control(ControlKind::Line, name, QRect(left, top, width, 0), std::nullopt,
                   Qt::AlignLeft);
}

#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// A report is data: page geometry, fonts and five sections of named controls. Every length is in
// twips (1/1440 inch), measured from the top left of the section that holds the control.

struct ReportFont {
    QString family;
    double pointSize = 0;
    bool bold = false;

    bool operator==(const ReportFont& other) const {
        return family == other.family && pointSize == other.pointSize && bold == other.bold;
    }
};

enum class ControlKind { Label, TextBox, Function, Line };

// How a text box or a function shows its value.
enum class ValueFormat {
    Plain,
    // "#,##0.00", after the control's literal prefix.
    Amount,
    // A flag as "Yes" or "No".
    YesNo,
    // A word the program stores in English (a payment's kind, a statement's entry, a
    // nationality), shown in the interface's language.
    StoredWord,
};

struct ReportControl {
    ControlKind kind = ControlKind::Label;
    QString name;
    // A label's text.
    QString caption;
    // The field that a text box shows or a function sums.
    QString dataField;
    // A line is drawn along the top edge of its rectangle.
    QRect rect;
    Qt::Alignment alignment = Qt::AlignLeft;
    // None: the report's default font.
    std::optional<ReportFont> font;
    // Text always wraps at the control's width; a control that cannot grow keeps its height and
    // shows only the lines that fit.
    bool canGrow = false;
    ValueFormat format = ValueFormat::Plain;
    QString formatPrefix;

    // The runtime's type name: "RptLabel", "RptTextBox", "RptFunction" or "RptLine".
    QString typeName() const;
};

struct ReportSection {
    QString name;
    int height = 0;
    std::vector<ReportControl> controls;
};

// The sections, always in this order.
enum SectionRole { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter, SectionCount };

struct PageMargins {
    int left = 1440;
    int top = 1440;
    int right = 1440;
    int bottom = 1440;
};

// A4 portrait.
constexpr QSize kPageSizeTwips(11906, 16838);

struct Report {
    QString name;
    // The preview window's title.
    QString caption;
    int width = 0;
    PageMargins margins;
    ReportFont defaultFont;
    std::array<ReportSection, SectionCount> sections;
    bool rightToLeft = false;

    // The printed reports' margins of 300 twips left and right.
    void useSideMargins();
    // Lays the report out for a right-to-left language: every control stands as far from the
    // right edge as it stood from the left, left and right alignment change places, and the
    // report stands against the right margin of the page.
    void mirror();
    // Where the report's left edge stands on the page, in twips.
    int left() const;
    // The first control of that name in any section, or null.
    ReportControl* control(const QString& controlName);
    const ReportControl* control(const QString& controlName) const;
};

#pragma once

#include "reportengine/reportdefinition.h"

// The pieces the report layouts are made of.

ReportFont timesNewRoman(double pointSize, bool bold = false);

// A report with its five sections named as the runtime names them, no controls yet, margins of
// 1440 and Arial 8.25 as the default font.
Report emptyReport(const QString& name, const QString& caption, int width,
                   const QString& detailName = "Section1");

ReportControl label(const QString& name, const QString& caption, const QRect& rect,
                    const std::optional<ReportFont>& font = std::nullopt,
                    Qt::Alignment alignment = Qt::AlignLeft);
ReportControl textBox(const QString& name, const QString& field, const QRect& rect,
                      const std::optional<ReportFont>& font = std::nullopt,
                      Qt::Alignment alignment = Qt::AlignLeft);
ReportControl sumOf(const QString& name, const QString& field, const QRect& rect,
                    const std::optional<ReportFont>& font = std::nullopt,
                    Qt::Alignment alignment = Qt::AlignLeft);
// A horizontal rule.
ReportControl rule(const QString& name, int left, int top, int width);

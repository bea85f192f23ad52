#pragma once

#include <QString>
#include <QVariantList>
#include <functional>

class QWidget;
class RowSource;

// The one patient file that the personal information sheet prints.
constexpr auto kPatientSheetQuery = "select * from per_inf_data where file_num = ?";
// One row per nationality and temporary flag; files without a nationality count 0.
constexpr auto kNationalityCountQuery =
    "select pt_nationality,[temporary],count(pt_nationality) as pt_count from per_inf_data "
    "group by pt_nationality,[temporary] ";

// Runs a read-only query on the database that the settings name and hands its rows to the work;
// the record set is closed when the work is done. Failures raise AppError.
void withReportRows(const QString& sql, const QVariantList& values,
                    const std::function<void(RowSource&)>& work);

// Prints the personal information sheet of the files with this number to the default printer.
void printPatientSheet(const QString& fileNumber);
// Shows the count of patients by nationality in a modal preview with the current letterhead.
void previewNationalityCount(QWidget* parent);

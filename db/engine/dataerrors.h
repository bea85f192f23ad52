#pragma once

#include "core/apperror.h"

#include <QCoreApplication>
#include <QStringList>

// The failures of data sources that the engine itself does not raise, with the numbers and texts
// that clinics have long known from their data controls (3021 "No current record.", ...).
namespace DataErrors {

inline AppError noCurrentRecord() {
    return AppError(3021, QCoreApplication::translate("DataErrors", "No current record."));
}
inline AppError unknownField(const QString& field) {
    return AppError(
        3265, QCoreApplication::translate("DataErrors", "Item '%1' not found in this collection.")
                  .arg(field));
}
inline AppError unknownTable(const QString& table) {
    return AppError(3078, QCoreApplication::translate(
                              "DataErrors",
                              "Cannot find the input table or query '%1'. Make sure it exists and "
                              "that its name is spelled correctly.")
                              .arg(table));
}
inline AppError readOnly() {
    return AppError(3027,
                    QCoreApplication::translate("DataErrors",
                                                "Cannot update. Database or object is read-only."),
                    ErrorKind::ReadOnly);
}
inline AppError notWholeNumber(const QString& field) {
    return AppError(
        3421, QCoreApplication::translate("DataErrors",
                                          "Data type conversion error: '%1' takes a whole number.")
                  .arg(field));
}
inline AppError recordDeleted() {
    return AppError(3167, QCoreApplication::translate("DataErrors", "Record is deleted."));
}
// A record that another workstation changed since this one read it: what it now holds is told,
// and the user's values stay unsaved until saved again over it.
inline AppError changedSinceRead(const QStringList& nowHolds) {
    return AppError(3197, QCoreApplication::translate(
                              "Database", "The record was changed at another workstation since "
                                          "you read it, and your changes were not saved. It now "
                                          "holds:\r\n%1\r\nSave again to put your values over it.")
                              .arg(nowHolds.join("\r\n")));
}
inline AppError notOpen() {
    return AppError(3420,
                    QCoreApplication::translate("DataErrors", "Object invalid or no longer set."));
}

} // namespace DataErrors

#pragma once

#include <QString>
#include <functional>

// Files a new patient under the number at the database's location: in one transaction, the
// number is looked up again and the insert runs only when no file holds it, other desks filing
// meanwhile waiting their turn. False when the number was taken since the user looked it up;
// an engine's refusal raises its error.
bool fileNewPatient(const QString& location, const QString& fileNumber,
                    const std::function<void()>& insert);

#pragma once

#include "core/apperror.h"

class QFileDevice;

// A file written for the user (an export) that could not be written: its name and why. The toolkit
// loses the reason of some failed writes ("Unknown error"); the system's own error number of the
// failed call, when given, names it then ("No space left on device").
AppError fileNotWritten(const QFileDevice& file, int systemError = 0);

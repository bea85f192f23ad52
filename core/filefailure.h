#pragma once

#include "core/apperror.h"

class QFileDevice;

// The runtime's "Path/File access error": a file or folder that could not be reached, written or
// replaced. The number is the one the user is shown.
AppError fileAccessError(const QString& description);
// The runtime's own words, naming the paths: "Path/File access error (PATHS)".
AppError pathAccessError(const QString& paths);

// A file written for the user (an export) that could not be written: its name and why. The toolkit
// loses the reason of some failed writes ("Unknown error"); the system's own error number of the
// failed call, when given, names it then ("No space left on device").
AppError fileNotWritten(const QFileDevice& file, int systemError = 0);

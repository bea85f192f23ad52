#pragma once

#include <QtGlobal>

// How long ago, in milliseconds, the user last pressed a key, clicked or turned the wheel in the
// program; a very long time before the first. Work done while the program is idle waits while
// the user works, so that a key pressed never waits for it.
qint64 sinceUserInput();

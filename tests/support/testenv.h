#pragma once

#include "scripteddialogs.h"

#include <QTemporaryDir>

// One test's world: a temporary program directory, settings store and error log, a fixed today
// and scripted dialogs. Everything is put back when it goes out of scope.
class TestEnv {
  public:
    TestEnv();
    ~TestEnv();

    QString root() const { return dir_.path(); }
    QString programDirectory() const;
    // A new directory under the root.
    QString makeDir(const QString& name) const;
    // The text of errors.log (the log is flushed after every entry).
    QString log() const;
    // A database with the full schema in the program directory, with its settings in place.
    QString createDatabase();

    ScriptedDialogs dialogs;

  private:
    QTemporaryDir dir_;
};

// Writes a file with the given bytes.
void writeFile(const QString& path, const QByteArray& bytes);
// The bytes of a file; none when it cannot be read.
QByteArray readFile(const QString& path);

#pragma once

#include "scripteddialogs.h"

#include <QTemporaryDir>
#include <utility>

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
    // A database with the full schema, with its settings in place: a file in the program
    // directory, or, when the test runs against a server, a new database on the test's server.
    // Its location.
    QString createDatabase();

    // Points the settings at a database that is not there: a missing file, or a database that
    // the test's server does not hold. What the user is then told: the engine's number and text.
    std::pair<int, QString> loseTheDatabase();

    ScriptedDialogs dialogs;

  private:
    QTemporaryDir dir_;
};

// True when the test runs against a database server (KORVEL_TEST_ENGINE=server): one test body,
// two back ends.
bool testsOnServer();

// Writes a file with the given bytes.
void writeFile(const QString& path, const QByteArray& bytes);
// The bytes of a file; none when it cannot be read.
QByteArray readFile(const QString& path);

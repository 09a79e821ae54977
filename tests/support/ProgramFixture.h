#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include "support/PrintQt.h"
#include "support/ScriptedHost.h"

// A test of the whole program: its own program folder holding the delivered data file as the
// template, its own data folder (the person's) holding a copy of it as the file they work in,
// its own settings store and single-instance lock, and a scripted host. Whatever the test
// leaves (windows, the connection, module state) is cleared afterwards.
class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest();
    ~ProgramTest() override;

    QString programDir() const { return dir_.path(); }
    // The person's data folder: their data file and report.Log.
    QString userDir() const;
    // The person's data file, the one start-up opens: vdsys.vs_ in the data folder.
    QString dataFile() const;
    // The template beside the program: a read-only copy of the build's.
    QString deliveredFile() const;
    // Copies the delivered data file to path (the person's data file by default).
    void installDeliveredDataFile(const QString& path = {}) const;
    // Creates an empty data file with the schema and the given password.
    void createDataFile(const QString& path, const QString& password) const;

    // Starts the program and expects it to reach the main window, its data file checked.
    void start();
    // Ends the program as the exit window would and forgets its windows, so that start() can
    // run again against the same folder and settings.
    void restart();

    // Runs code that is expected to end the program; fails the test when it does not.
    template <class F>
    void expectProgramEnds(F&& code) {
        host.expectEnd();
        try {
            code();
            ADD_FAILURE() << "the program did not end";
        } catch (const ui::ProgramEnded&) {
        }
    }

    // A setting of the program ("Options" section).
    QString option(const QString& key, const QString& defaultValue = QStringLiteral("<none>"));
    void setOption(const QString& key, const QString& value);

    QTemporaryDir dir_;
    ScriptedHost host;
};

#pragma once

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace lvx::test {

// Points every per-user location at a fresh temporary folder before the
// application object exists: the settings (XDG_CONFIG_HOME and HOME, since test
// mode puts QSettings under ~/.qttest), the program folder (LIRAVOX_HOME) and the
// runtime folder. The user's own files are never touched.
class IsolatedEnvironment final
{
public:
    IsolatedEnvironment();
    QString path() const { return m_dir.path(); }
    QString programFolder() const { return m_dir.filePath(QStringLiteral("home")); }

private:
    QTemporaryDir m_dir;
};

// Removes every setting, for tests that need a store with nothing in it.
void clearSettings();

// A file of the test's data folder (tests/<module>/data).
QString dataFile(const QString& name);

// What a program run by a test printed, and how it ended.
struct Run
{
    int exitCode = -1;
    QString out;
    QString error;
};

// Runs a program to its end (a minute at most).
Run run(const QString& program, const QStringList& arguments);

} // namespace lvx::test

// All test files are linked into one program; each registers how to
// run its test class under its file's name ("reader_test"), and the program's
// first argument picks the one to run (see testprogram.cpp).
namespace lvx::test {
using TestEntry = int (*)(int argc, char** argv);
struct Registration
{
    Registration(const char* sourceFile, TestEntry entry);
};
// The arguments that pick the running test again, for a test that starts its
// own program as a child.
QStringList rerunArguments();
} // namespace lvx::test

// Named after the test class: files compiled together in one batch each keep their own.
#define LIRAVOX_TEST_MAIN_IMPL(TestObject, App)                                                                        \
    namespace {                                                                                                        \
    int run##TestObject(int argc, char** argv)                                                                         \
    {                                                                                                                  \
        lvx::test::IsolatedEnvironment environment;                                                                    \
        App app(argc, argv);                                                                                           \
        QStandardPaths::setTestModeEnabled(true);                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }                                                                                                                  \
    const lvx::test::Registration TestObject##Registration(__FILE__, run##TestObject);                                 \
    }

// For logic tests: no window system.
#define LIRAVOX_TEST_MAIN(TestObject) LIRAVOX_TEST_MAIN_IMPL(TestObject, QCoreApplication)
// For tests that draw text (fonts need the offscreen platform), without widgets.
#define LIRAVOX_GUI_TEST_MAIN(TestObject) LIRAVOX_TEST_MAIN_IMPL(TestObject, QGuiApplication)

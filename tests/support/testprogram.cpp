#include "testmain.h"

#include <QFileInfo>
#include <QMap>

#include <cstdio>

namespace lvx::test {
namespace {

QString runningName;

QMap<QString, TestEntry>& registry()
{
    static QMap<QString, TestEntry> entries;
    return entries;
}

} // namespace

QStringList rerunArguments()
{
    if (runningName.isEmpty())
        return {};
    return {runningName};
}

Registration::Registration(const char* sourceFile, TestEntry entry)
{
    // "/src/tests/song/reader_test.cpp" -> "reader_test", the name ctest passes.
    registry().insert(QFileInfo(QString::fromUtf8(sourceFile)).completeBaseName(), entry);
}

} // namespace lvx::test

// `program TEST [QtTest options...]` runs one test file's class.
int main(int argc, char** argv)
{
    const auto& entries = lvx::test::registry();
    if (argc >= 2) {
        const QString name = QString::fromLocal8Bit(argv[1]);
        if (const auto found = entries.constFind(name); found != entries.cend()) {
            lvx::test::runningName = name;
            argv[1] = argv[0];
            return found.value()(argc - 1, argv + 1);
        }
    }
    std::fprintf(stderr, "usage: %s TEST [QtTest options]\ntests:", argc > 0 ? argv[0] : "tests");
    for (const QString& name : entries.keys())
        std::fprintf(stderr, " %s", qPrintable(name));
    std::fputc('\n', stderr);
    return 2;
}

#include "testmain.h"

#include <cstdio>
#include <map>
#include <string>

namespace lvx::test {
namespace {

std::string runningName;

std::map<std::string, TestEntry>& registry()
{
    static std::map<std::string, TestEntry> entries;
    return entries;
}

// "/src/tests/song/reader_test.cpp" -> "reader_test"
std::string testName(const char* sourceFile)
{
    std::string name = sourceFile;
    if (const auto slash = name.find_last_of('/'); slash != std::string::npos)
        name.erase(0, slash + 1);
    if (const auto dot = name.find_last_of('.'); dot != std::string::npos)
        name.erase(dot);
    return name;
}

} // namespace

QStringList rerunArguments()
{
    if (runningName.empty())
        return {};
    return {QString::fromStdString(runningName)};
}

Registration::Registration(const char* sourceFile, TestEntry entry)
{
    registry().emplace(testName(sourceFile), entry);
}

} // namespace lvx::test

// `program TEST [QtTest options...]` runs one test file's class; a program
// holding a single test file runs it without the name.
int main(int argc, char** argv)
{
    const auto& entries = lvx::test::registry();
    if (entries.size() == 1 && (argc < 2 || !entries.contains(argv[1])))
        return entries.begin()->second(argc, argv);
    if (argc >= 2) {
        if (const auto found = entries.find(argv[1]); found != entries.end()) {
            lvx::test::runningName = found->first;
            argv[1] = argv[0];
            return found->second(argc - 1, argv + 1);
        }
    }
    std::fprintf(stderr, "usage: %s TEST [QtTest options]\ntests:", argc > 0 ? argv[0] : "tests");
    for (const auto& entry : entries)
        std::fprintf(stderr, " %s", entry.first.c_str());
    std::fputc('\n', stderr);
    return 2;
}

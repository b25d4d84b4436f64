// A fuzz target run over files instead of under libFuzzer: every file of the
// folders named (or each file named) goes through the target once, so the
// inputs that once failed stay tests. A failing input stops the run as it
// stopped the fuzzer. A folder that is not there holds no inputs yet.

#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void replay(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    const QByteArray bytes = file.readAll();
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
}

} // namespace

int main(int argc, char** argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    for (int index = 1; index < argc; ++index) {
        const QString path = QFile::decodeName(argv[index]);
        if (!QFileInfo::exists(path))
            continue;
        if (!QFileInfo(path).isDir()) {
            replay(path);
            continue;
        }
        QDirIterator files(path, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
            replay(files.next());
    }
    return 0;
}

#include "base/modules.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace lvx {

namespace {

// The running program's folder, also before an application object exists.
QString programDirectory()
{
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

} // namespace

QFunctionPointer resolveModuleFunction(const QString& builtAt, const char* symbol, QString& error)
{
    const QString fileName = QFileInfo(builtAt).fileName();
    const QString beside = programDirectory();
    QStringList candidates;
    if (!beside.isEmpty()) {
        candidates.append(beside + u'/' + fileName);
        candidates.append(beside + u"/" LIRAVOX_MODULES_FROM_PROGRAM u"/" + fileName);
    }
    candidates.append(builtAt);
    for (const QString& candidate : std::as_const(candidates)) {
        QLibrary library(candidate);
        if (!library.load()) {
            error = library.errorString();
            continue;
        }
        if (QFunctionPointer function = library.resolve(symbol))
            return function;
        error = library.errorString();
    }
    return nullptr;
}

} // namespace lvx

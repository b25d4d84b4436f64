#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>

namespace lvx::test {

IsolatedEnvironment::IsolatedEnvironment()
{
    const QString root = m_dir.path();
    for (const char* sub : {"config", "data", "runtime", "home"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(root + u"/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", QFile::encodeName(root));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + u"/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + u"/data"));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + u"/runtime"));
    qputenv("LIRAVOX_HOME", QFile::encodeName(root + u"/home"));
}

void clearSettings()
{
    QSettings store(QStringLiteral("Liravox"), QStringLiteral("Liravox"));
    store.clear();
    store.sync();
}

QString dataFile(const QString& name)
{
    return qEnvironmentVariable("LIRAVOX_TEST_DATA") + u'/' + name;
}

Run run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace lvx::test

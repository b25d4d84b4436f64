// A crash while typing loses nothing: the program is killed (SIGKILL) after
// typing into a saved song and a new one, and the next start offers both back
// with every character typed.

#include "desktopfixture.h"
#include "testmain.h"

#include "base/recoveryfiles.h"
#include "app/songrecovery.h"


#include <csignal>

using namespace Qt::StringLiterals;
using lvx::editor::frmSong;

namespace {

const QByteArray SavedText = "{t:Saved}\r\n[C]Amazing grace\r\n";

// The desktop program as main() builds it, with its recovery copies in folder.
struct Program
{
    explicit Program(const QString& folder) : recovery(folder, 200)
    {
        desktop.recovery = &recovery;
        main = std::make_unique<lvx::frmMain>(desktop);
        main->resize(1000, 800);
        main->show();
        main->Form_Load();
    }
    ~Program()
    {
        for (int number : main->numbersInUse())
            main->songWindow(number)->song().Modificada = false;
        main->mdiArea()->closeAllSubWindows();
    }

    lvx::RecordingMessages messages;
    lvx::DesktopContext desktop{messages, std::make_unique<FakeMidiSystem>()};
    lvx::RecoveryFiles recovery;
    std::unique_ptr<lvx::frmMain> main;
};

// The program of the first run: it types into a saved song and into the new
// song of window 1, lets the copies be taken, and dies without a word.
int typeAndDie(const QString& folder)
{
    Program program(QDir(folder).filePath(u"recovery"_s));
    program.main->openSong(QDir(folder).filePath(u"saved.cho"_s));
    for (int window : {1, 2}) {
        box(program.main->songWindow(window), 1)->setFocus();
        box(program.main->songWindow(window), 1)->end(false);
        QTest::keyClicks(box(program.main->songWindow(window), 1), u" typed"_s);
    }
    const QDir copies(program.recovery.sessionFolder(), u"*.lvxrecover"_s);
    for (int wait = 0; wait < 100 && copies.entryList().size() < 2; ++wait)
        QTest::qWait(50);
    program.recovery.waitForWrites();
    std::raise(SIGKILL);
    return 1;
}

} // namespace

class RecoveryTest : public QObject
{
    Q_OBJECT

private slots:
    void aKilledProgramsTypingComesBack()
    {
        QTemporaryDir dir;
        const QString savedPath = dir.filePath(u"saved.cho"_s);
        QFile saved(savedPath);
        QVERIFY(saved.open(QIODevice::WriteOnly) && saved.write(SavedText) == SavedText.size());
        saved.close();
        QProcess first;
        first.start(QCoreApplication::applicationFilePath(),
                    lvx::test::rerunArguments() + QStringList{u"--type-and-die"_s, dir.path()});
        QVERIFY(first.waitForFinished(60000) && first.exitStatus() == QProcess::CrashExit);

        Program next(dir.filePath(u"recovery"_s));
        next.messages.scriptAnswer(lvx::Answer::Yes);
        next.messages.scriptAnswer(lvx::Answer::Yes);
        lvx::offerRecoveredSongs(next.desktop, *next.main);
        QStringList asked;
        for (const auto& entry : next.messages.entries()) {
            if (entry.kind == lvx::RecordingMessages::Kind::Ask)
                asked.append(entry.text);
        }
        QCOMPARE(asked.size(), 2);
        QVERIFY(asked.join(u'\n').contains(QDir::toNativeSeparators(savedPath)) && asked.join(u'\n').contains(u"a new song"_s));
        QStringList restored;
        for (int number : next.main->numbersInUse()) {
            if (const frmSong* song = next.main->songWindow(number); song->song().Modificada)
                restored.append(song->caption() + u": "_s + song->song().lines.first().text);
        }
        restored.sort();
        QCOMPARE(restored.size(), 2);
        QCOMPARE(restored[0], savedPath + u": Amazing grace typed"_s);
        QVERIFY2(restored[1].startsWith(u"Untitled:"_s) && restored[1].endsWith(u"here typed"_s), qPrintable(restored[1]));
        // The file on disk is as it was saved; the copies offered are gone.
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), SavedText);
        QCOMPARE(next.recovery.leftovers().size(), 0);
    }
};

namespace {

int runRecoveryTest(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--type-and-die") == 0) {
        QApplication app(argc, argv);
        return typeAndDie(QString::fromLocal8Bit(argv[2]));
    }
    lvx::test::IsolatedEnvironment environment;
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

const lvx::test::Registration registration(__FILE__, runRecoveryTest);

} // namespace

#include "recovery_test.moc"

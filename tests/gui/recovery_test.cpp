// A crash while typing loses nothing: the program is killed (SIGKILL) after
// typing into a saved song and a new one, and the next start offers both back
// with every character typed.

#include "desktopfixture.h"
#include "testmain.h"

#include "base/recoveryfiles.h"
#include "app/songrecovery.h"

#include <QProcess>

#include <csignal>

using namespace Qt::StringLiterals;
using lvx::editor::frmSong;

namespace {

const QString TypedIntoSaved = u" typed into the saved song"_s;
const QString TypedIntoNew = u" typed into the new song"_s;

// The desktop program as main() builds it, with its recovery copies in folder.
struct Program
{
    explicit Program(const QString& folder)
        : desktop(messages, std::make_unique<FakeMidiSystem>()), recovery(folder, 200)
    {
        desktop.recovery = &recovery;
        main = std::make_unique<lvx::frmMain>(desktop);
        main->resize(1000, 800);
        main->show();
        main->Form_Load();
    }
    ~Program()
    {
        for (frmSong* song : songs())
            song->song().Modificada = false;
        main->mdiArea()->closeAllSubWindows();
    }

    QList<frmSong*> songs() const
    {
        QList<frmSong*> found;
        for (int number : main->numbersInUse())
            found.append(main->songWindow(number));
        return found;
    }

    lvx::RecordingMessages messages;
    lvx::DesktopContext desktop;
    lvx::RecoveryFiles recovery;
    std::unique_ptr<lvx::frmMain> main;
};

void typeAtEnd(frmSong* song, const QString& text)
{
    auto* target = box(song, 1);
    target->setFocus();
    target->end(false);
    QTest::keyClicks(target, text);
}

// The program of the first run: it types into a saved song and into the new
// song of window 1, lets the copies be taken, and dies without a word.
int typeAndDie(const QString& folder)
{
    Program program(QDir(folder).filePath(u"recovery"_s));
    frmSong* fresh = program.main->songWindow(1);
    program.main->openSong(QDir(folder).filePath(u"saved.cho"_s));
    frmSong* saved = program.main->songWindow(2);
    typeAtEnd(saved, TypedIntoSaved);
    typeAtEnd(fresh, TypedIntoNew);
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
        QVERIFY(saved.open(QIODevice::WriteOnly));
        saved.write("{t:Saved}\r\n[C]Amazing grace\r\n");
        saved.close();

        QProcess first;
        first.start(QCoreApplication::applicationFilePath(),
                    lvx::test::rerunArguments() + QStringList{u"--type-and-die"_s, dir.path()});
        QVERIFY(first.waitForFinished(60000));
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);

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
        QVERIFY(asked.join(u'\n').contains(QDir::toNativeSeparators(savedPath)));
        QVERIFY(asked.join(u'\n').contains(u"a new song"_s));

        QStringList restored;
        for (frmSong* song : next.songs()) {
            if (song->song().Modificada)
                restored.append(song->caption() + u": "_s + song->song().lines.first().text);
        }
        restored.sort();
        QCOMPARE(restored.size(), 2);
        QCOMPARE(restored[0], savedPath + u": Amazing grace"_s + TypedIntoSaved);
        QVERIFY2(restored[1].startsWith(u"Untitled:"_s) && restored[1].endsWith(u"here"_s + TypedIntoNew),
                 qPrintable(restored[1]));
        // The file on disk is as it was saved; the copies offered are gone.
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), "{t:Saved}\r\n[C]Amazing grace\r\n"_ba);
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

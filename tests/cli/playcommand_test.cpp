#include "testmain.h"
#include "../midi/wavreader.h"

#include <QTemporaryDir>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The A minor shape x02210 on the guitar defaults: 100 ms apart, 200 ms long.
const QStringList AMinorGuitar{u"0 192 24 0"_s,   u"0 144 45 127"_s, u"100 144 52 127"_s, u"200 144 45 0"_s,
                               u"200 144 57 127"_s, u"300 144 52 0"_s, u"300 144 60 127"_s, u"400 144 57 0"_s,
                               u"400 144 64 127"_s, u"500 144 60 0"_s, u"600 144 64 0"_s};

// lvx play with the sound font named (the inherited one when none is).
lvx::test::Run play(const QStringList& arguments, const QString& soundFont = QString())
{
    const std::optional<QByteArray> inherited =
        qEnvironmentVariableIsSet("LIRAVOX_SOUNDFONT") ? std::optional(qgetenv("LIRAVOX_SOUNDFONT")) : std::nullopt;
    if (!soundFont.isNull())
        qputenv("LIRAVOX_SOUNDFONT", soundFont.toLocal8Bit());
    const lvx::test::Run run = lvx::test::run(QStringLiteral(LVX_PATH), QStringList{u"play"_s} + arguments);
    inherited ? qputenv("LIRAVOX_SOUNDFONT", *inherited) : qunsetenv("LIRAVOX_SOUNDFONT");
    return run;
}

QStringList lines(const lvx::test::Run& run)
{
    return run.out.split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class PlayCommandTest final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void init() { lvx::test::clearSettings(); }

    void renderedChords_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("log");
        QTest::addRow("A minor on the guitar") << QStringList{u"Am"_s} << AMinorGuitar;
        QTest::addRow("A minor on the piano: keys A C E, the piano's patch and sustain")
            << QStringList{u"Am"_s, u"--instrument"_s, u"Piano"_s}
            << QStringList{u"0 192 0 0"_s,   u"0 144 57 127"_s, u"100 144 60 127"_s, u"200 144 64 127"_s,
                           u"300 144 57 0"_s, u"400 144 60 0"_s, u"500 144 64 0"_s};
        QTest::addRow("a text label sounds nothing") << QStringList{u"'Intro"_s} << QStringList();
    }
    void renderedChords()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, log);
        const QString wav = m_dir.filePath(u"out.wav"_s);
        QFile::remove(wav);
        const lvx::test::Run run = play(QStringList{u"--log"_s, u"--wav"_s, wav} + arguments);
        QCOMPARE(run.error, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(lines(run), log);

        const WavSound sound = readWav(wav);
        QCOMPARE(sound.sampleRate, 64000);
        QCOMPARE(sound.channels, 2);
        const int lastMessage = log.isEmpty() ? 0 : log.last().section(u' ', 0, 0).toInt();
        QVERIFY(sound.frames() >= qsizetype(lastMessage) * sound.sampleRate / 1000);
        bool sounds = false;
        for (qint16 sample : sound.samples)
            sounds = sounds || sample != 0;
        QCOMPARE(sounds, !log.isEmpty());
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("soundFont");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");   // empty: only that there is one
        QTest::addRow("a name that is no chord") << QStringList{u"H7"_s, u"--wav"_s, u"%1/h.wav"_s} << QString() << 1
                                                 << u"Inválid Chord\n"_s;
        QTest::addRow("rendering without a sound font")
            << QStringList{u"Am"_s, u"--wav"_s, u"%1/am.wav"_s} << u"%1/none.sf2"_s << 1
            << u"The built-in synthesizer found no General MIDI sound font.\n"_s;
        QTest::addRow("no chord names") << QStringList{u"--log"_s} << QString() << 2 << QString();
        QTest::addRow("a song where the sound would go") << QStringList{u"Am"_s, u"--wav"_s, u"%1/song.cho"_s} << QString() << 1
                                                         << u"Cannot save file %1/song.cho: it is not a WAV file, and saving would replace what it holds\n"_s;
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, soundFont);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        for (QString& argument : arguments)
            argument.replace(u"%1"_s, m_dir.path());
        // No refusal writes over a file that is there.
        const QByteArray song = "{t:Kept}\r\n";
        QFile file(m_dir.filePath(u"song.cho"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(song) == song.size());
        file.close();
        const lvx::test::Run run = play(arguments, soundFont.isNull() ? soundFont : soundFont.arg(m_dir.path()));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(!run.error.isEmpty());
        if (!error.isEmpty())
            QCOMPARE(run.error, error.replace(u"%1"_s, m_dir.path()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), song);
        if (exitCode == 2)
            QVERIFY(run.error.startsWith(u"usage: lvx play"_s));
    }

};

LIRAVOX_TEST_MAIN(PlayCommandTest)
#include "playcommand_test.moc"

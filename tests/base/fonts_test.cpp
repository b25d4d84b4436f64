#include "testmain.h"

#include "base/fonts.h"
#include "base/settings.h"

using namespace lvx;
using namespace Qt::StringLiterals;

namespace {

FontSet defaultSet()
{
    FontSet set;
    loadSongFontDefaults(set);
    return set;
}

struct RecordingSurface final : FontSurface
{
    QString font;
    qint32 color = -1;
    void setFont(const QString& name, qint16 size, bool bold, bool italic) override
    {
        font = name + u'/' + QString::number(size) + (bold ? u"/b" : u"") + (italic ? u"/i" : u"");
    }
    void setForeColor(qint32 value) override { color = value; }
};

} // namespace

class FontsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void defaultRolesInOrder()
    {
        QStringList written;
        for (const Fonts& font : defaultSet().items())
            written.append(FontToStr(font));
        QCOMPARE(written, (QStringList{
                              u"Title,Comic Sans MS,20,0,true,false"_s,
                              u"SubTitle,Comic Sans MS,16,0,true,false"_s,
                              u"Lyric,Comic Sans MS,10,0,false,false"_s,
                              u"Chord,Arial,8,255,false,true"_s,
                              u"Comment,Comic Sans MS,8,16711680,false,false"_s,
                              u"Tablature,Courier New,10,65280,false,false"_s,
                              u"Header,Comic Sans MS,10,0,true,false"_s,
                              u"Footer,Comic Sans MS,10,0,true,false"_s,
                              u"Control,MS Sans Serif,8,16711680,false,false"_s,
                          }));
    }

    void settingsOverrideDefaults()
    {
        SaveSetting(u"SongFonts"_s, u"LyricFontName"_s, u"Liberation Serif"_s);
        SaveSetting(u"SongFonts"_s, u"LyricFontSize"_s, u"12.5pt"_s);
        SaveSetting(u"SongFonts"_s, u"LyricFontBold"_s, u" True "_s);
        SaveSetting(u"SongFonts"_s, u"LyricFontItalic"_s, u"yes"_s);
        SaveSetting(u"SongFonts"_s, u"ChordFontColor"_s, u"blue"_s);
        SaveSetting(u"SongFonts"_s, u"TitleFontSize"_s, u"-99999999"_s);
        const FontSet set = defaultSet();
        QCOMPARE(FontToStr(*set.find(u"Lyric"_s)), u"Lyric,Liberation Serif,12,0,true,false"_s);
        QCOMPARE(set.find(u"Chord"_s)->Color, 0);
        QCOMPARE(set.find(u"Title"_s)->Size, qint16(-32768));
    }

    void fontDirective_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expectedLyric");
        QTest::addRow("full description") << u"Lyric,Arial,12,255,true,true"_s << u"Lyric,Arial,12,255,true,true"_s;
        QTest::addRow("leading index item is skipped") << u"3,Lyric,Arial,12,0,false,false"_s << u"Lyric,Arial,12,0,false,false"_s;
        QTest::addRow("leading digit run is skipped") << u"45,Lyric,Arial,9,0,false,false"_s << u"Lyric,Arial,9,0,false,false"_s;
        QTest::addRow("empty leading item is skipped") << u",Lyric,Arial,9,0,false,false"_s << u"Lyric,Arial,9,0,false,false"_s;
        QTest::addRow("blanks around items are trimmed") << u"Lyric , Arial , 11 , 0 , true , false"_s << u"Lyric,Arial,11,0,true,false"_s;
        QTest::addRow("bold True with a capital is false") << u"Lyric,Arial,10,0,True,TRUE"_s << u"Lyric,Arial,10,0,false,false"_s;
        QTest::addRow("role found ignoring case keeps the key as written") << u"lyric,Arial,10,0,false,false"_s << u"lyric,Arial,10,0,false,false"_s;
        QTest::addRow("missing items read as empty") << u"Lyric,Arial"_s << u"Lyric,Arial,0,0,false,false"_s;
        QTest::addRow("a size too large is skipped alone") << u"Lyric,Arial,99999,255,true,false"_s << u"Lyric,Arial,10,255,true,false"_s;
        QTest::addRow("sizes use the leading number") << u"Lyric,Arial,14pt,x,false,false"_s << u"Lyric,Arial,14,0,false,false"_s;
        QTest::addRow("unknown role changes nothing") << u"Verse,Arial,30,0,true,true"_s << u"Lyric,Comic Sans MS,10,0,false,false"_s;
        QTest::addRow("9 is a role, not an index") << u"9,Lyric,Arial"_s << u"Lyric,Comic Sans MS,10,0,false,false"_s;
        QTest::addRow("empty text changes nothing") << QString() << u"Lyric,Comic Sans MS,10,0,false,false"_s;
    }
    void fontDirective()
    {
        QFETCH(QString, text);
        QFETCH(QString, expectedLyric);
        FontSet set = defaultSet();
        FontFromStr(set, text);
        QCOMPARE(set.size(), 9);
        QCOMPARE(FontToStr(*set.find(u"Lyric"_s)), expectedLyric);
    }

    void publicSetIsTheActiveSongsOwnSet()
    {
        FontState state;
        auto songA = std::make_shared<FontSet>(defaultSet());
        auto songB = std::make_shared<FontSet>(defaultSet());
        state.publicSet = songA;   // song A activated
        state.publicSet = songB;   // then song B
        FontFromStr(*state.publicSet, u"Lyric,Arial,14,0,false,false"_s);
        QCOMPARE(songB->find(u"Lyric"_s)->Name, u"Arial"_s);
        QCOMPARE(songA->find(u"Lyric"_s)->Name, u"Comic Sans MS"_s);
    }

    void activeFontCarriesAllSixMembers()
    {
        Fonts source;
        source.Create(u"Chord"_s, u"Arial"_s, 9, true, true, 255);
        Fonts active;
        source.SetToActive(active);
        Fonts target;
        target.GetFromActive(active);
        QCOMPARE(target, source);
    }

    void applyRoleSetsFontAndColour()
    {
        const FontSet set = defaultSet();
        RecordingSurface surface;
        QVERIFY(ApplyFontRole(surface, set, u"Chord"_s));
        QCOMPARE(surface.font, u"Arial/8/i"_s);
        QCOMPARE(surface.color, 255);
        RecordingSurface untouched;
        QVERIFY(!ApplyFontRole(untouched, set, u"Nothing"_s));
        QCOMPARE(untouched.color, -1);
    }
};

LIRAVOX_TEST_MAIN(FontsTest)
#include "fonts_test.moc"

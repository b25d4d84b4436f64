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

} // namespace

class FontsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

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
        QTest::addRow("blanks around items are trimmed") << u"Lyric , Arial , 11 , 0 , true , false"_s << u"Lyric,Arial,11,0,true,false"_s;
        QTest::addRow("bold True with a capital is false") << u"Lyric,Arial,10,0,True,TRUE"_s << u"Lyric,Arial,10,0,false,false"_s;
        QTest::addRow("role found ignoring case keeps the key as written") << u"lyric,Arial,10,0,false,false"_s << u"lyric,Arial,10,0,false,false"_s;
        QTest::addRow("missing items read as empty") << u"Lyric,Arial"_s << u"Lyric,Arial,0,0,false,false"_s;
        QTest::addRow("a size too large is skipped alone") << u"Lyric,Arial,99999,255,true,false"_s << u"Lyric,Arial,10,255,true,false"_s;
        QTest::addRow("unknown role changes nothing") << u"Verse,Arial,30,0,true,true"_s << u"Lyric,Comic Sans MS,10,0,false,false"_s;
        QTest::addRow("9 is a role, not an index") << u"9,Lyric,Arial"_s << u"Lyric,Comic Sans MS,10,0,false,false"_s;
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

};

LIRAVOX_TEST_MAIN(FontsTest)
#include "fonts_test.moc"

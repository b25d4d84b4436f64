#include "sfntfont.h"

#include "deflate.h"

#include <QHash>

namespace lvx::print::pdf {

namespace {

constexpr quint32 tag(const char (&name)[5])
{
    return quint32(quint8(name[0])) << 24 | quint32(quint8(name[1])) << 16 | quint32(quint8(name[2])) << 8
           | quint8(name[3]);
}

// Characters a PDF name may hold without escapes; a PostScript name rarely
// strays, and a face whose name does not survive gets a plain one.
QByteArray pdfSafeName(const QByteArray& name)
{
    QByteArray safe;
    for (const char c : name) {
        if (c > ' ' && c < 127 && !QByteArrayView("()<>[]{}/%#").contains(c))
            safe.append(c);
    }
    return safe.isEmpty() ? QByteArrayLiteral("Font") : safe.left(63);
}

} // namespace

// Reads the tables of one face and turns them into an SfntFont.
class SfntReader final
{
public:
    SfntReader(const QByteArray& file, int index) : m_bytes(file), m_file(file)
    {
        qsizetype directory = 0;
        m_collection = m_file.u32(0) == tag("ttcf");
        if (m_collection) {
            if (index < 0 || quint32(index) >= m_file.u32(8))
                return;
            directory = m_file.u32(12 + 4 * qsizetype(index));
        }
        m_directory = m_file.part(directory, m_file.size());
        const int count = m_directory.u16(4);
        for (int i = 0; i < count; ++i) {
            const qsizetype record = 12 + 16 * i;
            m_tables.insert(m_directory.u32(record), m_file.part(m_directory.u32(record + 8), m_directory.u32(record + 12)));
        }
    }

    std::shared_ptr<const SfntFont> read()
    {
        const bool cff = m_tables.contains(tag("CFF "));
        if (!cff && !(m_tables.contains(tag("glyf")) && m_tables.contains(tag("loca"))))
            return nullptr;
        const BigEndian head = table("head");
        const BigEndian hhea = table("hhea");
        if (head.size() < 54 || hhea.size() < 36)
            return nullptr;
        auto font = std::shared_ptr<SfntFont>(new SfntFont);
        font->m_outlines = cff ? SfntFont::Outlines::Cff : SfntFont::Outlines::TrueType;
        font->m_program = cff ? table("CFF ").view().toByteArray() : trueTypeProgram();
        readAdvances(*font, hhea);
        font->m_characters = readCharacterMap(table("cmap"), font->glyphCount());
        readMetrics(font->m_metrics, head, hhea);
        font->m_postScriptName = pdfSafeName(postScriptName());
        return font;
    }

private:
    const QByteArray& m_bytes;
    BigEndian m_file;
    BigEndian m_directory;
    bool m_collection = false;
    QHash<quint32, BigEndian> m_tables;

    BigEndian table(const char (&name)[5]) const { return m_tables.value(tag(name)); }

    void readAdvances(SfntFont& font, BigEndian hhea) const
    {
        const BigEndian hmtx = table("hmtx");
        const int glyphs = qMax(1, int(table("maxp").u16(4)));
        const int metrics = qBound(1, int(hhea.u16(34)), glyphs);
        font.m_advances.resize(glyphs);
        // Glyphs past the last full metric share its advance (monospaced tails).
        for (int g = 0; g < glyphs; ++g)
            font.m_advances[g] = hmtx.u16(4 * qsizetype(qMin(g, metrics - 1)));
    }

    // The line height Qt gives the face: the OS/2 typographic metrics when the
    // font asks for them, else its Windows clipping metrics, else hhea.
    void readMetrics(FaceMetrics& metrics, BigEndian head, BigEndian hhea) const
    {
        const BigEndian os2 = table("OS/2");
        const BigEndian post = table("post");
        metrics.unitsPerEm = head.u16(18) >= 16 ? head.u16(18) : 1000;
        metrics.xMin = head.s16(36);
        metrics.yMin = head.s16(38);
        metrics.xMax = head.s16(40);
        metrics.yMax = head.s16(42);
        metrics.bold = (head.u16(44) & 1) != 0;
        metrics.italic = (head.u16(44) & 2) != 0;
        metrics.ascent = hhea.s16(4);
        metrics.descent = -hhea.s16(6);
        enum { UseTypoMetrics = 0x80 };
        if (os2.size() >= 78) {
            const qint16 typoAscent = os2.s16(68);
            const qint16 typoDescent = os2.s16(70);
            if ((os2.u16(62) & UseTypoMetrics) != 0 && (typoAscent != 0 || typoDescent != 0)) {
                metrics.ascent = typoAscent;
                metrics.descent = -typoDescent;
            } else if (os2.u16(74) != 0 || os2.u16(76) != 0) {
                metrics.ascent = os2.u16(74);
                metrics.descent = os2.u16(76);
            }
        }
        if (metrics.ascent + metrics.descent <= 0) {
            metrics.ascent = metrics.unitsPerEm * 4 / 5;
            metrics.descent = metrics.unitsPerEm / 5;
        }
        metrics.capHeight = os2.size() >= 90 && os2.u16(0) >= 2 ? os2.s16(88) : metrics.ascent;
        metrics.italicAngle = post.size() >= 16 ? qint32(post.u32(4)) / 65536.0 : 0;
        metrics.fixedPitch = post.size() >= 16 && post.u32(12) != 0;
    }

    QByteArray postScriptName() const
    {
        const BigEndian names = table("name");
        const int count = names.u16(2);
        const BigEndian strings = names.part(names.u16(4), names.size());
        for (int i = 0; i < count; ++i) {
            const qsizetype record = 6 + 12 * i;
            const quint16 platform = names.u16(record);
            if (names.u16(record + 6) != 6 || (platform != 1 && platform != 3))
                continue;
            const BigEndian text = strings.part(names.u16(record + 10), names.u16(record + 8));
            QByteArray name;
            // Windows names are UTF-16; a PostScript name is ASCII either way.
            for (qsizetype at = platform == 3 ? 1 : 0; at < text.size(); at += platform == 3 ? 2 : 1)
                name.append(char(text.u8(at)));
            if (!name.isEmpty())
                return name;
        }
        return {};
    }

    // A single face file as it stands; a face of a collection gets a file of
    // its own, since PDF readers expect one face per embedded program.
    QByteArray trueTypeProgram() const
    {
        if (!m_collection)
            return m_bytes;
        const int count = m_directory.u16(4);
        int power = 1;
        int log = 0;
        while (power * 2 <= count) {
            power *= 2;
            ++log;
        }
        QByteArray out;
        const auto put16 = [&out](quint32 v) { out.append(char(v >> 8)).append(char(v)); };
        const auto put32 = [&](quint32 v) { put16(v >> 16); put16(v & 0xFFFF); };
        put32(m_directory.u32(0));
        put16(count);
        put16(power * 16);
        put16(log);
        put16(count * 16 - power * 16);
        qsizetype offset = 12 + 16 * count;
        QByteArray body;
        for (int i = 0; i < count; ++i) {
            const qsizetype record = 12 + 16 * i;
            const BigEndian data = m_tables.value(m_directory.u32(record));
            put32(m_directory.u32(record));
            put32(m_directory.u32(record + 4));
            put32(quint32(offset + body.size()));
            put32(quint32(data.size()));
            body.append(data.view());
            body.append((4 - body.size() % 4) % 4, '\0');
        }
        return out + body;
    }
};

std::shared_ptr<const SfntFont> SfntFont::read(const QByteArray& file, int index)
{
    std::shared_ptr<const SfntFont> font = SfntReader(file, index).read();
    if (font != nullptr) {
        auto& writable = const_cast<SfntFont&>(*font);
        writable.m_file = file;
        writable.m_faceIndex = index;
    }
    return font;
}

const QByteArray& SfntFont::deflatedProgram() const
{
    std::call_once(m_deflateOnce, [this] { m_deflated = deflate(m_program, 6); });
    return m_deflated;
}

} // namespace lvx::print::pdf

#include "facelibrary.h"

#include "print/fontsubstitutes.h"

#include <QFile>
#include <QHash>
#include <QMutex>

#include <fontconfig/fontconfig.h>

#include <optional>

namespace lvx::print::pdf {

namespace {

struct FontFile
{
    QByteArray path;
    int index = 0;
};

// The best file for the request; with a character, one that has it is best
// (fontconfig weighs coverage above the family name).
std::optional<FontFile> matchFile(const QString& family, bool bold, bool italic, char32_t character = 0)
{
    const QByteArray name = family.toUtf8();
    FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, name.constData(), FC_WEIGHT, FcTypeInteger,
                                        bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR, FC_SLANT, FcTypeInteger,
                                        italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN, FC_SCALABLE, FcTypeBool, FcTrue,
                                        static_cast<char*>(nullptr));
    if (pattern == nullptr)
        return std::nullopt;
    if (character != 0) {
        FcCharSet* wanted = FcCharSetCreate();
        FcCharSetAddChar(wanted, character);
        FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
        FcCharSetDestroy(wanted);
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        return std::nullopt;
    std::optional<FontFile> found;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        // The high bits name an instance of a variable font; the face is the low ones.
        found = FontFile{QByteArray(reinterpret_cast<const char*>(file)), index & 0xFFFF};
    }
    FcPatternDestroy(match);
    return found;
}

class FaceLibrary final
{
public:
    std::shared_ptr<const SfntFont> find(const QString& family, bool bold, bool italic)
    {
        const QMutexLocker lock(&m_mutex);
        const QString key = requestKey(family, bold, italic);
        const auto known = m_byRequest.constFind(key);
        if (known != m_byRequest.cend())
            return *known;
        std::shared_ptr<const SfntFont> face = load(matchFile(substituteFamily(family), bold, italic));
        // Whatever fontconfig offers for a name may be a bitmap or Type 1 face
        // we cannot embed; any sans face beats no text.
        if (face == nullptr)
            face = load(matchFile(QStringLiteral("sans-serif"), bold, italic));
        m_byRequest.insert(key, face);
        return face;
    }

    std::shared_ptr<const SfntFont> findWith(char32_t character, const QString& family, bool bold, bool italic)
    {
        const QMutexLocker lock(&m_mutex);
        const QString key = requestKey(family, bold, italic) + QString::number(character);
        const auto known = m_byCharacter.constFind(key);
        if (known != m_byCharacter.cend())
            return *known;
        std::shared_ptr<const SfntFont> face = load(matchFile(substituteFamily(family), bold, italic, character));
        // Without any face that has it, fontconfig still answers with something.
        if (face != nullptr && face->glyph(character) == 0)
            face = nullptr;
        m_byCharacter.insert(key, face);
        return face;
    }

private:
    QMutex m_mutex;
    QHash<QString, std::shared_ptr<const SfntFont>> m_byRequest;
    QHash<QString, std::shared_ptr<const SfntFont>> m_byCharacter;
    // Several names end in one file (Arial and MS Sans Serif both in Liberation
    // Sans); reading it once makes it one font in the document too.
    QHash<QByteArray, std::shared_ptr<const SfntFont>> m_byFile;

    static QString requestKey(const QString& family, bool bold, bool italic)
    {
        return family + QChar(bold ? u'B' : u'-') + QChar(italic ? u'I' : u'-');
    }

    std::shared_ptr<const SfntFont> load(const std::optional<FontFile>& file)
    {
        if (!file)
            return nullptr;
        const QByteArray key = file->path + '#' + QByteArray::number(file->index);
        const auto known = m_byFile.constFind(key);
        if (known != m_byFile.cend())
            return *known;
        QFile input(QString::fromLocal8Bit(file->path));
        std::shared_ptr<const SfntFont> face;
        if (input.open(QIODevice::ReadOnly))
            face = SfntFont::read(input.readAll(), file->index);
        m_byFile.insert(key, face);
        return face;
    }
};

FaceLibrary& library()
{
    static FaceLibrary faces;
    return faces;
}

} // namespace

std::shared_ptr<const SfntFont> findFace(const QString& family, bool bold, bool italic)
{
    return library().find(family, bold, italic);
}

std::shared_ptr<const SfntFont> findFaceWith(char32_t character, const QString& family, bool bold, bool italic)
{
    return library().findWith(character, family, bold, italic);
}

} // namespace lvx::print::pdf

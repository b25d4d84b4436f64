#include "fontsubset.h"

#include <QCryptographicHash>

#include <hb-subset.h>

#include <memory>

namespace lvx::print::pdf {

namespace {

struct HbDeleter
{
    void operator()(hb_blob_t* blob) const { hb_blob_destroy(blob); }
    void operator()(hb_face_t* face) const { hb_face_destroy(face); }
    void operator()(hb_subset_input_t* input) const { hb_subset_input_destroy(input); }
};
template<typename T>
using HbPointer = std::unique_ptr<T, HbDeleter>;

// Tables a PDF reader never looks at: text shaping and layout, and signatures
// that no longer match once glyphs are gone.
constexpr hb_tag_t DroppedTables[] = {HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
                                      HB_TAG('B', 'A', 'S', 'E'), HB_TAG('J', 'S', 'T', 'F'), HB_TAG('M', 'A', 'T', 'H'),
                                      HB_TAG('k', 'e', 'r', 'n'), HB_TAG('D', 'S', 'I', 'G'), HB_TAG('m', 'o', 'r', 'x')};

QByteArray blobBytes(hb_blob_t* blob)
{
    unsigned int length = 0;
    const char* data = hb_blob_get_data(blob, &length);
    return QByteArray(data, qsizetype(length));
}

} // namespace

QByteArray subsetProgram(const SfntFont& face, const GlyphText& drawn)
{
    const QByteArray& file = face.file();
    if (file.isEmpty())
        return {};
    HbPointer<hb_blob_t> blob(
        hb_blob_create(file.constData(), unsigned(file.size()), HB_MEMORY_MODE_READONLY, nullptr, nullptr));
    HbPointer<hb_face_t> source(hb_face_create(blob.get(), unsigned(face.faceIndex())));
    HbPointer<hb_subset_input_t> input(hb_subset_input_create_or_fail());
    if (!input)
        return {};
    hb_set_t* glyphs = hb_subset_input_glyph_set(input.get());
    hb_set_add(glyphs, 0);
    for (size_t glyph = 0; glyph < drawn.size(); ++glyph) {
        if (drawn[glyph] != NotDrawn)
            hb_set_add(glyphs, hb_codepoint_t(glyph));
    }
    // Every character would otherwise keep its glyph through the cmap.
    hb_set_clear(hb_subset_input_unicode_set(input.get()));
    hb_set_t* dropped = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const hb_tag_t table : DroppedTables)
        hb_set_add(dropped, table);
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_RETAIN_GIDS);

    HbPointer<hb_face_t> subset(hb_subset_or_fail(source.get(), input.get()));
    if (!subset)
        return {};
    if (face.outlines() == SfntFont::Outlines::Cff) {
        HbPointer<hb_blob_t> cff(hb_face_reference_table(subset.get(), HB_TAG('C', 'F', 'F', ' ')));
        return blobBytes(cff.get());
    }
    HbPointer<hb_blob_t> whole(hb_face_reference_blob(subset.get()));
    return blobBytes(whole.get());
}

QByteArray subsetTag(const GlyphText& drawn)
{
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(drawn.data()), qsizetype(drawn.size() * sizeof(char32_t))),
        QCryptographicHash::Md5);
    QByteArray tag(7, '+');
    for (int i = 0; i < 6; ++i)
        tag[i] = char('A' + quint8(digest[i]) % 26);
    return tag;
}

} // namespace lvx::print::pdf

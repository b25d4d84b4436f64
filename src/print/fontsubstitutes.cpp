#include "fontsubstitutes.h"

#include <array>

namespace lvx::print {

std::span<const FontSubstitute> fontSubstitutes()
{
    static constexpr std::array<FontSubstitute, 5> substitutes{{
        {u"Comic Sans MS", u"Comic Neue"},
        {u"Arial", u"Liberation Sans"},
        {u"Courier New", u"Liberation Mono"},
        {u"MS Sans Serif", u"Liberation Sans"},
        {u"Times New Roman", u"Liberation Serif"},
    }};
    return substitutes;
}

QString substituteFamily(const QString& family)
{
    for (const FontSubstitute& substitute : fontSubstitutes()) {
        if (family.compare(substitute.family, Qt::CaseInsensitive) == 0)
            return substitute.face.toString();
    }
    return family;
}

} // namespace lvx::print

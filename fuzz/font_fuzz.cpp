// Font descriptions as "font" directives and the settings give them: each input
// line is applied to a song's nine roles. Every role must reach a drawing
// surface at a size a page can show, and the descriptions written out and read
// into fresh defaults must come back the same.

#include "fuzzsupport.h"

#include "print/nullsurface.h"

using namespace lvx;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FontSet fonts = fuzz::songFonts();
    for (const QString& line : song::SplitLines(fuzz::fileText(data, size)))
        FontFromStr(fonts, line);

    print::NullSurface surface;
    FontSet reread = fuzz::songFonts();
    for (const Fonts& font : fonts.items()) {
        if (!ApplyFontRole(surface, fonts, font.Source))
            fuzz::fail("A role of the set is not found by its own name", font.Source);
        if (!(surface.FontSize >= SmallestFontSize && surface.FontSize <= LargestFontSize))
            fuzz::fail("A font reaches the page at a size it cannot show", FontToStr(font));
        FontFromStr(reread, FontToStr(font));
    }
    for (qsizetype index = 0; index < fonts.size(); ++index) {
        if (!(reread.items()[index] == fonts.items()[index]))
            fuzz::fail("A font description changed on its way through a song file", FontToStr(fonts.items()[index]),
                       FontToStr(reread.items()[index]));
    }
    return 0;
}

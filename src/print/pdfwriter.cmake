# The PDF writer: pages, embedded fonts and the file structure written
# directly, without QPdfWriter. Faces are found through fontconfig.
find_package(Fontconfig REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LibDeflate REQUIRED IMPORTED_TARGET libdeflate)
# Embedded fonts hold only the glyphs drawn: HarfBuzz cuts them down.
pkg_check_modules(HarfBuzzSubset REQUIRED IMPORTED_TARGET harfbuzz-subset)
set(_pdfwriter ${CMAKE_CURRENT_LIST_DIR}/pdfwriter)
target_sources(liravox_print PRIVATE
    ${_pdfwriter}/bigendian.h
    ${_pdfwriter}/characters.h
    ${_pdfwriter}/cidtables.cpp ${_pdfwriter}/cidtables.h
    ${_pdfwriter}/forms.cpp ${_pdfwriter}/forms.h
    ${_pdfwriter}/deflate.cpp ${_pdfwriter}/deflate.h
    ${_pdfwriter}/documentfont.cpp ${_pdfwriter}/documentfont.h
    ${_pdfwriter}/fontsubset.cpp ${_pdfwriter}/fontsubset.h
    ${_pdfwriter}/facelibrary.cpp ${_pdfwriter}/facelibrary.h
    ${_pdfwriter}/faceset.cpp ${_pdfwriter}/faceset.h
    ${_pdfwriter}/outline.cpp ${_pdfwriter}/outline.h
    ${_pdfwriter}/pagecontent.cpp ${_pdfwriter}/pagecontent.h
    ${_pdfwriter}/pdfdocumentsurface.cpp ${_pdfwriter}/pdfdocumentsurface.h
    ${_pdfwriter}/pdffile.cpp ${_pdfwriter}/pdffile.h
    ${_pdfwriter}/pdfsyntax.cpp ${_pdfwriter}/pdfsyntax.h
    ${_pdfwriter}/sfntcmap.cpp ${_pdfwriter}/sfntcmap.h
    ${_pdfwriter}/sfntfont.cpp ${_pdfwriter}/sfntfont.h
)
target_link_libraries(liravox_print PRIVATE Fontconfig::Fontconfig PkgConfig::HarfBuzzSubset PkgConfig::LibDeflate)

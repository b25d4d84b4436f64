#pragma once

#include <QString>

#include <vector>

namespace lvx::print::pdf {

class PdfFile;

// A bookmark of the document outline: a title and the page (from 0) it opens.
struct Bookmark
{
    QString title;
    int pageIndex = 0;
};

// Writes the bookmarks as a flat outline, each opening its page whole, and
// returns the outline's object number for the catalogue; 0 when there are
// none. pageObjects are the object numbers of the pages in order.
int writeOutline(PdfFile& file, const std::vector<Bookmark>& bookmarks, const std::vector<int>& pageObjects);

} // namespace lvx::print::pdf

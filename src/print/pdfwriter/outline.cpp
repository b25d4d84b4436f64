#include "outline.h"

#include "pdffile.h"
#include "pdfsyntax.h"

#include <algorithm>

namespace lvx::print::pdf {

int writeOutline(PdfFile& file, const std::vector<Bookmark>& bookmarks, const std::vector<int>& pageObjects)
{
    if (bookmarks.empty() || pageObjects.empty())
        return 0;
    const int root = file.reserve();
    std::vector<int> items;
    items.reserve(bookmarks.size());
    for (size_t index = 0; index < bookmarks.size(); ++index)
        items.push_back(file.reserve());

    for (size_t index = 0; index < bookmarks.size(); ++index) {
        const Bookmark& bookmark = bookmarks[index];
        // A bookmark set after the last page was finished still opens the last page.
        const size_t page = std::min(size_t(std::max(bookmark.pageIndex, 0)), pageObjects.size() - 1);
        QByteArray& out = file.beginObject(items[index]);
        out.append("<< /Title ").append(textString(bookmark.title));
        appendReference(out, " /Parent", root);
        if (index > 0)
            appendReference(out, " /Prev", items[index - 1]);
        if (index + 1 < items.size())
            appendReference(out, " /Next", items[index + 1]);
        out.append(" /Dest [");
        appendInteger(out, pageObjects[page]);
        out.append(" 0 R /Fit] >>");
        file.endObject();
    }

    QByteArray& out = file.beginObject(root);
    out.append("<< /Type /Outlines");
    appendReference(out, " /First", items.front());
    appendReference(out, " /Last", items.back());
    out.append(" /Count ");
    appendInteger(out, qint64(items.size()));
    out.append(" >>");
    file.endObject();
    return root;
}

} // namespace lvx::print::pdf

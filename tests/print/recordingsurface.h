#pragma once

#include "print/surface.h"

#include <QStringList>

// A page of fixed size whose text measures are simple sums, so layout can be
// checked to the twip: a character is FontSize x 10 twips wide, a line
// FontSize x 24 twips tall. Every drawing call is kept as one line of text.
class RecordingSurface final : public lvx::print::Surface
{
public:
    explicit RecordingSurface(double width = 12240, double height = 15840) : m_width(width), m_height(height) {}

    QStringList calls;
    int page = 1;

    double ScaleWidth() const override { return m_width; }
    double ScaleHeight() const override { return m_height; }
    double TextWidth(const QString& text) override { return text.size() * FontSize * 10; }
    double TextHeight(const QString&) override { return FontSize * 24; }

    void Line(double x1, double y1, double x2, double y2) override
    {
        calls.append(QStringLiteral("line %1 %2 %3 %4").arg(x1).arg(y1).arg(x2).arg(y2));
    }
    void Circle(double x, double y, double radius, bool filled) override
    {
        calls.append(QStringLiteral("circle %1 %2 %3 %4").arg(x).arg(y).arg(radius).arg(filled ? u"filled" : u"hollow"));
    }
    void FillRect(double x1, double y1, double x2, double y2) override
    {
        calls.append(QStringLiteral("rect %1 %2 %3 %4").arg(x1).arg(y1).arg(x2).arg(y2));
    }
    int Page() const override { return page; }
    void NewPage() override
    {
        ++page;
        calls.append(QStringLiteral("newpage"));
    }
    void Discard() override { calls.append(QStringLiteral("discard")); }
    void addBookmark(const QString& title) override { calls.append(QStringLiteral("bookmark %1 [%2]").arg(page).arg(title)); }
    void setDocumentInfo(const QString& title, const QString& author) override
    {
        calls.append(QStringLiteral("info [%1] [%2]").arg(title, author));
    }
    // A wiped picture keeps no calls.
    void Clear() override { calls.clear(); }

    // The calls that start with a word, e.g. all "text" calls.
    QStringList callsOf(const QString& kind) const
    {
        QStringList found;
        for (const QString& call : calls) {
            if (call.startsWith(kind + u' ') || call == kind)
                found.append(call);
        }
        return found;
    }

protected:
    void drawText(double x, double y, const QString& text) override
    {
        calls.append(QStringLiteral("text %1 %2 %3 [%4]").arg(x).arg(y).arg(FontSize).arg(text));
    }

private:
    double m_width;
    double m_height;
};

// The Fonts page: the song's text roles, each shown in its own font and colour.

#include "desktopcontext.h"
#include "frmoptions.h"
#include "optionspages.h"

#include "editor/ui/songwidgets.h"
#include "song/song.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace lvx {

namespace {

constexpr int SampleHeight = 110;

} // namespace

QWidget* frmOptions::createFontsPage()
{
    auto* page = new QWidget(this);
    cFontSource = new QComboBox(page);
    cFontSource->setObjectName(u"cFontSource"_s);
    cFontSource->setToolTip(u"Text role"_s);
    auto* bChange = new QPushButton(u"Change Font"_s, page);
    bChange->setObjectName(u"bChange"_s);
    auto* bColor = new QPushButton(u"Change Color"_s, page);
    bColor->setObjectName(u"bColor"_s);

    lFontname = new QLabel(page);
    lFontname->setObjectName(u"lFontname"_s);
    lSample = new QLabel(u"Sample Text"_s, page);
    lSample->setObjectName(u"lSample"_s);
    lSample->setAlignment(Qt::AlignCenter);
    lSample->setFrameShape(QFrame::StyledPanel);
    lSample->setMinimumHeight(SampleHeight);
    // The sample stands on paper, whatever the window colours are.
    lSample->setAutoFillBackground(true);
    QPalette paper = lSample->palette();
    paper.setColor(QPalette::Window, Qt::white);
    lSample->setPalette(paper);

    auto* layout = new QGridLayout(page);
    layout->addWidget(cFontSource, 0, 0);
    layout->addWidget(bChange, 0, 1);
    layout->addWidget(bColor, 0, 2);
    layout->addWidget(lFontname, 1, 0, 1, 3);
    layout->addWidget(lSample, 2, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(3, 1);

    connect(cFontSource, &QComboBox::currentIndexChanged, this, &frmOptions::showFont);
    connect(bChange, &QPushButton::clicked, this, &frmOptions::changeFont);
    connect(bColor, &QPushButton::clicked, this, &frmOptions::changeColor);
    return page;
}

// The page edits the set of the song the dialog was opened on, whichever
// window's set the shared public slot holds. The copies go through the active
// font, the one slot descriptions travel by.
void frmOptions::loadFonts()
{
    m_fonts.clear();
    cFontSource->clear();
    Fonts& active = m_desktop.context.fonts.activeFont;
    for (const Fonts& font : m_song.fonts->items()) {
        font.SetToActive(active);
        Fonts copy;
        copy.GetFromActive(active);
        m_fonts.add(copy);
        cFontSource->addItem(copy.Source);
    }
    cFontSource->setCurrentIndex(0);
    showFont();
}

bool frmOptions::applyFonts()
{
    FontSet& songSet = *m_song.fonts;
    Fonts& active = m_desktop.context.fonts.activeFont;
    // Facts that follow the subtitle go on following it, unless changed here.
    const Fonts* facts = songSet.find(u"Metadata"_s);
    const Fonts* subtitle = songSet.find(u"SubTitle"_s);
    const bool followed = facts && subtitle && *facts == metadataFontFor(*subtitle) && m_fonts.find(u"Metadata"_s)
                          && *m_fonts.find(u"Metadata"_s) == *facts;
    if (followed && m_fonts.find(u"SubTitle"_s))
        *m_fonts.find(u"Metadata"_s) = metadataFontFor(*m_fonts.find(u"SubTitle"_s));
    bool changed = false;
    for (const Fonts& copy : m_fonts.items()) {
        Fonts* font = songSet.find(copy.Source);
        if (font == nullptr || *font == copy)
            continue;
        copy.SetToActive(active);
        font->GetFromActive(active);
        changed = true;
    }
    m_song.FontsToPublic();
    return changed;
}

Fonts* frmOptions::selectedFont()
{
    return cFontSource->currentIndex() < 0 ? nullptr : m_fonts.find(cFontSource->currentText());
}

void frmOptions::showFont()
{
    const Fonts* font = selectedFont();
    if (font == nullptr) {
        lFontname->clear();
        return;
    }
    lFontname->setText(options::describeFont(*font));
    lSample->setFont(editor::screenFont(*font));
    QPalette ink = lSample->palette();
    ink.setColor(QPalette::WindowText, editor::screenColor(font->Color));
    lSample->setPalette(ink);
}

void frmOptions::changeFont()
{
    Fonts* font = selectedFont();
    if (font == nullptr)
        return;
    if (const std::optional<QFont> chosen = chooseFont(options::faceShown(*font), this)) {
        options::takeFont(*font, *chosen);
        showFont();
    }
}

void frmOptions::changeColor()
{
    Fonts* font = selectedFont();
    if (font == nullptr)
        return;
    if (const std::optional<QColor> chosen = chooseColor(editor::screenColor(font->Color), this)) {
        font->Color = options::colorValue(*chosen);
        showFont();
    }
}

} // namespace lvx

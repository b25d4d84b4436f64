#include "music/ui/frmpiano.h"

#include "music/ui/pianokeyboard.h"
#include "music/pianosearch.h"

#include "app/desktopcontext.h"
#include "midi/directnotes.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lvx::music {

namespace {

QPushButton* button(const QString& caption, const QString& name, QKeySequence shortcut, QWidget* parent)
{
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(name);
    result->setAutoDefault(false);
    // The captions stay as they are; the shortcut is named in the tip instead.
    result->setShortcut(shortcut);
    result->setToolTip(caption + u" (" + shortcut.toString(QKeySequence::NativeText) + u')');
    return result;
}

} // namespace

frmPiano::frmPiano(DesktopContext& desktop, QWidget* parent) : QWidget(parent, Qt::Tool), m_desktop(desktop)
{
    setObjectName(QStringLiteral("frmPiano"));
    setWindowTitle(QStringLiteral("Piano Chord Search"));

    m_keyboard = new PianoKeyboard(this);
    m_keyboard->setCaptions(m_desktop.app.notation);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(12);
    layout->addWidget(m_keyboard, 0, Qt::AlignHCenter);
    layout->addLayout(createChordRow());
    layout->addLayout(createButtonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_keyboard, &PianoKeyboard::keyClicked, this, &frmPiano::clickKey);
    connect(m_clear, &QPushButton::clicked, this, &frmPiano::clear);
    connect(m_playChord, &QPushButton::clicked, this, &frmPiano::playChord);
    connect(m_close, &QPushButton::clicked, this, &frmPiano::close);
    setTabOrder(m_keyboard, m_playChord);
    setTabOrder(m_playChord, m_clear);
    setTabOrder(m_clear, m_close);
}

frmPiano::~frmPiano() = default;

QLayout* frmPiano::createChordRow()
{
    auto* caption = new QLabel(QStringLiteral("Chord:"), this);
    m_chord = new QLabel(this);
    m_chord->setObjectName(QStringLiteral("lChord"));
    m_chord->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont larger = m_chord->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.5);
    larger.setBold(true);
    m_chord->setFont(larger);
    caption->setFont(larger);
    m_chord->setMinimumWidth(m_chord->fontMetrics().horizontalAdvance(QStringLiteral("Sol#maj7/Sol#")));

    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(caption);
    row->addWidget(m_chord, 1);
    return row;
}

QLayout* frmPiano::createButtonRow()
{
    m_playChord = button(QStringLiteral("Play Chord"), QStringLiteral("bPlayChord"), QKeySequence(Qt::ALT | Qt::Key_P), this);
    m_clear = button(QStringLiteral("Clear"), QStringLiteral("bClear"), QKeySequence(Qt::ALT | Qt::Key_C), this);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("bClose"));
    m_close->setAutoDefault(false);
    m_close->setToolTip(QStringLiteral("Close (Esc)"));

    auto* row = new QHBoxLayout;
    row->addWidget(m_playChord);
    row->addWidget(m_clear);
    row->addStretch();
    row->addWidget(m_close);
    return row;
}

void frmPiano::TeclaInvert(int key)
{
    m_keyboard->setPressed(key, !m_keyboard->isPressed(key));
}

bool frmPiano::isPressed(int key) const
{
    return m_keyboard->isPressed(key);
}

QString frmPiano::chordText() const
{
    return m_chord->text();
}

void frmPiano::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmPiano::clickKey(int key)
{
    TeclaInvert(key);
    midi::playPianoKey(m_desktop.midi, key);
    search();
}

void frmPiano::search()
{
    m_chord->setText(pianoChordCaption(m_desktop.music.chordTypes, m_keyboard->pressedKeys(), m_desktop.app.notation));
}

void frmPiano::playChord()
{
    midi::playPianoKeys(m_desktop.midi, m_keyboard->pressedKeys());
}

void frmPiano::clear()
{
    for (int key = 0; key < PianoSearchKeys; ++key) {
        if (m_keyboard->isPressed(key))
            TeclaInvert(key);
    }
    m_chord->clear();
}

} // namespace lvx::music

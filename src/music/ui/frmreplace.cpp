#include "music/ui/frmreplace.h"

#include "app/desktopcontext.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lvx::music {

frmReplace::frmReplace(DesktopContext& desktop, QWidget* parent) : QDialog(parent), m_desktop(desktop)
{
    setObjectName(QStringLiteral("frmReplace"));
    setWindowTitle(QStringLiteral("Replace Chords"));
    setModal(true);

    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("Chord1"));
    m_replacement = new QLineEdit(this);
    m_replacement->setObjectName(QStringLiteral("Chord2"));

    auto* fields = new QFormLayout;
    fields->setSpacing(10);
    fields->addRow(QStringLiteral("Replace Chord:"), m_find);
    fields->addRow(QStringLiteral("With Chord:"), m_replacement);

    m_replace = new QPushButton(QStringLiteral("Replace"), this);
    m_replace->setObjectName(QStringLiteral("bReplace"));
    m_replace->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("bCancel"));
    m_cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_replace);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    connect(m_replace, &QPushButton::clicked, this, &frmReplace::replaceChords);
    connect(m_cancel, &QPushButton::clicked, this, &frmReplace::reject);
}

frmReplace::~frmReplace() = default;

// The texts go as typed: the song window compares them with the chords as it
// shows them and converts a solfege replacement itself.
void frmReplace::replaceChords()
{
    QWidget* song = m_desktop.activeChild();
    if (song == nullptr)
        return;
    QMetaObject::invokeMethod(song, "ReplaceChords", Q_ARG(QString, m_find->text()),
                              Q_ARG(QString, m_replacement->text()));
    accept();
    QMetaObject::invokeMethod(song, "PaintPage");
}

} // namespace lvx::music

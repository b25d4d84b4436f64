#include "music/ui/frmtranspose.h"

#include "app/desktopcontext.h"
#include "music/keys.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace lvx::music {

namespace {

constexpr int LargestShift = 12;
const QString WarningText = QStringLiteral(
    "Transpose only modify the chords between parentesis ([]) or vertical bars (|). Chords in comments, define "
    "directives or tab areas are not considered.");

} // namespace

frmTranspose::frmTranspose(DesktopContext& desktop, QWidget* parent) : QDialog(parent), m_desktop(desktop)
{
    setObjectName(QStringLiteral("frmTranspose"));
    setWindowTitle(QStringLiteral("Transpose Song"));
    setModal(true);

    // A vertical bar's upper arrow lowers its value, and the shift shown is the
    // value negated: the upper arrow transposes up.
    m_upDown = new QScrollBar(Qt::Vertical, this);
    m_upDown->setObjectName(QStringLiteral("UpDown1"));
    m_upDown->setRange(-LargestShift, LargestShift);
    m_upDown->setValue(0);
    m_upDown->setPageStep(1);
    m_upDown->setFixedSize(18, 60);

    m_shown = new QLabel(this);
    m_shown->setObjectName(QStringLiteral("tTranspose"));
    QFont larger = m_shown->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.3);
    larger.setBold(true);
    m_shown->setFont(larger);
    m_shown->setMinimumWidth(m_shown->fontMetrics().horizontalAdvance(QStringLiteral("Transpose -12")) + 8);

    auto* warningTitle = new QLabel(QStringLiteral("Warning"), this);
    QFont bold = warningTitle->font();
    bold.setBold(true);
    warningTitle->setFont(bold);
    auto* warning = new QLabel(WarningText, this);
    warning->setWordWrap(true);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("bOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("bCancel"));
    m_cancel->setAutoDefault(false);

    auto* shiftRow = new QHBoxLayout;
    shiftRow->setSpacing(12);
    shiftRow->addWidget(m_upDown);
    shiftRow->addWidget(m_shown);
    shiftRow->addStretch();

    // The key the song says it is in, asked of the window by name like the rest.
    if (QWidget* song = m_desktop.activeChild())
        QMetaObject::invokeMethod(song, "SongKey", Q_RETURN_ARG(QString, m_songKey));
    QHBoxLayout* keyRow = nullptr;
    if (ParseKey(m_songKey)) {
        m_toKey = new QComboBox(this);
        m_toKey->setObjectName(QStringLiteral("cToKey"));
        m_toKey->addItem(QString());
        for (const KeyRow& row : KeyTable)
            m_toKey->addItem(row.name.toString());
        auto* label = new QLabel(QStringLiteral("To key:"), this);
        label->setBuddy(m_toKey);
        keyRow = new QHBoxLayout;
        keyRow->addWidget(label);
        keyRow->addWidget(m_toKey);
        keyRow->addWidget(new QLabel(u"(from " + m_songKey + u')', this));
        keyRow->addStretch();
        connect(m_toKey, &QComboBox::currentIndexChanged, this, &frmTranspose::keyChosen);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addLayout(shiftRow);
    if (keyRow != nullptr)
        layout->addLayout(keyRow);
    layout->addWidget(warningTitle);
    layout->addWidget(warning);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(m_upDown, &QScrollBar::valueChanged, this, &frmTranspose::showShift);
    connect(m_ok, &QPushButton::clicked, this, &frmTranspose::transposeSong);
    connect(m_cancel, &QPushButton::clicked, this, &frmTranspose::reject);
    showShift();
    m_upDown->setFocus();
}

frmTranspose::~frmTranspose() = default;

int frmTranspose::shift() const
{
    return -m_upDown->value();
}

QString frmTranspose::targetKey() const
{
    return m_toKey != nullptr ? m_toKey->currentText() : QString();
}

void frmTranspose::showShift()
{
    m_shown->setText(u"Transpose " + QString::number(shift()));
    // A shift set by hand is a shift by semitones.
    if (m_toKey != nullptr && sender() == m_upDown) {
        const QSignalBlocker blocked(m_toKey);
        m_toKey->setCurrentIndex(0);
    }
}

// A key shows as the shift it makes, the nearer way round.
void frmTranspose::keyChosen()
{
    const std::optional<MusicalKey> from = ParseKey(m_songKey);
    const std::optional<MusicalKey> to = ParseKey(targetKey());
    if (!from || !to)
        return;
    int semitones = SemitonesToKey(*from, *to) % 12;
    if (semitones > 6)
        semitones -= 12;
    const QSignalBlocker blocked(m_upDown);
    m_upDown->setValue(-semitones);
    showShift();
}

// The song window is reached by name: it is the main window's active child,
// whatever its class.
void frmTranspose::transposeSong()
{
    QWidget* song = m_desktop.activeChild();
    if (song == nullptr)
        return;
    if (const QString key = targetKey(); !key.isEmpty())
        QMetaObject::invokeMethod(song, "TransposeToKey", Q_ARG(QString, key));
    else
        QMetaObject::invokeMethod(song, "Transpose", Q_ARG(int, shift()));
    accept();
    QMetaObject::invokeMethod(song, "PaintPage");
}

} // namespace lvx::music

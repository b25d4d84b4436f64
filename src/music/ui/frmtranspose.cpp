#include "music/ui/frmtranspose.h"

#include "app/desktopcontext.h"

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

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addLayout(shiftRow);
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

void frmTranspose::showShift()
{
    m_shown->setText(u"Transpose " + QString::number(shift()));
}

// The song window is reached by name: it is the main window's active child,
// whatever its class.
void frmTranspose::transposeSong()
{
    QWidget* song = m_desktop.activeChild();
    if (song == nullptr)
        return;
    QMetaObject::invokeMethod(song, "Transpose", Q_ARG(int, shift()));
    accept();
    QMetaObject::invokeMethod(song, "PaintPage");
}

} // namespace lvx::music

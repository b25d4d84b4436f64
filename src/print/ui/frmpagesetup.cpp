#include "print/ui/frmpagesetup.h"

#include "print/pagemargins.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "base/settings.h"
#include "song/song.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lvx::print {

frmPageSetup::frmPageSetup(DesktopContext& desktop, song::Song& song, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_song(song)
{
    setObjectName(u"frmPageSetup"_s);
    setWindowTitle(u"Page Setup"_s);
    setModal(true);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u"TabStrip1"_s);
    m_tabs->addTab(createMarginsPage(), u"&Margins"_s);
    m_tabs->addTab(createPrinterPage(), u"&Page"_s);
    // Ctrl+Tab and Ctrl+Shift+Tab step through the tabs from anywhere in the
    // dialog, the buttons below the tabs included.
    const auto step = [this](int by) {
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + by + m_tabs->count()) % m_tabs->count());
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
            [step] { step(1); });
    // One sequence only: Qt also matches the Backtab that X11 sends against it.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), this), &QShortcut::activated, this,
            [step] { step(-1); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
    ok->setObjectName(u"bOK"_s);
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(u"Cancel"_s, QDialogButtonBox::RejectRole);
    cancel->setObjectName(u"bCancel"_s);
    QPushButton* applyButton = buttons->addButton(u"Apply"_s, QDialogButtonBox::ApplyRole);
    applyButton->setObjectName(u"bApply"_s);
    connect(ok, &QPushButton::clicked, this, [this] {
        apply();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &frmPageSetup::reject);
    connect(applyButton, &QPushButton::clicked, this, &frmPageSetup::apply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    load();
    m_margins[Left]->setFocus();
}

frmPageSetup::~frmPageSetup() = default;

QWidget* frmPageSetup::createMarginsPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    form->setLabelAlignment(Qt::AlignRight);
    const std::array<QString, 4> names{u"tLeft"_s, u"tRight"_s, u"tTop"_s, u"tBottom"_s};
    const std::array<QString, 4> labels{u"Left:"_s, u"Right:"_s, u"Top:"_s, u"Botton:"_s};
    for (std::size_t index = 0; index < m_margins.size(); ++index) {
        auto* box = new QLineEdit(page);
        box->setObjectName(names[index]);
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(u"00000.00 inch."_s) + 16);
        // The check runs as the box is left, as the user expects from a form.
        connect(box, &QLineEdit::editingFinished, this, [this, box] { checkMargin(box); });
        form->addRow(labels[index], box);
        m_margins[index] = box;
    }
    return page;
}

QWidget* frmPageSetup::createPrinterPage()
{
    auto* page = new QWidget(this);
    auto* orientation = new QGroupBox(u"Orientation"_s, page);
    orientation->setObjectName(u"fOrientation"_s);
    m_portrait = new QRadioButton(u"Portrait"_s, orientation);
    m_portrait->setObjectName(u"oPortrait"_s);
    m_landscape = new QRadioButton(u"Landscape"_s, orientation);
    m_landscape->setObjectName(u"oLandscape"_s);
    auto* choices = new QVBoxLayout(orientation);
    choices->addWidget(m_portrait);
    choices->addWidget(m_landscape);

    m_color = new QCheckBox(u"Color Printing"_s, page);
    m_color->setObjectName(u"chkColor"_s);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(orientation);
    layout->addWidget(m_color);
    layout->addStretch();
    return page;
}

void frmPageSetup::load()
{
    const std::array<qint16, 4> margins{m_song.MargenL, m_song.MargenR, m_song.MargenT, m_song.MargenB};
    for (std::size_t index = 0; index < m_margins.size(); ++index) {
        m_loaded[index] = formatMargin(margins[index]);
        m_margins[index]->setText(m_loaded[index]);
    }
    (m_song.PrintOrientation == 1 ? m_portrait : m_landscape)->setChecked(true);
    m_color->setChecked(m_desktop.app.colorPrinting);
}

void frmPageSetup::checkMargin(QLineEdit* box)
{
    const qint16 twips = marginTwips(box->text());
    if (marginInRange(twips))
        box->setText(formatMargin(twips));
    else
        m_desktop.messages.inform(u"Invalid Value"_s);
}

void frmPageSetup::apply()
{
    std::array<qint16*, 4> margins{&m_song.MargenL, &m_song.MargenR, &m_song.MargenT, &m_song.MargenB};
    const qint16 orientation = m_portrait->isChecked() ? 1 : 2;
    bool changed = orientation != m_song.PrintOrientation;
    for (std::size_t index = 0; index < margins.size(); ++index) {
        const QString text = m_margins[index]->text();
        const qint16 twips = text == m_loaded[index] ? *margins[index] : marginTwips(text);
        changed = changed || twips != *margins[index];
        *margins[index] = twips;
    }
    m_song.PrintOrientation = orientation;
    for (std::size_t index = 0; index < margins.size(); ++index)
        m_loaded[index] = m_margins[index]->text();
    // Margins and orientation are saved with the song: a change is a change to keep.
    if (changed)
        m_song.Modificada = true;
    if (m_desktop.printer)
        m_desktop.printer->setPageOrientation(orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
    m_desktop.app.colorPrinting = m_color->isChecked();
    SaveSettingFlag(u"Printer"_s, u"ColorPrintingFlag"_s, m_color->isChecked());
}

} // namespace lvx::print

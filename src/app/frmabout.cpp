#include "frmabout.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lvx {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"About Liravox"_s);
    auto* logo = new QLabel(this);
    logo->setPixmap(QIcon(u":/icons/liravox.svg"_s).pixmap(QSize(64, 64)));
    auto* version = new QLabel(u" Liravox   version "_s + u"3.51"_s, this);
    version->setObjectName(u"lVersion"_s);
    QFont big = version->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    version->setFont(big);
    auto* text = new QLabel(u"A song editor for ChordPro files: chords over their syllables, "
                            "transposition, chord diagrams for guitar and piano, printing and songbooks."_s,
                            this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* words = new QVBoxLayout;
    words->addWidget(version);
    words->addWidget(text);
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(words, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

} // namespace lvx

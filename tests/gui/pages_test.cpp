#include "pagesfixture.h"
#include "widgetsmain.h"
#include "controls.h"

#include "base/settings.h"
#include "print/ui/frmpagesetup.h"
#include "print/ui/frmpreview.h"
#include "print/ui/frmprintpreview.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

using namespace lvx;
using namespace lvx::print;
using namespace Qt::StringLiterals;

namespace {

using lvx::test::control;

// Types into a margin box and leaves it.
void typeMargin(QWidget& dialog, const QString& box, const QString& text)
{
    auto* edit = control<QLineEdit>(dialog, box);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    Q_EMIT edit->editingFinished();
}

bool hasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
        }
    }
    return false;
}

} // namespace

class PagesTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void pageSetupShowsTheSongInInches()
    {
        PagesFixture f;
        f.song.MargenL = 1440;
        f.song.MargenB = 720;
        f.song.PrintOrientation = 2;
        f.desktop.app.colorPrinting = true;
        frmPageSetup dialog(f.desktop, f.song);
        QCOMPARE(dialog.windowTitle(), u"Page Setup"_s);
        QCOMPARE(control<QLineEdit>(dialog, u"tLeft"_s)->text(), u"1.00 inch."_s);
        QCOMPARE(control<QLineEdit>(dialog, u"tBottom"_s)->text(), u"0.50 inch."_s);
        QVERIFY(control<QRadioButton>(dialog, u"oLandscape"_s)->isChecked());
        QVERIFY(control<QCheckBox>(dialog, u"chkColor"_s)->isChecked());
        dialog.show();
        saveShot(dialog, u"pagesetup-margins"_s);
        // Ctrl+Tab and Ctrl+Shift+Tab turn the tabs, also from the buttons below them.
        QApplication::setActiveWindow(&dialog);
        control<QPushButton>(dialog, u"bOK"_s)->setFocus();
        auto* tabs = control<QTabWidget>(dialog, u"TabStrip1"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        saveShot(dialog, u"pagesetup-page"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tabs->currentIndex(), 0);
    }

    void leavingAMarginBoxChecksTheRange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("refused");
        QTest::addRow("comma decimal rewritten in inches") << u"0,5"_s << u"0.50 inch."_s << false;
        QTest::addRow("a quarter inch is refused, text kept") << u"0.25"_s << u"0.25"_s << true;
    }
    void leavingAMarginBoxChecksTheRange()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, refused);
        PagesFixture f;
        frmPageSetup dialog(f.desktop, f.song);
        typeMargin(dialog, u"tTop"_s, typed);
        QCOMPARE(control<QLineEdit>(dialog, u"tTop"_s)->text(), shown);
        QCOMPARE(f.messages.texts(), refused ? QStringList{u"Invalid Value"_s} : QStringList());
    }

    void applyWritesEveryBoxToTheSong_data()
    {
        // Boxes left untouched keep their exact twips, not the rounded inches shown.
        QTest::addColumn<QStringList>("typed");   // left, right, top, bottom; empty: untouched
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("bottom");
        QTest::addRow("left, right and top typed")
            << QStringList{u"1,5"_s, u"0.75"_s, u"2 inch."_s, QString()} << 2160 << 1080 << 2880 << 1000;
        QTest::addRow("an out-of-range bottom is still applied")
            << QStringList{QString(), QString(), QString(), u"0.1"_s} << 800 << 600 << 1000 << 144;
    }
    void applyWritesEveryBoxToTheSong()
    {
        QFETCH(QStringList, typed);
        PagesFixture f;
        f.song.MargenL = 800;
        f.song.MargenR = 600;
        f.song.MargenT = 1000;
        f.song.MargenB = 1000;
        frmPageSetup dialog(f.desktop, f.song);
        const QStringList boxes{u"tLeft"_s, u"tRight"_s, u"tTop"_s, u"tBottom"_s};
        for (qsizetype index = 0; index < boxes.size(); ++index) {
            if (!typed.at(index).isEmpty())
                typeMargin(dialog, boxes.at(index), typed.at(index));
        }
        control<QPushButton>(dialog, u"bApply"_s)->click();
        QTEST(int(f.song.MargenL), "left");
        QTEST(int(f.song.MargenR), "right");
        QTEST(int(f.song.MargenT), "top");
        QTEST(int(f.song.MargenB), "bottom");
        QVERIFY(f.song.Modificada);
    }

    void okAppliesOrientationAndColourCancelKeepsThem()
    {
        PagesFixture f;
        {
            frmPageSetup dialog(f.desktop, f.song);
            control<QRadioButton>(dialog, u"oLandscape"_s)->setChecked(true);
            control<QCheckBox>(dialog, u"chkColor"_s)->setChecked(true);
            control<QPushButton>(dialog, u"bCancel"_s)->click();
        }
        QCOMPARE(int(f.song.PrintOrientation), 1);
        QVERIFY(!f.desktop.app.colorPrinting);
        QVERIFY(!f.song.Modificada);

        frmPageSetup dialog(f.desktop, f.song);
        control<QRadioButton>(dialog, u"oLandscape"_s)->setChecked(true);
        control<QCheckBox>(dialog, u"chkColor"_s)->setChecked(true);
        control<QPushButton>(dialog, u"bOK"_s)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(f.song.PrintOrientation), 2);
        QVERIFY(f.desktop.app.colorPrinting);
        QCOMPARE(GetSetting(u"Printer"_s, u"ColorPrintingFlag"_s, u""_s), u"true"_s);
    }

    void printPreviewPagesStopAtBothEnds()
    {
        PagesFixture f(longSong(150));
        frmPrintPreview preview(f.desktop, f.song);
        QCOMPARE(preview.windowTitle(), u"Print Preview"_s);
        QCOMPARE(preview.PreviewPage(), 1);
        QVERIFY(hasInk(preview.picture()));
        control<QPushButton>(preview, u"bPgUp"_s)->click();
        QCOMPARE(preview.PreviewPage(), 1);

        int pages = 1;
        while (!preview.isLastPage() && pages < 50) {
            preview.PageDown();
            QCOMPARE(preview.PreviewPage(), ++pages);
        }
        QVERIFY(pages > 2);
        preview.PageDown();
        QCOMPARE(preview.PreviewPage(), pages);
        QVERIFY(!control<QPushButton>(preview, u"bPgDown"_s)->isEnabled());

        preview.PageUp();
        QCOMPARE(preview.PreviewPage(), pages - 1);
        QVERIFY(!preview.isLastPage());
        control<QPushButton>(preview, u"bHome"_s)->click();
        QCOMPARE(preview.PreviewPage(), 1);

        // The preview shows the pages the printer gets.
        preview.setChoosePrinter(f.toPdf(u"song.pdf"_s));
        control<QPushButton>(preview, u"bPrint"_s)->click();
        QCOMPARE(pdfPages(f.path(u"song.pdf"_s)), pages);
    }

    void clickZoomsInAroundThePointAndBack()
    {
        PagesFixture f(longSong(40));
        frmPrintPreview preview(f.desktop, f.song);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        auto* area = control<QWidget>(preview, u"Area"_s);
        auto* border = control<QScrollArea>(preview, u"Borde"_s);
        const QSize fitted = area->size();
        QCOMPARE(preview.scale().ScaleNum(), 1);
        QCOMPARE(border->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        saveShot(preview, u"printpreview-fitted"_s);

        const QPoint clicked(fitted.width() * 3 / 4, fitted.height() / 2);
        const QPoint onScreen = area->mapTo(border->viewport(), clicked);
        QTest::mouseClick(area, Qt::LeftButton, {}, clicked);
        QCOMPARE(preview.scale().ScaleNum(), 2);
        QCOMPARE(area->size(), fitted * 2);
        QCOMPARE(preview.picture().size(), fitted * 2);
        QCOMPARE(border->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(preview.PreviewPage(), 1);
        // The clicked spot of the page is still under the pointer, as far as
        // the scroll range allows.
        const QPoint spot = area->mapTo(border->viewport(), clicked * 2);
        QVERIFY2(qAbs(spot.y() - onScreen.y()) <= 2, qPrintable(u"moved to %1"_s.arg(spot.y())));
        QVERIFY(border->verticalScrollBar()->value() > 0);
        saveShot(preview, u"printpreview-zoomed"_s);

        QTest::mouseClick(area, Qt::LeftButton, {}, clicked * 2);
        QCOMPARE(preview.scale().ScaleNum(), 1);
        QCOMPARE(area->size(), fitted);
        QCOMPARE(border->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void fullScreenPreviewScrollsByMarkupLines()
    {
        PagesFixture f(longSong(60));
        frmPreview preview(f.desktop, f.song);
        QCOMPARE(preview.windowTitle(), u"Preview"_s);
        QVERIFY(preview.MarkupLines().size() > 60);
        auto* scroll = control<QScrollBar>(preview, u"VS"_s);
        QCOMPARE(scroll->maximum(), int(preview.MarkupLines().size()) - 1);
        QCOMPARE(preview.firstLine(), 0);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.firstLine(), scroll->pageStep());
        QTest::keyClick(&preview, Qt::Key_End);
        QCOMPARE(preview.firstLine(), scroll->maximum());
        QVERIFY(!control<QPushButton>(preview, u"bChords"_s)->isEnabled());
        // Painting the last lines alone must not trip over an open section.
        preview.resize(600, 400);
        QVERIFY(!preview.grab().isNull());
        scroll->setValue(0);
        preview.resize(900, 600);
        saveShot(preview, u"preview"_s);

        preview.setChoosePrinter(f.toPdf(u"preview.pdf"_s));
        control<QPushButton>(preview, u"bPrint"_s)->click();
        QVERIFY(pdfPages(f.path(u"preview.pdf"_s)) >= 2);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(PagesTest)

#include "pages_test.moc"

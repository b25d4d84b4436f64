// liravox_editor_bench [SONG]: how long the song window takes to lay out a song
// and to take a keystroke into its line records, and to select, copy and paste
// the 1,500 lines of a long song. SONG defaults to the 60000-byte maximal song
// of the benchmark corpus (/tmp/liravox-bench/max/max_song.cho).
// Runs under the offscreen platform with a throw-away settings and program folder.

#include "app/desktopcontext.h"
#include "app/frmmain.h"
#include "base/messages.h"
#include "editor/ui/frmsong.h"
#include "editor/ui/songwidgets.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Summary
{
    double median = 0;
    double p95 = 0;
    double max = 0;
};

Summary summarise(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 95 / 100], times.back()};
}

void report(const char* name, const Summary& s, int runs)
{
    std::printf("%-44s %8.3f ms median  %8.3f ms p95  %8.3f ms max  (%d runs)\n", name, s.median, s.p95, s.max, runs);
}

template<typename Work>
Summary timeRuns(int runs, Work work)
{
    std::vector<double> times;
    times.reserve(runs);
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        work(i);
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return summarise(times);
}

void key(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// The whole of a 1,500-line song selected with Ctrl+Shift+End from its start,
// copied, and pasted at its end; Undo takes the paste back for the next run.
void selectCopyPaste(lvx::frmMain& main, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (int i = 1; i <= 1500; ++i)
        file.write("[C]line " + QByteArray::number(i) + " of the [G]song\n");
    file.close();
    main.openSong(path);
    lvx::editor::frmSong* window = main.activeSong();
    window->parentWidget()->showMaximized();
    QApplication::processEvents();
    const int runs = 30;
    std::vector<double> select, copy, paste, undo;
    QElapsedTimer clock;
    const auto timed = [&clock](std::vector<double>& times, int k, Qt::KeyboardModifiers modifiers) {
        clock.start();
        key(k, modifiers);
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    };
    for (int i = 0; i < runs; ++i) {
        key(Qt::Key_Home, Qt::ControlModifier);
        timed(select, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        timed(copy, Qt::Key_C, Qt::ControlModifier);
        key(Qt::Key_End, Qt::ControlModifier);
        timed(paste, Qt::Key_V, Qt::ControlModifier);
        timed(undo, Qt::Key_Z, Qt::ControlModifier);
    }
    std::printf("long.cho: %lld lines after the last undo\n", window->song().lines.size());
    report("select 1,500 lines (Ctrl+Shift+End)", summarise(select), runs);
    report("copy 1,500 lines (Ctrl+C)", summarise(copy), runs);
    report("paste 1,500 lines (Ctrl+V)", summarise(paste), runs);
    report("undo the paste (Ctrl+Z)", summarise(undo), runs);
    window->song().Modificada = false;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir scratch;
    qputenv("LIRAVOX_HOME", QFile::encodeName(scratch.filePath(u"home"_s)));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath(u"config"_s)));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString song = arguments.size() > 1 ? arguments.at(1) : u"/tmp/liravox-bench/max/max_song.cho"_s;
    if (!QFileInfo(song).isFile()) {
        std::fprintf(stderr, "No song at %s\n", qPrintable(song));
        return 1;
    }

    lvx::RecordingMessages messages;
    lvx::DesktopContext desktop(messages);
    lvx::frmMain main(desktop);
    // A full-HD-like desktop: the view shows as many lines as fit.
    main.resize(1600, 1000);
    main.show();
    main.Form_Load();
    main.openSong(song);
    lvx::editor::frmSong* window = main.activeSong();
    window->parentWidget()->showMaximized();
    QApplication::processEvents();
    std::printf("%s: %lld bytes, %lld lines, window %dx%d px, %d lines shown\n", qPrintable(QFileInfo(song).fileName()),
                QFileInfo(song).size(), window->song().lines.size(), window->width(), window->height(),
                window->LastShownLine() - window->TopLine() + 1);

    const int runs = 300;
    report("PaintPage, first screen", timeRuns(runs, [&](int) { window->PaintPage(); }), runs);
    const int middle = int(window->song().lines.size() / 2);
    window->song().TopLine = middle;
    report("PaintPage, scrolled to the middle", timeRuns(runs, [&](int) { window->PaintPage(); }), runs);
    window->song().TopLine = int(window->song().lines.size()) - 5;
    report("PaintPage, scrolled to the end", timeRuns(runs, [&](int) { window->PaintPage(); }), runs);
    // Every paint shows other lines: every box and label gets new text.
    const int lines = int(window->song().lines.size());
    report("PaintPage, scrolling one line per paint", timeRuns(runs, [&](int i) {
               window->song().TopLine = 1 + (i * 7) % (lines - 100);
               window->PaintPage();
           }), runs);
    window->song().TopLine = 1;
    window->PaintPage();

    auto* box = window->findChild<lvx::editor::SongBox*>(u"T3"_s);
    box->setFocus();
    box->setCursorPosition(1);
    QApplication::processEvents();
    const int line = box->tag.toInt() - 1;
    // Each key turns typing into deleting or back: every one is an undo step of its own.
    const Summary typing = timeRuns(runs, [&](int i) {
        QTest::keyClick(box, i % 2 ? Qt::Key_Backspace : Qt::Key_X);
    });
    report("keystroke to line record (x, BackSpace)", typing, runs);
    // A word typed, then taken back: the keys after the first go with its undo step.
    const Summary word = timeRuns(runs, [&](int i) {
        QTest::keyClick(box, i < runs / 2 ? Qt::Key_X : Qt::Key_Backspace);
    });
    report("keystroke to line record (a run of keys)", word, runs);
    std::printf("line record after the keys: %s\n", qPrintable(window->song().lines.at(line).text.left(40)));
    window->song().Modificada = false;
    selectCopyPaste(main, scratch.filePath(u"long.cho"_s));
    return 0;
}

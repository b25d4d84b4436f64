#pragma once

#include <QDialog>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QToolBar;

namespace lvx {
class DesktopContext;
}

namespace lvx::song {

class Song;

// The song as ChordPro source text in one box, with directive insertion and the
// conversions for text written in other layouts. Editing happens on a copy;
// Close reads the text back into the song, Cancel forgets it.
class frmNotePad final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmNotePad)

public:
    // Edits the song's source text; Accept reads the text back into the song
    // (and marks it modified), Cancel leaves it untouched.
    frmNotePad(DesktopContext& desktop, Song& song, QWidget* parent = nullptr);

    // Escape and the close box: with the text changed, asks whether it goes
    // into the song first (Cancel keeps the editor open).
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Command = void (frmNotePad::*)();

    // frmnotepad.cpp: the window
    void createTextBox();
    QMenuBar* createMenuBar();
    QMenu* createEditMenu();
    QMenu* createFormatMenu();
    QMenu* createConvertMenu();
    QMenu* createDirectiveMenu();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& caption, Command command);
    QToolBar* createToolBar();
    void addButton(QToolBar* bar, const QString& name, const QString& caption, const QString& action,
                   const QString& toolTip = {});
    QLayout* createCloseButtons();
    void load();
    void apply();

    // frmnotepadcommands.cpp: what the menus and buttons do
    void undoCommand();
    void redoCommand();
    void cutCommand();
    void copyCommand();
    void pasteCommand();
    void deleteCommand();
    void filterCommand();
    void indentRightCommand();
    void indentLeftCommand();
    void lfToCrLfCommand();
    void doToCCommand();
    void mergeCommand();
    void selectAllCommand();
    void titleCommand();
    void subTitleCommand();
    void commentCommand();
    void commentItalicCommand();
    void startOfTabCommand();
    void endOfTabCommand();
    void startOfChorusCommand();
    void endOfChorusCommand();
    void startOfBridgeCommand();
    void endOfBridgeCommand();
    void newPageCommand();

    QString boxText() const;
    QString selectedText() const;
    // The whole text replaced as one step the box can undo.
    void replaceAll(const QString& text);
    void replaceSelection(const QString& text, bool selectResult = false);
    void convertSelection(QString (*convert)(const QString&), bool selectResult);
    void wrapSelection(QStringView directive);
    void insertDirectiveLine(QStringView directive);

    DesktopContext& m_desktop;
    Song& m_song;
    QPlainTextEdit* m_text = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QString m_loaded;   // the text as the song gave it, to tell whether anything changed
};

} // namespace lvx::song

#pragma once

#include <QLineEdit>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QToolButton;

namespace lvx::editor {

// The song window's search bar, at its foot: the words to find, Next and
// Previous, whether to look for chord names, and what the last search found.
// The keys stay in the words: Return finds the next match, Shift+Return the
// one before, Escape closes the bar; the buttons never take the focus.
class FindBar final : public QWidget
{
    Q_OBJECT

public:
    explicit FindBar(QWidget* parent);
    Q_DISABLE_COPY_MOVE(FindBar)

    QString text() const;
    void setText(const QString& text);
    bool chords() const;
    // The keys to the words, all of them selected for typing over.
    void focusText();
    // Whether the keys are in the bar.
    bool hasKeys() const;
    // An Edit menu command on the words, while the keys are in the bar; false
    // when they are not, and the command is the song's.
    template <class Command>
    bool edit(Command command)
    {
        if (!hasKeys())
            return false;
        std::invoke(command, *tFind);
        return true;
    }

    // What the last search came to: empty, "Searched from the top"..., or
    // nothing found, said in red.
    void showStatus(const QString& status);
    void showNotFound();

Q_SIGNALS:
    void searchChanged();   // the words or the Chords choice
    void next();
    void previous();
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* tFind = nullptr;
    QCheckBox* chkChords = nullptr;
    QLabel* lFindStatus = nullptr;
    QToolButton* addButton(const QString& name, const QString& caption, const QString& tooltip);
};

} // namespace lvx::editor

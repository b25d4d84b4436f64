#include "songquestions.h"

#include "song.h"

namespace lvx::song {

QString songFileFilter()
{
    return QStringLiteral("ChordPro Files (*.lvx;*.pro;*.cho;*.chopro)|*.lvx;*.pro;*.cho;*.chopro|"
                          "Crd Files (*.crd)|*.crd|Tab Files (*.tab)|*.tab|All Files (*.*)|*.*");
}

bool askConvertToChordPro(Song& song)
{
    if (song.chordPro)
        return false;
    song.chordPro = true;
    const Answer answer = song.context().messages.ask(
        QStringLiteral("The file you are opening is not ChordPro type.\n"
                       "Do you prefer to use the Text to ChordPro convert tools?"),
        QStringLiteral("Warning"), Buttons::YesNo);
    return answer == Answer::Yes;
}

CloseDecision queryUnload(Song& song, const QString& mainCaption)
{
    SongContext& context = song.context();
    if (context.app.PlayingCount >= 1)
        return CloseDecision::Refuse;
    if (!song.Modificada)
        return CloseDecision::Close;
    const Answer answer = context.messages.ask(
        u"The text in [" + song.caption + u"] has changed.\nDo you want to save the changes?", mainCaption,
        Buttons::YesNoCancel, Icon::Exclamation);
    if (answer == Answer::Cancel)
        return CloseDecision::Refuse;
    if (answer == Answer::No)
        return CloseDecision::Close;
    QString name = song.caption;
    if (song.caption.startsWith(u"Untitled")) {
        name = context.messages.saveFile(songFileFilter(), QStringLiteral("untitled.txt"));
    } else if (song.readInPart(name)) {
        // The file was read only in part: it is saved under another name or not at all.
        name = song.otherNameForPartlyRead();
    }
    // A save dialog cancelled after Yes cancels the close: the text stays.
    if (name.isEmpty())
        return CloseDecision::Refuse;
    return song.SaveSongFileAs(name) ? CloseDecision::Close : CloseDecision::Refuse;
}

} // namespace lvx::song

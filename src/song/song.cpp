#include "song.h"

#include "music/chordsymbol.h"

namespace lvx::song {

Song::Song(SongContext& context) : m_context(context) {}

void Song::StringToLinesRec(const QString& text)
{
    readText(text, true);
}

void Song::readText(const QString& text, bool report)
{
    inTab = false;
    m_reading = {};
    m_titleLine = {};
    m_subtitleLine = {};
    lines.clear();
    // About one line in forty characters; growing the list is a large part of reading.
    lines.reserve(text.size() / 40 + 16);
    qsizetype definitionsRead = 0;
    qsizetype sourceLine = 0;
    QList<SongLine> records;
    forEachLine(text, [&](QStringView source) {
        m_reading.sourceLine = ++sourceLine;
        if (!parseLine(source, records))
            return;
        SongLine& record = records.first();
        if (record.kind == KindModeDef) {
            m_reading.modeRead = true;
            if (!parseModeDef(record.text)) {
                m_reading.problems.append(u"Invalid Mode: " + record.text);
                lines.append(SongLine{KindKept, source.toString(), {}});
            }
        } else if (record.kind == KindChordDef) {
            bool eitherSyntax = false;
            const std::optional<music::GuitarChordDef> def = readChordDefinition(record.text, newDefine, &eitherSyntax);
            if (!def) {
                m_reading.problems.append(u"Invalid Define: " + record.text);
                lines.append(SongLine{KindKept, source.toString(), {}});
                return;
            }
            // The text's own definitions replace the song's, in text order.
            ++definitionsRead;
            chordDefs.resize(definitionsRead);
            chordDefs[definitionsRead - 1] = *def;
            chordDefLines.resize(definitionsRead);
            const bool chordLine = m_reading.chordLine;
            chordDefLines[definitionsRead - 1] = {source.toString(), *def, newDefine, eitherSyntax || chordLine, chordLine,
                                                  placementHere()};
            LastChordsAdd(def->name);
        } else if (records.size() == 1) {
            lines.append(std::move(record));
        } else {
            m_context.messages.inform(u"Line " + QString::number(sourceLine)
                                      + u" is longer than 32767 characters and was split into "
                                      + QString::number(records.size()) + u" lines.");
            lines.append(records);
        }
    });
    if (Fonts* facts = fonts->find(QStringLiteral("Metadata")); facts && !m_reading.metadataFontRead) {
        if (const Fonts* subtitle = fonts->find(QStringLiteral("SubTitle")))
            *facts = metadataFontFor(*subtitle);
    }
    TopLine = 1;
    CollectChords = true;
    if (report)
        reportProblems();
}

// One message for all the lines that could not be read, however many: a file of
// a thousand unreadable definitions must not open a thousand boxes.
void Song::reportProblems()
{
    if (!m_reading.problems.isEmpty())
        m_context.messages.inform(listedInBrief(m_reading.problems));
}

void Song::LastChordsAdd(const QString& name)
{
    TimingCounters& timers = m_context.app.timers;
    timers.TimerStart(TimerAddChord);
    LastChords.removeOne(name);
    LastChords.append(name);
    timers.TimerStop(TimerAddChord);
}

void Song::ChordDefInsert(int pos)
{
    pos = qBound(0, pos, int(chordDefs.size()));
    chordDefs.insert(pos, m_context.music.activeChordDef);
    LastChordsAdd(m_context.music.activeChordDef.name);
}

void Song::ChordDefNew()
{
    music::GuitarChordDef def;
    def.name = QStringLiteral("NewChord");
    chordDefs.append(def);
    m_context.music.activeChordDef = def;
}

void Song::ChordDefRemove(int index)
{
    if (index < 1 || index > chordDefs.size())
        return;
    chordDefs.removeAt(index - 1);
    if (!chordDefs.isEmpty())
        m_context.music.activeChordDef = chordDefs.at(qMin(index, int(chordDefs.size())) - 1);
}

void Song::ChordDefSetToActive(int index)
{
    if (index >= 1 && index <= chordDefs.size())
        m_context.music.activeChordDef = chordDefs.at(index - 1);
}

void Song::ChordDefGetFromActive(int index)
{
    if (index >= 1 && index <= chordDefs.size())
        chordDefs[index - 1] = m_context.music.activeChordDef;
}

} // namespace lvx::song

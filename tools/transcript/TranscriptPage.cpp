// SPDX-License-Identifier: GPL-3.0-or-later
#include "TranscriptPage.h"

namespace {

// What an event tells the writer of a remote program: the first entry whose text
// begins the event (or, with anywhere, appears in it).
struct Gloss
{
    const char *text;
    bool anywhere;
    const char *meaning;
};

const Gloss glosses[] = {
    {"<- \"1 ", false,
     "Message 1: this program plays red, and it is its turn. The 64 codes of the board follow,"
     " row by row from the top, each with a space. Its clock starts. It comes when the game"
     " begins, and again whenever black has passed."},
    {"<- \"2 ", false,
     "Message 2, sent on connection: this program plays black; the board. No clock yet: red "
     "moves first."},
    {"<- \"3 ", false,
     "Message 3: the board's last move, and this program's turn; its clock starts."},
    {"<- \"4\"", false,
     "Message 4: the move was refused; another may follow within the same clock."},
    {"<- \"5 ", false,
     "Message 5: the winning move; the game is over."},
    {"-> ", false,
     "Its move: the move text and a line feed."},
    {"the opponent passed", true,
     "The opponent had no legal move: instead of a move, this program was sent its board "
     "again, with the position as it stands, and it moves again."},
    {"-- connected", false,
     "The connection is made; the side follows from the order of connections."},
    {"-- we play", false,
     "The side is told by the code of the first message."},
    {"exit code", false,
     "The program has read message 5 and ended; Zarvik keeps the connection open until the "
     "next game."},
    {"status bar: \"Plateau charg", false,
     "The board file is loaded, which ticks \"Personalisé\"; the game is started on it."},
    {"status bar: \"Attente de connection", false,
     "Zarvik listens on port 8888 and waits for this side's program."},
    {"status bar: \"En attente du coup rouge...", false,
     "Both programs have joined: the game begins, and red's program is sent message 1."},
    {"status bar: \"En attente du coup", false,
     "The other side's turn: its program is sent message 3."},
    {"il passe son tour", true,
     "A side without a legal move passes: its program is sent nothing, and the other side's "
     "program is sent its board message again."},
    {". --\"", false,
     "The list shows the pass as \"--\", as the records file writes it."},
    {"move list", false,
     "Zarvik has accepted the move and played it."},
    {"status bar: \"Joueur", false,
     "The status bar tells the end of the game as soon as it is decided."},
    {"box", false,
     "The end of the game: every network side is sent message 5 with the winning move."},
};

} // namespace

QString TranscriptPage::markdown() const
{
    QString page = QStringLiteral(
        "# A network game, message by message\n\n"
        "<!-- Written by zarvik-transcript; do not edit by hand. -->\n\n"
        "Recorded from the program itself: the real main window and game controller, run without a screen, with "
        "both sides set to \"Réseau\", and two `zarvik-engine connect --verbose` processes as the remote "
        "programs. Nothing here is typed by hand; `%1` records it again. See [protocol.md](protocol.md) for the "
        "rules this follows.\n\n"
        "The game starts from this board file (custom board, \"Personalisé\"). %2\n\n```\n%3```\n\n"
        "Red's program: `%4`  \nBlack's program: `%5`\n\n"
        "Lines traced by a program start with `<-` (a message received, its bytes in quotes, `\\n` a line feed), "
        "`->` (a line sent) or `--` (a note of the program's own). Rows come in the order the recorder saw "
        "them. Each program's rows are in its own order, and a program traces a move before it sends it; but "
        "the programs are separate processes, so one may trace a message it has received a little after the "
        "window has moved on.\n\n"
        "| # | Who | What | Meaning |\n|---|---|---|---|\n")
                       .arg(command, boardRemark, boardFileText, engineCommands.value(0), engineCommands.value(1));
    int number = 0;
    for (const GameRecorder::Entry &entry : entries)
        page += QStringLiteral("| %1 | %2 | %3 | %4 |\n").arg(++number).arg(entry.who, cell(entry.what),
                                                                   meaning(entry));
    return page;
}

QString TranscriptPage::meaning(const GameRecorder::Entry &entry)
{
    for (const Gloss &gloss : glosses) {
        const QLatin1String text(gloss.text);
        if (gloss.anywhere ? entry.what.contains(text) : entry.what.startsWith(text))
            return QString::fromUtf8(gloss.meaning);
    }
    return QString();
}

// A table cell: code for the traced lines and events.
QString TranscriptPage::cell(const QString &text)
{
    return QLatin1Char('`') + text + QLatin1Char('`');
}

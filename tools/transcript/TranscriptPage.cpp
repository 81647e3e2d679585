#include "TranscriptPage.h"

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

// What an event tells the writer of a remote program.
QString TranscriptPage::meaning(const GameRecorder::Entry &entry)
{
    const QString &what = entry.what;
    if (what.startsWith(QLatin1String("<- \"1 ")))
        return QStringLiteral("Message 1: this program plays red and moves first. The 64 codes of the board "
                              "follow, row by row from the top, each with a space. Its clock starts.");
    if (what.startsWith(QLatin1String("<- \"2 ")))
        return QStringLiteral("Message 2, sent on connection: this program plays black; the board. No clock "
                              "yet: red moves first.");
    if (what.startsWith(QLatin1String("<- \"3 ")))
        return QStringLiteral("Message 3: the board's last move, and this program's turn; its clock starts.");
    if (what.startsWith(QLatin1String("<- \"4\"")))
        return QStringLiteral("Message 4: the move was refused; another may follow within the same clock.");
    if (what.startsWith(QLatin1String("<- \"5 ")))
        return QStringLiteral("Message 5: the winning move; the game is over.");
    if (what.startsWith(QLatin1String("-> ")))
        return QStringLiteral("Its move: the move text and a line feed.");
    if (what.contains(QLatin1String("the opponent passed")))
        return QStringLiteral("The opponent had no legal move: message 3 carried this program's own last move, "
                              "already on its board. It is left out, and the program moves again.");
    if (what.startsWith(QLatin1String("status bar: \"Attente de connection")))
        return QStringLiteral("The program listens on port 8888 and waits for this side's program.");
    if (what.contains(QLatin1String("il passe son tour")))
        return QStringLiteral("A side without a legal move passes; the other side is asked again.");
    return QString();
}

// A table cell: code for the traced lines and events.
QString TranscriptPage::cell(const QString &text)
{
    return QLatin1Char('`') + text + QLatin1Char('`');
}

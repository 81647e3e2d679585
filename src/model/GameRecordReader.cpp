// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameRecordReader.h"

#include "ZarvikBoard.h"

#include <QIODevice>

#include <algorithm>

namespace {

const QString resultName = QStringLiteral("Result");
const QString startName = QStringLiteral("Start");
const QString passText = QStringLiteral("--");
// Tokens of a move text: "B2", "-", "B3".
constexpr int moveTokens = 3;
// Quoted input is shortened so that a hostile line cannot make a huge message.
constexpr int quotedLength = 40;

QString quoted(const QString &text)
{
    return GameRecordReader::tr("« %1 »").arg(text.left(quotedLength));
}

bool isResult(const QString &text)
{
    return text == GameRecord::redWins || text == GameRecord::blackWins || text == GameRecord::draw
           || text == GameRecord::unfinished;
}

bool isTagName(const QString &name)
{
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x80 && (c.isLetterOrNumber() || c == QLatin1Char('_'));
    });
}

bool hasTag(const GameRecord &record, const QString &name)
{
    const auto &tags = record.tags();
    return std::any_of(tags.begin(), tags.end(), [&](const GameRecord::Tag &t) { return t.first == name; });
}

// Splits a line of moves at its spaces; a comment, from "{" to the next "}", is
// one token whatever it holds. False when a comment does not end on the line.
bool splitMoveLine(const QString &line, QStringList &tokens)
{
    for (int at = 0; at < line.size();) {
        int end = at + 1;
        if (line[at] == QLatin1Char(' ')) {
            at = end;
            continue;
        }
        if (line[at] == QLatin1Char('{')) {
            end = line.indexOf(QLatin1Char('}'), at) + 1;
            if (end == 0)
                return false;
        } else {
            while (end < line.size() && line[end] != QLatin1Char(' ') && line[end] != QLatin1Char('{'))
                ++end;
        }
        tokens << line.mid(at, end - at);
        at = end;
    }
    return true;
}

} // namespace

GameRecordReader::GameRecordReader(QIODevice &device)
    : device(device)
{
}

bool GameRecordReader::readAll(QIODevice &device, std::vector<GameRecord> &records, QString *error)
{
    GameRecordReader reader(device);
    GameRecord record;
    while (reader.next(record))
        records.push_back(std::move(record));
    if (error)
        *error = reader.error();
    return reader.error().isEmpty();
}

bool GameRecordReader::next(GameRecord &record)
{
    record = GameRecord();
    QString line;
    do {
        if (!problem.isEmpty() || !readLine(line))
            return false;
    } while (line.isEmpty());
    while (line.startsWith(QLatin1Char('['))) {
        if (!readTag(line, record))
            return false;
        if (!readLine(line))
            return problem.isEmpty() && fail(tr("résultat manquant à la fin du texte"));
    }
    return readMoves(line, record);
}

bool GameRecordReader::readLine(QString &line)
{
    const QByteArray bytes = device.atEnd() ? QByteArray() : device.readLine(maxLineLength + 1);
    if (bytes.isEmpty())
        return false;
    ++lineNumber;
    if (bytes.size() == maxLineLength && !bytes.endsWith('\n') && !device.atEnd())
        return fail(tr("ligne trop longue"));
    line = QString::fromUtf8(bytes);
    const auto trailing = [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
    };
    int end = line.size();
    while (end > 0 && trailing(line[end - 1]))
        --end;
    line.truncate(end);
    return true;
}

bool GameRecordReader::fail(const QString &message)
{
    problem = tr("ligne %1 : %2").arg(lineNumber).arg(message);
    return false;
}

// [Name "value"], with \" and \\ the only escapes in the value.
bool GameRecordReader::readTag(const QString &line, GameRecord &record)
{
    const int quote = line.indexOf(QLatin1String(" \""));
    const QString name = line.mid(1, quote - 1);
    const int valueEnd = line.size() - 2;
    if (quote < 2 || quote + 4 > line.size() || !line.endsWith(QLatin1String("\"]")) || !isTagName(name))
        return fail(tr("étiquette %1 illisible").arg(quoted(line)));
    QString value;
    for (int i = quote + 2; i < valueEnd; ++i) {
        const bool escape = line[i] == QLatin1Char('\\') && i + 1 < valueEnd
                            && (line[i + 1] == QLatin1Char('\\') || line[i + 1] == QLatin1Char('"'));
        if (escape)
            ++i;
        else if (line[i] == QLatin1Char('\\') || line[i] == QLatin1Char('"'))
            return fail(tr("étiquette %1 illisible").arg(quoted(line)));
        value += line[i];
    }
    if (hasTag(record, name))
        return fail(tr("étiquette %1 en double").arg(quoted(name)));
    if (int(record.tags().size()) >= maxTags)
        return fail(tr("plus de %1 étiquettes").arg(maxTags));
    record.setTag(name, value);
    if (name == resultName && !isResult(value))
        return fail(tr("résultat %1 inconnu").arg(quoted(value)));
    ZarvikBoard board;
    Side side = Side::Red;
    return name != startName || record.start(board, side) || fail(tr("position de départ illisible"));
}

// Lines of numbered entries ("12. B2 - B3", "13. --"), each whole on one line and
// followed or not by its comment ("{...}"), up to the result, which ends its line.
bool GameRecordReader::readMoves(QString line, GameRecord &record)
{
    for (;;) {
        // A comment shares its line with its move: written back, the two never make
        // a line longer than the one read.
        commentable = false;
        QStringList tokens;
        if (!splitMoveLine(line, tokens))
            return fail(tr("commentaire sans « } » sur sa ligne"));
        bool done = false;
        int at = 0;
        while (at < tokens.size() && !done)
            if (!readEntry(tokens, at, record, done))
                return false;
        if (done)
            return at == tokens.size() || fail(tr("texte après le résultat"));
        if (!readLine(line))
            return problem.isEmpty() && fail(tr("résultat manquant à la fin du texte"));
    }
}

bool GameRecordReader::readEntry(const QStringList &tokens, int &at, GameRecord &record, bool &done)
{
    const QString first = tokens[at++];
    if (isResult(first)) {
        done = true;
        return checkResult(first, record);
    }
    if (first.startsWith(QLatin1Char('{'))) {
        if (!commentable)
            return fail(tr("commentaire %1 qui ne suit pas un coup").arg(quoted(first)));
        commentable = false;
        record.setComment(int(record.moves.size()) - 1, first.mid(1, first.size() - 2));
        return true;
    }
    const QString number = QString::number(record.moves.size() + 1) + QLatin1Char('.');
    if (first != number)
        return fail(tr("numéro %1 attendu au lieu de %2").arg(quoted(number), quoted(first)));
    if (int(record.moves.size()) >= maxMoves)
        return fail(tr("plus de %1 coups").arg(maxMoves));
    commentable = true;
    if (at < tokens.size() && tokens[at] == passText) {
        ++at;
        record.moves.push_back(GameRecord::pass);
        return true;
    }
    const QString text = tokens.mid(at, moveTokens).join(QLatin1Char(' '));
    at = std::min(at + moveTokens, int(tokens.size()));
    Move move;
    if (!move.parse(text.toLatin1().constData(), ZarvikBoard::size, ZarvikBoard::size)
        || move.toText(ZarvikBoard::size, ZarvikBoard::size) != text)
        return fail(tr("coup %1 illisible").arg(quoted(text)));
    record.moves.push_back(move);
    return true;
}

bool GameRecordReader::checkResult(const QString &token, const GameRecord &record)
{
    if (!hasTag(record, resultName))
        return fail(tr("étiquette Result absente"));
    if (token != record.result())
        return fail(tr("le résultat %1 diffère de l'étiquette Result %2").arg(quoted(token), quoted(record.result())));
    return true;
}

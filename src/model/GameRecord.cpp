// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameRecord.h"

#include "BoardText.h"
#include "ZarvikBoard.h"

#include <algorithm>

namespace {

constexpr int lineWidth = 80;
const QString startName = QStringLiteral("Start");

QString sideLetter(Side side)
{
    return side == Side::Black ? QStringLiteral("b") : QStringLiteral("r");
}

QString escaped(QString value)
{
    return value.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
}

// Line breaks and other control characters become spaces.
QString oneLine(QString text)
{
    for (QChar &c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    return text;
}

QString moveText(const Move &move)
{
    return move == GameRecord::pass ? QStringLiteral("--") : move.toText(ZarvikBoard::size, ZarvikBoard::size);
}

} // namespace

GameRecord GameRecord::fromInitialPosition()
{
    GameRecord record;
    const std::pair<const char *, const char *> unknown[] = {
        {"Event", "?"}, {"Site", "?"}, {"Date", "????.??.??"}, {"Round", "?"}, {"Red", "?"}, {"Black", "?"}};
    for (const auto &t : unknown)
        record.setTag(QLatin1String(t.first), QLatin1String(t.second));
    record.setResult(unfinished);
    record.setTag(QStringLiteral("Termination"), byNothingYet);
    ZarvikBoard initial;
    record.setStart(initial, Side::Red);
    return record;
}

QString GameRecord::tag(const QString &name) const
{
    const auto found = std::find_if(tagList.begin(), tagList.end(), [&](const Tag &t) { return t.first == name; });
    return found == tagList.end() ? QString() : found->second;
}

void GameRecord::setTag(const QString &name, const QString &value)
{
    const QString line = oneLine(value);
    for (Tag &t : tagList)
        if (t.first == name) {
            t.second = line;
            return;
        }
    tagList.emplace_back(name, line);
}

// The Start value is the board's text (every code followed by a space) and the side
// letter, written exactly so: "007" or a doubled space is refused.
bool GameRecord::start(Board &board, Side &side) const
{
    const auto found = std::find_if(tagList.begin(), tagList.end(), [](const Tag &t) { return t.first == startName; });
    if (found == tagList.end()) {
        board.resetToInitial();
        side = Side::Red;
        return true;
    }
    const QString &text = found->second;
    BoardFile::Grid cells = board.cells;
    if (!BoardText::read(text.left(text.size() - 1), cells))
        return false;
    side = text.endsWith(QLatin1Char('b')) ? Side::Black : Side::Red;
    if (BoardText::write(cells) + sideLetter(side) != text)
        return false;
    board.cells = std::move(cells);
    return true;
}

void GameRecord::setStart(const Board &board, Side side)
{
    setTag(startName, board.toText() + sideLetter(side));
}

bool GameRecord::replay(Board &board, int *illegal) const
{
    Side side = Side::Red;
    int number = 0;
    bool legal = start(board, side);
    for (auto it = moves.begin(); legal && it != moves.end(); ++it, side = ~side) {
        ++number;
        legal = board.isLegalPly(*it, side);
        Move move = *it;
        if (legal && move != pass)
            board.applyMove(move);
    }
    if (!legal && illegal)
        *illegal = number;
    return legal;
}

void GameRecord::dropCommentsFrom(int ply)
{
    if (ply >= 0 && ply < int(commentList.size()))
        commentList.resize(size_t(ply));
}

QString GameRecord::comment(int ply) const
{
    return ply >= 0 && ply < int(commentList.size()) ? commentList[size_t(ply)] : QString();
}

void GameRecord::setComment(int ply, const QString &text)
{
    QString line = oneLine(text);
    line = line.replace(QLatin1Char('{'), QLatin1Char('(')).replace(QLatin1Char('}'), QLatin1Char(')')).trimmed();
    if (ply >= int(commentList.size()) && !line.isEmpty())
        commentList.resize(size_t(ply) + 1);
    if (ply >= 0 && ply < int(commentList.size()))
        commentList[size_t(ply)] = line;
}

QString GameRecord::toText() const
{
    QString text;
    for (const Tag &t : tagList)
        text += QLatin1Char('[') + t.first + QLatin1String(" \"") + escaped(t.second) + QLatin1String("\"]\n");
    text += QLatin1Char('\n');
    // Lines break between moves only, never inside one.
    QString line;
    const auto add = [&](const QString &unit) {
        if (!line.isEmpty() && line.size() + 1 + unit.size() > lineWidth) {
            text += line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + unit;
    };
    for (size_t i = 0; i < moves.size(); ++i) {
        const QString note = comment(int(i));
        add(QString::number(i + 1) + QLatin1String(". ") + moveText(moves[i])
            + (note.isEmpty() ? QString() : QLatin1String(" {") + note + QLatin1Char('}')));
    }
    add(result());
    return text + line + QLatin1String("\n\n");
}

bool GameRecord::operator==(const GameRecord &other) const
{
    const int commented = int(std::max(commentList.size(), other.commentList.size()));
    for (int ply = 0; ply < commented; ++ply)
        if (comment(ply) != other.comment(ply))
            return false;
    return tagList == other.tagList && moves == other.moves;
}

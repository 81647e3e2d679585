// SPDX-License-Identifier: GPL-3.0-or-later
#include "Extension.h"

#include <QList>

namespace {
const QByteArray prefix = "x ";
const QByteArray version = "1";

QByteArray line(const QByteArray &words)
{
    return prefix + words + '\n';
}

QByteArray secondsText(const std::optional<int> &seconds)
{
    return seconds ? QByteArray::number(*seconds) : QByteArray("-");
}

// A number of seconds, or "-" for none; false when it is neither.
bool readSeconds(const QByteArray &word, std::optional<int> &seconds)
{
    if (word == "-") {
        seconds.reset();
        return true;
    }
    bool number = false;
    const int value = word.toInt(&number);
    if (!number || value < 0)
        return false;
    seconds = value;
    return true;
}

bool readSide(const QByteArray &word, std::optional<Side> &side)
{
    side = word == "red" ? std::optional<Side>(Side::Red) : word == "black" ? std::optional<Side>(Side::Black) : std::nullopt;
    return side || word == "-";
}

Extension::Line endLine(const QList<QByteArray> &words)
{
    Extension::Line told;
    std::optional<Side> loser;
    bool number = false;
    if (words.size() < 5 || !readSide(words[2], loser))
        return told;
    told.plies = words[3].toInt(&number);
    const std::optional<GameResult> result = GameResult::fromRecord(
        QString::fromLatin1(words[1]), loser, QString::fromLatin1(words.mid(4).join(' ')));
    if (number && told.plies >= 0 && result) {
        told.kind = Extension::Line::Kind::End;
        told.result = *result;
    }
    return told;
}
} // namespace

namespace Extension {

QByteArray hello()
{
    return line("hello " + version);
}

QByteArray limits(const Limits &limits)
{
    return line("limits " + secondsText(limits.red) + ' ' + secondsText(limits.black));
}

QByteArray resign()
{
    return line("resign");
}

QByteArray bye()
{
    return line("bye");
}

QByteArray end(const GameResult &result, int plies)
{
    const QByteArray loser = !result.loser ? "-" : result.loser == Side::Red ? "red" : "black";
    return line("end " + result.result().toLatin1() + ' ' + loser + ' ' + QByteArray::number(plies) + ' '
                + result.termination().toLatin1());
}

bool isExtension(const QByteArray &line)
{
    return line.startsWith(prefix);
}

Line parse(const QByteArray &text)
{
    Line told;
    const QList<QByteArray> words = text.trimmed().split(' ');
    if (words.value(0) != "x")
        return told;
    const QList<QByteArray> said = words.mid(1);
    const QByteArray &word = said.value(0);
    if (word == "hello" && said.size() == 2 && said[1] == version)
        told.kind = Line::Kind::Hello;
    else if (word == "resign" && said.size() == 1)
        told.kind = Line::Kind::Resign;
    else if (word == "bye" && said.size() == 1)
        told.kind = Line::Kind::Bye;
    else if (word == "limits" && said.size() == 3 && readSeconds(said[1], told.limits.red)
             && readSeconds(said[2], told.limits.black))
        told.kind = Line::Kind::Limits;
    else if (word == "end")
        return endLine(said);
    return told;
}

} // namespace Extension

// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameJournal.h"

#include "FileErrors.h"
#include "GameRecordReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
const QString redTag = QStringLiteral("RedOptions");
const QString blackTag = QStringLiteral("BlackOptions");

const std::pair<PlayerKind, QString> kindWords[] = {{PlayerKind::Human, QStringLiteral("human")},
                                                   {PlayerKind::Cpu, QStringLiteral("cpu")},
                                                   {PlayerKind::Socket, QStringLiteral("network")},
                                                   {PlayerKind::Host, QStringLiteral("host")}};

// "cpu 3 5": the kind, the level and the seconds per move ("-" without timer).
QString seatText(const SeatOptions &seat)
{
    QString kind;
    for (const auto &[each, word] : kindWords)
        if (each == seat.kind)
            kind = word;
    return QStringLiteral("%1 %2 %3").arg(kind).arg(seat.level).arg(seat.timer ? QString::number(seat.seconds) : QStringLiteral("-"));
}

bool readSeat(const QString &text, SeatOptions &seat)
{
    const QStringList words = text.split(QLatin1Char(' '));
    if (words.size() != 3)
        return false;
    bool kindKnown = false;
    for (const auto &[each, word] : kindWords)
        if (word == words[0]) {
            seat.kind = each;
            kindKnown = true;
        }
    bool levelRead = false;
    bool secondsRead = true;
    seat.level = words[1].toInt(&levelRead);
    seat.timer = words[2] != QLatin1String("-");
    if (seat.timer)
        seat.seconds = words[2].toInt(&secondsRead);
    return kindKnown && levelRead && secondsRead && seat.level >= 1 && seat.seconds >= 0;
}
} // namespace

GameJournal::GameJournal(const Game *game, const QString &path, QObject *parent)
    : QObject(parent), game(game), file(path)
{
    connect(game, &Game::historyChanged, this, &GameJournal::save);
    connect(game, &Game::stateChanged, this, &GameJournal::save);
}

// Only a game under way with a move played is worth keeping.
void GameJournal::save()
{
    if (game->state() != Game::State::Playing || game->model()->plies().empty()) {
        forget();
        return;
    }
    GameRecord record = game->record();
    record.setTag(redTag, seatText(game->options().red));
    record.setTag(blackTag, seatText(game->options().black));
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    const bool saved = out.open(QIODevice::WriteOnly) && out.write(record.toText().toUtf8()) >= 0 && out.commit();
    if (!saved && !failing)
        emit saveFailed(FileErrors::reason(out));
    failing = !saved;
}

void GameJournal::forget()
{
    if (QFile::exists(file))
        QFile::remove(file);
}

GameJournal::Found GameJournal::read(GameRecord &record, GameOptions &options, QString &reason) const
{
    QFile in(file);
    if (!in.exists())
        return Found::Nothing;
    if (!in.open(QIODevice::ReadOnly)) {
        reason = FileErrors::reason(in);
        return Found::Damaged;
    }
    GameRecordReader reader(in);
    const bool readOne = reader.next(record);
    if (!readOne || !reader.error().isEmpty()) {
        reason = reader.error().isEmpty() ? tr("aucune partie") : reader.error();
        return Found::Damaged;
    }
    options = GameOptions();
    int illegal = 0;
    if (!readSeat(record.tag(redTag), options.red) || !readSeat(record.tag(blackTag), options.black)) {
        reason = tr("joueurs illisibles");
        return Found::Damaged;
    }
    if (!GameModel().load(record, &illegal)) {
        reason = tr("le coup %1 n'est pas permis").arg(illegal);
        return Found::Damaged;
    }
    return Found::Game;
}

QString GameJournal::setAside(const QString &why) const
{
    const QFileInfo info(file);
    const QString aside = info.dir().filePath(QStringLiteral("%1-%2.zgn")
                                                  .arg(why, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    return QFile::rename(file, aside) ? aside : QString();
}

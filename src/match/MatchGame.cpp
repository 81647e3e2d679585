// SPDX-License-Identifier: GPL-3.0-or-later
#include "MatchGame.h"

#include "ChildProcess.h"

#include <QDate>
#include <QTimerEvent>

namespace {

// The port of a remote player, which then listens for it; otherwise any free port.
GameController::Settings settingsFor(const MatchGame::Setup &setup)
{
    GameController::Settings settings;
    settings.port = 0;
    for (const PlayerSpec *spec : {&setup.red, &setup.black})
        if (spec->kind == PlayerSpec::Kind::Remote)
            settings.port = spec->port;
    settings.computerPauseMs = 0;
    return settings;
}

QString resultFor(std::optional<Side> loser, const QString &termination)
{
    if (loser)
        return loser == Side::Red ? GameRecord::blackWins : GameRecord::redWins;
    return termination == GameRecord::byNoMoves ? GameRecord::draw : GameRecord::unfinished;
}

} // namespace

MatchGame::MatchGame(const Setup &setup, QObject *parent)
    : QObject(parent), setup(setup), controller(settingsFor(setup))
{
    connect(controller.model(), &GameModel::changed, this, &MatchGame::onChanged);
    connect(&controller, &GameController::gameDecided, this, &MatchGame::onDecided);
    connect(&controller, &GameController::playerConnected, this, &MatchGame::onConnected);
    connect(&controller, &GameController::lineRefused, this, [this](Side side) { ++refusedLines[indexOf(side)]; });
}

// The programs are killed first, then the controller closes their connections.
MatchGame::~MatchGame() = default;

// The record's tags, in the order the match has always written them.
void MatchGame::setTags()
{
    GameModel *game = controller.model();
    game->setTag(QStringLiteral("Event"), QStringLiteral("zarvik-engine match"));
    game->setTag(QStringLiteral("Date"), QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")));
    game->setTag(QStringLiteral("Round"), QString::number(setup.round));
    game->setTag(QStringLiteral("Red"), setup.red.name);
    game->setTag(QStringLiteral("Black"), setup.black.name);
    const int redSeconds = setup.red.seconds;
    const int blackSeconds = setup.black.seconds;
    game->setTag(QStringLiteral("TimeControl"), redSeconds == blackSeconds
                                                    ? QString::number(redSeconds)
                                                    : QStringLiteral("%1/%2").arg(redSeconds).arg(blackSeconds));
}

void MatchGame::start()
{
    GameOptions options;
    options.red = setup.red.seat();
    options.black = setup.black.seat();
    options.customBoard = !setup.boardFile.isEmpty();
    options.boardFile = setup.boardFile;
    options.firstSide = setup.firstSide;
    options.seed = setup.seed;
    controller.startGame(options);
    setTags();
    if (over)
        return;
    // Sides connect in order, red first: black's program starts once red is in.
    const Side first = setup.red.kind == PlayerSpec::Kind::Cpu ? Side::Black : Side::Red;
    if (spec(first).kind != PlayerSpec::Kind::Cpu)
        awaitConnection(first);
}

void MatchGame::abort()
{
    conclude(std::nullopt, GameRecord::byNothingYet);
}

void MatchGame::awaitConnection(Side side)
{
    awaited = side;
    connectTimer.start(setup.connectTimeoutMs, this);
    if (spec(side).kind == PlayerSpec::Kind::Command)
        launch(side);
}

void MatchGame::launch(Side side)
{
    auto &program = programs[indexOf(side)];
    program = std::make_unique<ChildProcess>();
    connect(program.get(), QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, side] { onProgramEnded(side); });
    connect(program.get(), &QProcess::errorOccurred, this, [this, side](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            onProgramEnded(side);
    });
    const QStringList words = spec(side).commandLine(controller.serverPort());
    program->start(words.value(0), words.mid(1));
}

void MatchGame::onConnected(Side side)
{
    connected[indexOf(side)] = true;
    connectTimer.stop();
    awaited.reset();
    if (side == Side::Red && setup.black.kind != PlayerSpec::Kind::Cpu)
        awaitConnection(Side::Black);
}

void MatchGame::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == connectTimer.timerId())
        conclude(awaited, byNoConnection);
    else if (event->timerId() == graceTimer.timerId())
        conclude(lostSide, GameRecord::byDisconnection);
}

// A side's refused lines count from its last move.
void MatchGame::onChanged()
{
    const auto &plies = controller.model()->plies();
    for (; pliesSeen < int(plies.size()); ++pliesSeen)
        refusedLines[indexOf(plies[size_t(pliesSeen)].side)] = 0;
    pliesSeen = int(plies.size());
}

void MatchGame::onDecided(GameController::Ending how, std::optional<Side>, std::optional<Side> loser)
{
    switch (how) {
    case GameController::Ending::GoalRow:
        conclude(loser, GameRecord::byGoalRow);
        break;
    case GameController::Ending::Draw:
        conclude(std::nullopt, GameRecord::byNoMoves);
        break;
    case GameController::Ending::Resignation:
        conclude(loser, GameRecord::byResignation);
        break;
    case GameController::Ending::TimeOut:
        // A side that had lines refused since its last move and then ran out of
        // time was trying moves it may not play.
        conclude(loser, refusedLines[indexOf(*loser)] > 0 ? GameRecord::byIllegalMove : GameRecord::byTimeOut);
        break;
    case GameController::Ending::Disconnection: {
        const ChildProcess *program = programs[indexOf(*loser)].get();
        if (program && program->state() != QProcess::NotRunning) {
            // The connection often closes before the program is seen to end.
            lostSide = loser;
            graceTimer.start(crashGraceMs, this);
        } else {
            conclude(loser, program && program->failed() ? GameRecord::byCrash : GameRecord::byDisconnection);
        }
        break;
    }
    case GameController::Ending::CannotStart:
        conclude(std::nullopt, GameRecord::byNothingYet);
        break;
    }
}

void MatchGame::onProgramEnded(Side side)
{
    const ChildProcess *program = programs[indexOf(side)].get();
    if (!connected[indexOf(side)])
        conclude(side, program->failed() ? GameRecord::byCrash : byNoConnection);
    else if (side == lostSide || program->failed())
        conclude(side, program->failed() ? GameRecord::byCrash : GameRecord::byDisconnection);
    // A program that ended well while connected: its lost connection follows.
}

void MatchGame::conclude(std::optional<Side> loser, const QString &termination)
{
    if (over)
        return;
    over = true;
    connectTimer.stop();
    graceTimer.stop();
    controller.stopGame();
    controller.model()->setResult(resultFor(loser, termination), termination);
    for (auto &program : programs) {
        if (program) {
            program->disconnect(this);
            program->killGroup();
        }
    }
    QMetaObject::invokeMethod(this, [this] { emit finished(); }, Qt::QueuedConnection);
}

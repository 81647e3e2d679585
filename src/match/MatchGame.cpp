// SPDX-License-Identifier: GPL-3.0-or-later
#include "MatchGame.h"

#include "ChildProcess.h"

#include <QDate>
#include <QTimerEvent>

namespace {

int otherSide(int side)
{
    return side == GameController::red ? GameController::black : GameController::red;
}

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

QString resultFor(int loser, const QString &termination)
{
    if (loser != GameController::noGame)
        return loser == GameController::red ? GameRecord::blackWins : GameRecord::redWins;
    return termination == GameRecord::byNoMoves ? GameRecord::draw : GameRecord::unfinished;
}

} // namespace

MatchGame::MatchGame(const Setup &setup, QObject *parent)
    : QObject(parent), setup(setup), controller(settingsFor(setup))
{
    controller.setBoard(&board);
    connect(&controller, &GameController::gameCleared, this, &MatchGame::onCleared);
    connect(&controller, &GameController::movePlayed, this, &MatchGame::onMovePlayed);
    connect(&controller, &GameController::gameDecided, this, &MatchGame::onDecided);
    connect(&controller, &GameController::playerConnected, this, &MatchGame::onConnected);
    connect(&controller, &GameController::lineRefused, this, [this](int side) { ++refusedLines[side]; });
}

// The programs are killed first, then the controller closes their connections.
MatchGame::~MatchGame() = default;

void MatchGame::start()
{
    gameRecord = GameRecord::fromInitialPosition();
    gameRecord.setTag(QStringLiteral("Event"), QStringLiteral("zarvik-engine match"));
    gameRecord.setTag(QStringLiteral("Date"), QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")));
    gameRecord.setTag(QStringLiteral("Round"), QString::number(setup.round));
    gameRecord.setTag(QStringLiteral("Red"), setup.red.name);
    gameRecord.setTag(QStringLiteral("Black"), setup.black.name);
    const int redSeconds = setup.red.seconds;
    const int blackSeconds = setup.black.seconds;
    gameRecord.setTag(QStringLiteral("TimeControl"), redSeconds == blackSeconds
                                                         ? QString::number(redSeconds)
                                                         : QStringLiteral("%1/%2").arg(redSeconds).arg(blackSeconds));
    GameOptions options;
    options.red = setup.red.side();
    options.black = setup.black.side();
    options.customBoard = !setup.boardFile.isEmpty();
    options.boardFile = setup.boardFile;
    options.firstSide = setup.firstSide;
    options.seed = setup.seed;
    controller.startGame(options);
    if (over)
        return;
    // Sides connect in order, red first: black's program starts once red is in.
    const int first = setup.red.kind == PlayerSpec::Kind::Cpu ? GameController::black : GameController::red;
    if (spec(first).kind != PlayerSpec::Kind::Cpu)
        awaitConnection(first);
}

void MatchGame::abort()
{
    conclude(GameController::noGame, GameRecord::byNothingYet);
}

void MatchGame::awaitConnection(int side)
{
    awaited = side;
    connectTimer.start(setup.connectTimeoutMs, this);
    if (spec(side).kind == PlayerSpec::Kind::Command)
        launch(side);
}

void MatchGame::launch(int side)
{
    auto &program = programs[side];
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

void MatchGame::onConnected(int side)
{
    connected[side] = true;
    connectTimer.stop();
    awaited = GameController::noGame;
    if (side == GameController::red && setup.black.kind != PlayerSpec::Kind::Cpu)
        awaitConnection(GameController::black);
}

void MatchGame::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == connectTimer.timerId())
        conclude(awaited, byNoConnection);
    else if (event->timerId() == graceTimer.timerId())
        conclude(lostSide, GameRecord::byDisconnection);
}

void MatchGame::onCleared()
{
    gameRecord.setStart(board, setup.firstSide);
    gameRecord.moves.clear();
    nextSide = setup.firstSide;
}

// A side that moves twice in a row had the other side pass in between.
void MatchGame::onMovePlayed(const Move &move, int side)
{
    if (side != nextSide)
        gameRecord.moves.push_back(GameRecord::pass);
    gameRecord.moves.push_back(move);
    nextSide = otherSide(side);
    refusedLines[side] = 0;
}

void MatchGame::onDecided(GameController::Ending how, int, int loser)
{
    switch (how) {
    case GameController::Ending::GoalRow:
        conclude(loser, GameRecord::byGoalRow);
        break;
    case GameController::Ending::Draw:
        conclude(GameController::noGame, GameRecord::byNoMoves);
        break;
    case GameController::Ending::TimeOut:
        // A side that had lines refused since its last move and then ran out of
        // time was trying moves it may not play.
        conclude(loser, refusedLines[loser] > 0 ? GameRecord::byIllegalMove : GameRecord::byTimeOut);
        break;
    case GameController::Ending::Disconnection: {
        const ChildProcess *program = programs[loser].get();
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
        conclude(GameController::noGame, GameRecord::byNothingYet);
        break;
    }
}

void MatchGame::onProgramEnded(int side)
{
    const ChildProcess *program = programs[side].get();
    if (!connected[side])
        conclude(side, program->failed() ? GameRecord::byCrash : byNoConnection);
    else if (side == lostSide || program->failed())
        conclude(side, program->failed() ? GameRecord::byCrash : GameRecord::byDisconnection);
    // A program that ended well while connected: its lost connection follows.
}

void MatchGame::conclude(int loser, const QString &termination)
{
    if (over)
        return;
    over = true;
    connectTimer.stop();
    graceTimer.stop();
    controller.stopGame();
    gameRecord.setResult(resultFor(loser, termination));
    gameRecord.setTag(QStringLiteral("Termination"), termination);
    for (auto &program : programs) {
        if (program) {
            program->disconnect(this);
            program->killGroup();
        }
    }
    QMetaObject::invokeMethod(this, [this] { emit finished(); }, Qt::QueuedConnection);
}

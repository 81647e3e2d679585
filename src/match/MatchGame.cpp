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

} // namespace

MatchGame::MatchGame(const Setup &setup, QObject *parent)
    : QObject(parent), setup(setup), controller(settingsFor(setup))
{
    // A program that leaves loses; its connection often closes before it is seen to
    // end, so the game waits a moment to tell a crash.
    controller.game()->setRules({true, crashGraceMs});
    connect(controller.game(), &Game::ended, this, &MatchGame::onEnded);
    connect(&controller, &GameController::startFailed, this, &MatchGame::onEnded);
    connect(controller.seating(), &Seating::playerConnected, this, &MatchGame::onConnected);
}

// The programs are killed first, then the controller closes their connections.
MatchGame::~MatchGame() = default;

// The record's tags, in the order the match has always written them.
std::vector<GameRecord::Tag> MatchGame::tags() const
{
    const int redSeconds = setup.red.seconds;
    const int blackSeconds = setup.black.seconds;
    return {{QStringLiteral("Event"), QStringLiteral("zarvik-engine match")},
            {QStringLiteral("Date"), QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"))},
            {QStringLiteral("Round"), QString::number(setup.round)},
            {QStringLiteral("Red"), setup.red.name},
            {QStringLiteral("Black"), setup.black.name},
            {QStringLiteral("TimeControl"), redSeconds == blackSeconds
                                                ? QString::number(redSeconds)
                                                : QStringLiteral("%1/%2").arg(redSeconds).arg(blackSeconds)}};
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
    options.tags = tags();
    controller.startGame(options);
    if (over)
        return;
    // Sides connect in order, red first: black's program starts once red is in.
    const Side first = setup.red.kind == PlayerSpec::Kind::Cpu ? Side::Black : Side::Red;
    if (spec(first).kind != PlayerSpec::Kind::Cpu)
        awaitConnection(first);
}

void MatchGame::abort()
{
    controller.stopGame();
    onEnded();
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
        forfeit(*awaited, GameResult::Ending::NeverConnected);
}

// A program that ended well while connected: its lost connection follows, and
// the game ends with it.
void MatchGame::onProgramEnded(Side side)
{
    const ChildProcess *program = programs[indexOf(side)].get();
    if (program->failed())
        forfeit(side, GameResult::Ending::Crash);
    else if (!connected[indexOf(side)])
        forfeit(side, GameResult::Ending::NeverConnected);
}

void MatchGame::forfeit(Side side, GameResult::Ending how)
{
    controller.game()->end(GameResult::win(~side, how));
}

// The game has ended, or could not start: every program goes.
void MatchGame::onEnded()
{
    if (over)
        return;
    over = true;
    connectTimer.stop();
    controller.stopGame();
    for (auto &program : programs) {
        if (program) {
            program->disconnect(this);
            program->killGroup();
        }
    }
    QMetaObject::invokeMethod(this, [this] { emit finished(); }, Qt::QueuedConnection);
}

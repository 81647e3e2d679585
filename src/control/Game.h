// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameModel.h"
#include "GameOptions.h"
#include "GameResult.h"
#include "Player.h"
#include "SideClock.h"

#include <QObject>
#include <QTimer>

#include <optional>

// A game's life, from its start to its one end: its state, the two seats it asks to
// play in turn, one clock per side, and the plies, result and termination written
// into its model, which nothing else writes. Who sits at each side is decided
// elsewhere (seat()); how the game is shown and told, too: everything that happens
// goes out as a signal.
class Game : public QObject
{
    Q_OBJECT

public:
    // Idle: no game in progress (nothing yet, a board or a record shown, a game
    // stopped); Seating: started, waiting for its seats; Playing; Ended: decided.
    enum class State { Idle, Seating, Playing, Ended };
    Q_ENUM(State)
    // How a turn comes: the game's first, after the other side's ply, or after the
    // other side could not move and passed.
    enum class TurnStart { First, Next, AfterPass };
    Q_ENUM(TurnStart)

    struct Rules
    {
        // A side whose program leaves loses (a match); otherwise the game is cancelled.
        bool disconnectionLoses = false;
        // How long a lost connection waits for end() to give its cause (a program
        // that crashed) before the game ends as a disconnection.
        int disconnectionGraceMs = 0;
    };

    explicit Game(QObject *parent = nullptr);
    ~Game() override;

    void setRules(const Rules &rules) { rules_ = rules; }
    const GameModel *model() const { return &game; }
    GameRecord record() const { return game.record(); }
    State state() const { return current; }
    bool inProgress() const { return current == State::Seating || current == State::Playing; }
    const GameOptions &options() const { return chosen; }
    const SideClock &clock(Side side) const { return clocks[indexOf(side)]; }

    // A new game from this position, waiting for its seats; one that is decided on
    // the board already (a side on its goal row) ends at once.
    void begin(const Board &start, Side toMove, const GameOptions &options);
    // A new game from the position shown, keeping the plies before it.
    void beginHere(const GameOptions &options);
    // Seats a side of the game waiting for it (the game takes the player); the
    // first turn comes once both sides are seated. toldPosition: the seat has just
    // been sent the position (a remote black program).
    void seat(Side side, Player *player, bool toldPosition = false);
    bool isSeated(Side side) const { return seats[indexOf(side)] != nullptr; }

    // Ends the game in progress with the result an arbiter gives (a program that
    // crashed or never connected).
    void end(const GameResult &result);
    // Leaves the game in progress undecided; a running search is stopped and its
    // result discarded. The model keeps what was played.
    void stop();

    // A game to look at, no game in progress: a board, or a record at its end (false,
    // with the 1-based number of its first illegal move in *illegal, when it cannot
    // be replayed).
    void showBoard(const Board &board);
    bool open(const GameRecord &record, int *illegal = nullptr);
    // Shows the position after that many plies while no game is in progress.
    void showPly(int plies);
    // Notes on a ply (a review's label and better move), kept in the record.
    void comment(int ply, const QString &text) { game.setComment(ply, text); }

    // The side to move while the game is played.
    std::optional<Side> turn() const;
    // The side whose person may enter a move now.
    std::optional<Side> humanSide() const;
    // A move entered by the person to move; refused when no person is to move or
    // the move is not legal.
    void playMove(const Move &move);
    // The person to move gives the game up; the other side wins.
    void resign();

    // Takes back the last move of a person, with the computer's replies after it, so
    // that the person moves again; the moves taken back can be played again by redo(),
    // until another move is played. Neither runs while the computer searches nor in
    // a game with a remote side.
    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();

    bool computerThinking() const;
    // Makes the computer searching now play the best move it has found so far.
    void playNow();

signals:
    void stateChanged(Game::State state);
    // The side is asked to play.
    void turnBegan(Side side, Game::TurnStart how);
    void ended(const GameResult &result);
    // The side whose person may now enter a move on the board, if any.
    void humanSideChanged(std::optional<Side> side);
    void thinkingChanged(bool thinking);
    // The computer to move has completed a depth of its search, with its best score.
    void computerDepth(int depth, int score);
    // What undo() and redo() can do may have changed.
    void historyChanged();
    // A line of the remote program playing this side was answered "4".
    void lineRefused(Side side);

private:
    Player *seatOf(Side side) const { return seats[indexOf(side)]; }
    Player *currentSeat() const { return seatOf(game.sideToMove()); }
    bool seated() const { return seats[0] && seats[1]; }
    void enter(State state);
    void prepare(const GameOptions &options);
    void setClocks();
    void nameSeats();
    bool endsAtStart();
    void firstTurn();
    void onMoved(const Move &move);
    void onFailed(Player::Failure how);
    void onDepth(int depth, int score);
    void onClockExpired(Side side);
    void onConcluded(const GameResult &result, int plies);
    void onLimitsTold(const Extension::Limits &limits);
    void conclude();
    void askSeat();
    void askToPlay(Side side, const Player::Turn &turn);
    bool isPerson(Side side) const { return chosen.seat(side).kind == PlayerKind::Human; }
    void finish(const GameResult &result);
    void clearSeats();
    void stopSeats();
    void updateHumanSide();
    void updateThinking();

    Rules rules_;
    GameOptions chosen;
    GameModel game;
    State current = State::Idle;
    // Children, deleted once control is back in the event loop: a seat may be in the
    // middle of emitting the signal that led to its going.
    Player *seats[2] = {nullptr, nullptr};
    SideClock clocks[2];
    // Lines refused to each side since its last move: a side that then runs out of
    // time was trying moves it may not play.
    int refusedLines[2] = {0, 0};
    // A lost connection waiting for its cause: see Rules::disconnectionGraceMs.
    std::optional<GameResult> pendingEnd;
    QTimer graceTimer;
    std::optional<Side> shownHumanSide;
    bool shownThinking = false;
    // For each side, the moves counted when its seat last saw the whole position (its
    // board message, or its own move): a seat that missed more than the opponent's
    // one reply is sent the board again.
    int pliesKnown[2] = {-1, -1};
};

Q_DECLARE_METATYPE(std::optional<Side>)

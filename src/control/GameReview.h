// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoardFile.h"
#include "DepthListener.h"
#include "GameRecord.h"
#include "PlyReview.h"
#include "ReviewSummary.h"
#include "SearchWorker.h"
#include "ZarvikBoard.h"

#include <QObject>

#include <mutex>
#include <vector>

class Game;

// Reviews a recorded game with level 4: every position from the start to the end is
// searched once, in the background, on a thread of its own, and each ply is judged
// by the chance to win its mover gave away, the position after it searched from
// the other side's view. Positions already decided are not searched, nor those
// where the mover has no choice (a pass, a single move): they are worth what the
// next position is. While the computer playing a game thinks, the review waits, so
// that it never takes a core from it. Signals come on the thread that owns the review,
// never from within start(); their receivers may cancel() the review, but should
// start another only once the signal has returned (a queued call).
class GameReview : public QObject, private DepthListener
{
    Q_OBJECT

public:
    // The least chance to win, from 0 to 1, that a move gives away to be labelled so.
    // A move that throws away a sure win, or walks into a sure loss, is a blunder
    // whatever the figures; level 4's own choice is always best.
    static constexpr double inaccuracyLoss = 0.05;
    static constexpr double mistakeLoss = 0.10;
    static constexpr double blunderLoss = 0.20;
    static constexpr double defaultSeconds = 0.25;

    // played (null: none) is the game whose computer the review makes way for.
    explicit GameReview(const Game *played = nullptr, QObject *parent = nullptr);
    // Stops a running search and waits for it.
    ~GameReview() override;

    // Seconds of search per position (defaultSeconds unless told) and the threads it
    // uses (1 unless told); for the next start().
    void setTimePerPosition(double seconds) { secondsPerPosition = seconds; }
    void setThreads(int count) { threads = count; }
    // Searches each position this deep instead, whatever the time it takes (0: the
    // time decides): a review that comes out the same on every machine and run.
    void setDepth(int plies) { fixedDepth = plies; }

    // Cancels a review under way and reviews the record's game. False, with nothing
    // started, when its start position or one of its moves is illegal.
    bool start(const GameRecord &record);
    // Stops the review at once; nothing more is emitted for it.
    void cancel();
    bool isRunning() const { return running; }
    // Whether a position is being searched now (not while the computer thinks).
    bool isSearching() const { return searching; }
    // The plies reviewed so far, in order.
    const std::vector<PlyReview> &plies() const { return reviewed; }

    // The label of a move that gave away lost of its mover's chance (0 to 1), or that
    // gave up a result the search had proved (a sure win no longer sure, a sure loss
    // that was not).
    static MoveLabel labelFor(double lost, bool givesUpSureResult);
    // Sets the comment of every reviewed move of the record from its review (passes
    // keep theirs).
    static void annotate(GameRecord &record, const std::vector<PlyReview> &plies);

signals:
    // Positions done of the total: the moves and passes of the game plus one.
    void progress(int done, int total);
    // Comes in the order of the plies.
    void plyReviewed(const PlyReview &review);
    void finished(const ReviewSummary &summary);

private:
    // What is known of the position after a number of plies.
    struct Value
    {
        bool known = false;
        double red = 0.5; // red's chance to win
        int sureWinner = 0; // 1 red, -1 black: the search proved that side wins
        QString best;
        QStringList line;
    };

    void depthCompleted(const DepthReport &report) override;
    void onThinkingChanged(bool thinking);
    // Settles positions until one needs a search, which it starts, or the end.
    void advance();
    // Whether the position's value needs no search of its own: set now when the game
    // is decided there, later (from the next one) when the mover has no choice.
    bool settleWithoutSearch(int index);
    void searchPosition(int index);
    void positionSearched();
    void positionDone();
    void finish();
    // Sets the position's value, and those of the positions before it that are worth
    // what it is; then tells the plies that are now judged.
    void setValue(int index, const Value &value);
    void emitReadyPlies();
    PlyReview reviewOf(int ply) const;
    const ZarvikBoard &positionAt(int index);
    void stopSearch();

    const Game *const played;
    SearchWorker worker{SearchSettings::expertLevel};
    double secondsPerPosition = defaultSeconds;
    int fixedDepth = 0;
    int threads = 1;
    bool running = false;
    bool searching = false;
    std::vector<Move> moves;
    std::vector<BoardFile::Grid> positions; // after each number of plies, the start first
    ZarvikBoard shown; // the position being settled or searched
    std::vector<Side> toMove;
    std::vector<Value> values;
    std::vector<PlyReview> reviewed;
    ReviewSummary summary;
    int next = 0; // the first position not settled yet
    Side searchedSide = Side::Red;
    // The last completed depth, written by the search thread.
    std::mutex reportLock;
    Value lastReport;
    int lastScore = 0;
};

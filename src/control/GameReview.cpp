// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameReview.h"

#include "Game.h"
#include "WinChance.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
// Enough for one position searched a fraction of a second, kept from one to the next.
constexpr int tableMegabytes = 32;

QString textOf(const Move &move)
{
    return move == GameRecord::pass ? QStringLiteral("--") : move.toText(ZarvikBoard::size, ZarvikBoard::size);
}

// 1 for red, -1 for black.
int signOf(Side side)
{
    return side == Side::Red ? 1 : -1;
}
} // namespace

GameReview::GameReview(const Game *played, QObject *parent)
    : QObject(parent), played(played)
{
    qRegisterMetaType<PlyReview>();
    qRegisterMetaType<ReviewSummary>();
    worker.setListener(this);
    connect(&worker, &QThread::finished, this, &GameReview::positionSearched);
    if (played)
        connect(played, &Game::thinkingChanged, this, &GameReview::onThinkingChanged);
}

GameReview::~GameReview()
{
    worker.cancel();
}

bool GameReview::start(const GameRecord &record)
{
    cancel();
    ZarvikBoard board;
    Side side = Side::Red;
    if (!record.replay(board) || !record.start(board, side))
        return false;
    moves = record.moves;
    positions.assign(1, board.cells);
    toMove.assign(1, side);
    for (Move move : moves) {
        if (move != GameRecord::pass)
            board.applyMove(move);
        side = ~side;
        positions.push_back(board.cells);
        toMove.push_back(side);
    }
    values.assign(positions.size(), Value());
    reviewed.clear();
    summary = ReviewSummary();
    next = 0;
    running = true;
    // After the caller has had the chance to connect to the first signals.
    QMetaObject::invokeMethod(this, &GameReview::advance, Qt::QueuedConnection);
    return true;
}

void GameReview::cancel()
{
    running = false;
    stopSearch();
}

void GameReview::stopSearch()
{
    worker.cancel();
    searching = false;
    // The end of a search just cancelled, or a start, may still wait in the queue.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

void GameReview::onThinkingChanged(bool thinking)
{
    if (!running)
        return;
    if (thinking)
        stopSearch();
    else
        advance();
}

void GameReview::advance()
{
    while (running && !searching && next < int(positions.size())) {
        if (played && played->computerThinking())
            return;
        if (!settleWithoutSearch(next)) {
            searchPosition(next);
            return;
        }
        positionDone();
    }
    finish();
}

const ZarvikBoard &GameReview::positionAt(int index)
{
    shown.cells = positions[size_t(index)];
    return shown;
}

bool GameReview::settleWithoutSearch(int index)
{
    const ZarvikBoard &board = positionAt(index);
    const Side side = toMove[size_t(index)];
    Value value;
    value.known = true;
    if (board.hasWon(Side::Red) || board.hasWon(Side::Black)) {
        value.sureWinner = board.hasWon(Side::Red) ? 1 : -1;
        value.red = board.hasWon(Side::Red) ? 1 : 0;
        setValue(index, value);
        return true;
    }
    if (!board.canMove(side) && !board.canMove(~side)) {
        setValue(index, value); // drawn
        return true;
    }
    MoveList choices;
    board.generateMoves(side, choices);
    return index < int(moves.size()) && choices.count <= 1;
}

void GameReview::searchPosition(int index)
{
    const ZarvikBoard &board = positionAt(index);
    const Side side = toMove[size_t(index)];
    searchedSide = board.canMove(side) ? side : ~side;
    {
        std::lock_guard<std::mutex> lock(reportLock);
        lastReport = Value();
        lastScore = 0;
    }
    SearchSettings settings;
    settings.color = searchedSide;
    settings.level = SearchSettings::expertLevel;
    settings.maxDepth = fixedDepth > 0 ? fixedDepth : SearchSettings::expertMaxDepth;
    settings.timeLimit = fixedDepth > 0 ? -1 : secondsPerPosition;
    settings.threads = threads;
    settings.tableMegabytes = tableMegabytes;
    // The thread of the last search has sent finished() but may not have ended yet:
    // starting a thread that runs does nothing.
    worker.wait();
    searching = true;
    worker.search(board, settings, 0);
}

// Level 4 completes its first depth whatever the time, so a search that was not
// cancelled has always reported.
void GameReview::positionSearched()
{
    if (!searching)
        return;
    searching = false;
    Value value;
    int score = 0;
    {
        std::lock_guard<std::mutex> lock(reportLock);
        value = lastReport;
        score = lastScore;
    }
    value.known = true;
    value.red = WinChance::forRed(score, searchedSide);
    const int sign = signOf(searchedSide);
    value.sureWinner = WinChance::isSureWin(score) ? sign : WinChance::isSureLoss(score) ? -sign : 0;
    setValue(next, value);
    positionDone();
    advance();
}

void GameReview::positionDone()
{
    ++next;
    emit progress(next, int(positions.size()));
}

void GameReview::finish()
{
    if (!running || next < int(positions.size()))
        return;
    running = false;
    emit finished(summary);
}

void GameReview::setValue(int index, const Value &value)
{
    values[size_t(index)] = value;
    for (int k = index - 1; k >= 0 && !values[size_t(k)].known; --k) {
        Value &forced = values[size_t(k)];
        const Value &after = values[size_t(k) + 1];
        forced = after;
        forced.best = moves[size_t(k)] == GameRecord::pass ? QString() : textOf(moves[size_t(k)]);
        forced.line.clear();
        if (!forced.best.isEmpty())
            forced.line = QStringList(forced.best) + after.line;
    }
    emitReadyPlies();
}

void GameReview::emitReadyPlies()
{
    while (running && reviewed.size() < moves.size() && values[reviewed.size()].known
           && values[reviewed.size() + 1].known) {
        reviewed.push_back(reviewOf(int(reviewed.size())));
        summary.add(reviewed.back());
        emit plyReviewed(reviewed.back());
    }
}

PlyReview GameReview::reviewOf(int ply) const
{
    const Value &before = values[size_t(ply)];
    const Value &after = values[size_t(ply) + 1];
    PlyReview review;
    review.ply = ply;
    review.mover = toMove[size_t(ply)];
    review.played = textOf(moves[size_t(ply)]);
    review.redBefore = before.red;
    review.redAfter = after.red;
    if (moves[size_t(ply)] == GameRecord::pass)
        return review;
    review.better = before.best;
    review.line = before.line;
    if (review.played == review.better) {
        review.label = MoveLabel::Best;
        return review;
    }
    const int sign = signOf(review.mover);
    const bool throwsWin = before.sureWinner == sign && after.sureWinner != sign;
    const bool walksIntoLoss = before.sureWinner != -sign && after.sureWinner == -sign;
    review.lost = std::max(0.0, review.moverBefore() - review.moverAfter());
    review.label = labelFor(review.lost, throwsWin || walksIntoLoss);
    return review;
}

MoveLabel GameReview::labelFor(double lost, bool givesUpSureResult)
{
    if (givesUpSureResult || lost >= blunderLoss)
        return MoveLabel::Blunder;
    if (lost >= mistakeLoss)
        return MoveLabel::Mistake;
    return lost >= inaccuracyLoss ? MoveLabel::Inaccuracy : MoveLabel::Best;
}

void GameReview::annotate(GameRecord &record, const std::vector<PlyReview> &plies)
{
    for (const PlyReview &ply : plies)
        if (ply.label != MoveLabel::None)
            record.setComment(ply.ply, ply.comment().toText());
}

// On the search thread: the texts are made here, as the report is overwritten by
// the next depth.
void GameReview::depthCompleted(const DepthReport &report)
{
    QStringList line;
    for (int i = 0; i < report.lineLength; ++i)
        line << report.line[i].toText(ZarvikBoard::size, ZarvikBoard::size);
    std::lock_guard<std::mutex> lock(reportLock);
    lastReport.best = report.best.toText(ZarvikBoard::size, ZarvikBoard::size);
    lastReport.line = line;
    lastScore = report.bestScore;
}

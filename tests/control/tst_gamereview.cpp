// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameController.h"
#include "GameRecordReader.h"
#include "GameReview.h"
#include "TestBoards.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QtTest>

namespace {
// Red to move can take black's runner on C3 with D2, and only so stop it: it plays
// H2 - H3 instead, and black walks through to C1.
GameRecord blunderGame()
{
    ZarvikBoard board;
    position(board, "D2:4 H2:4 C3:2 G7:2");
    GameRecord record = GameRecord::fromInitialPosition();
    record.setStart(board, red);
    record.moves = {move("H2", "H3"), move("C3", "C2"), move("H3", "H4"), move("C2", "C1")};
    record.setResult(GameRecord::blackWins);
    return record;
}

// Black's stuck small stone passes while red's stone walks up from A1.
GameRecord passingGame()
{
    ZarvikBoard board;
    position(board, "A1:4 H2:1");
    GameRecord record = GameRecord::fromInitialPosition();
    record.setStart(board, black);
    record.moves = {move("H2", "H1")};
    for (int row = 1; row < 8; ++row)
        record.moves.insert(record.moves.end(), {Move(0, 8 - row, 0, 7 - row), GameRecord::pass});
    record.moves.pop_back();
    record.setResult(GameRecord::redWins);
    return record;
}

std::vector<MoveLabel> labelsOf(const std::vector<PlyReview> &plies)
{
    std::vector<MoveLabel> labels;
    for (const PlyReview &ply : plies)
        labels.push_back(ply.label);
    return labels;
}

// The labels that the record's comments hold, ply by ply.
std::vector<MoveLabel> labelsOf(const GameRecord &record)
{
    std::vector<MoveLabel> labels;
    for (int ply = 0; ply < int(record.moves.size()); ++ply)
        labels.push_back(MoveComment::labelOf(record.comment(ply)));
    return labels;
}
} // namespace

class TestGameReview : public QObject
{
    Q_OBJECT

    GameReview review;
    QSignalSpy progress{&review, &GameReview::progress};
    QSignalSpy finished{&review, &GameReview::finished};

    // Reviews the record to its end.
    void reviewAll(const GameRecord &record)
    {
        progress.clear();
        finished.clear();
        QVERIFY(review.start(record));
        QVERIFY(finished.wait(20000));
        QCOMPARE(int(review.plies().size()), int(record.moves.size()));
        QCOMPARE(progress.last(), (QVariantList{int(record.moves.size()) + 1, int(record.moves.size()) + 1}));
    }

private slots:
    void initTestCase() { review.setTimePerPosition(0.2); }

    // The move that lets the runner through is a blunder, taking it the better move;
    // red's chance falls to nothing. Written into the record, the labels read back.
    void findsTheBlunder()
    {
        const GameRecord record = blunderGame();
        reviewAll(record);
        const std::vector<PlyReview> &plies = review.plies();
        const std::vector<MoveLabel> expected = {MoveLabel::Blunder, MoveLabel::Best, MoveLabel::Best, MoveLabel::Best};
        QCOMPARE(labelsOf(plies), expected);
        QCOMPARE(plies[0].better, QString("D2 - C3"));
        QCOMPARE(plies[0].line.first(), QString("D2 - C3"));
        QVERIFY(plies[0].redBefore > 0.5 && plies[0].redAfter == 0 && plies[0].lost == plies[0].redBefore);
        QCOMPARE(plies[1].mover, black);
        QCOMPARE(plies[3].redAfter, 0.0);
        const auto summary = finished.last().at(0).value<ReviewSummary>();
        QCOMPARE(summary.count(red, MoveLabel::Blunder), 1);
        QCOMPARE(summary.moves(red), 2);
        QCOMPARE(summary.averageLoss(red), plies[0].lost / 2);
        QCOMPARE(summary.count(black, MoveLabel::Best), 2);
        QCOMPARE(summary.averageLoss(black), 0.0);

        GameRecord annotated = record;
        GameReview::annotate(annotated, plies);
        QByteArray text = annotated.toText().toUtf8();
        QVERIFY(text.contains("1. H2 - H3 {?? mieux : D2 - C3 ; "));
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        std::vector<GameRecord> read;
        QVERIFY(GameRecordReader::readAll(buffer, read));
        QCOMPARE(labelsOf(read.at(0)), expected);
        QCOMPARE(MoveComment::parse(read[0].comment(0))->better, QString("D2 - C3"));
        QCOMPARE(labelsOf(record), std::vector<MoveLabel>(4, MoveLabel::None));
    }

    // Passes are not labelled; a won race stays won whatever red plays.
    void passesAndDecidedRaces()
    {
        const GameRecord record = passingGame();
        reviewAll(record);
        for (const PlyReview &ply : review.plies()) {
            QCOMPARE(ply.label, ply.played == "--" ? MoveLabel::None : MoveLabel::Best);
            QCOMPARE(ply.redAfter, 1.0);
        }
        GameRecord annotated = record;
        GameReview::annotate(annotated, review.plies());
        QVERIFY(annotated.comment(2).isEmpty() && !annotated.comment(1).isEmpty());
    }

    // Cancelled, it stops at once and says nothing more of that game, even when
    // another follows; a game that does not replay is not started.
    void cancelAndIllegal()
    {
        QVERIFY(review.start(blunderGame()));
        QTRY_VERIFY(review.isSearching());
        review.cancel();
        QVERIFY(!review.isRunning() && !review.isSearching());
        QSignalSpy plies(&review, &GameReview::plyReviewed);
        reviewAll(passingGame());
        QCOMPARE(plies.size(), int(passingGame().moves.size()));
        QCOMPARE(plies.first().at(0).value<PlyReview>().played, QString("H2 - H1"));
        GameRecord illegal = blunderGame();
        illegal.moves[1] = move("C3", "C4");
        QVERIFY(!review.start(illegal));
        QVERIFY(!review.isRunning());
    }

    // While the computer playing black thinks, the review does not search; it goes
    // on once black has moved.
    void waitsWhileTheComputerThinks()
    {
        GameController host{GameController::Settings{0, 0}};
        GameOptions options;
        options.black.kind = PlayerKind::Cpu;
        options.black.level = 3;
        options.black.seconds = 1;
        host.startGame(options);
        GameReview behind(host.game());
        behind.setTimePerPosition(0.2);
        QStringList events;
        bool searchedWhileThinking = false;
        connect(host.game(), &Game::thinkingChanged, &behind, [&](bool thinking) {
            events << (thinking ? "thinks" : "moved");
            searchedWhileThinking = searchedWhileThinking || (thinking && behind.isSearching());
        });
        connect(&behind, &GameReview::plyReviewed, &host, [&] { events << "ply"; });
        QSignalSpy done(&behind, &GameReview::finished);
        GameRecord opening = GameRecord::fromInitialPosition();
        opening.moves = {move("B2", "B3"), move("G7", "G6"), move("C2", "C3"), move("F7", "F6"), move("D2", "D3")};
        QVERIFY(behind.start(opening));
        host.game()->playMove(move("B2", "B3"));
        QVERIFY(done.wait(20000));
        const int thinks = int(events.indexOf("thinks"));
        QVERIFY2(thinks >= 0 && events.value(thinks + 1) == "moved" && events.mid(thinks).contains("ply"),
                 qPrintable(events.join(' ')));
        QVERIFY(!searchedWhileThinking);
        host.game()->disconnect(&behind);
    }
};

QTEST_MAIN(TestGameReview)
#include "tst_gamereview.moc"

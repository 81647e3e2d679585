// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameRecordReader.h"
#include "MoveComment.h"
#include "TestBoards.h"

#include <QBuffer>

std::vector<GameRecord> readAll(QByteArray bytes, QString *error = nullptr)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    std::vector<GameRecord> records;
    GameRecordReader::readAll(buffer, records, error);
    return records;
}

QByteArray textOf(const std::vector<GameRecord> &records)
{
    QString text;
    for (const GameRecord &record : records)
        text += record.toText();
    return text.toUtf8();
}

// Black to move with one small stone, which is stuck once on the bottom row: black
// passes while red's only stone walks up from A1 and wins.
GameRecord passingGame()
{
    GameRecord record;
    record.setTag("Event", "Essai \"rapide\" C:\\jeux");
    record.setTag("Annotator", "é");
    ZarvikBoard board;
    position(board, "A1:4 H2:1");
    record.setStart(board, black);
    record.setResult(GameRecord::redWins);
    record.setTag("Termination", GameRecord::byGoalRow);
    record.moves = {move("H2", "H1")};
    for (int row = 1; row < 8; ++row)
        record.moves.insert(record.moves.end(), {Move(0, 8 - row, 0, 7 - row), GameRecord::pass});
    record.moves.pop_back();
    return record;
}

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    // Games written, read back equal, written again byte for byte; every one replays.
    void roundTrip()
    {
        GameRecord played = GameRecord::fromInitialPosition();
        played.setTag("X_Seed", "7");
        ZarvikBoard board;
        playRandomGame(board, 6, [&](Side) { played.moves.push_back(board.lastMove); });
        played.moves.erase(played.moves.begin()); // the first visit comes before any move
        played.setResult(board.hasWon(red) ? GameRecord::redWins : GameRecord::blackWins);
        const bool captured = std::any_of(played.moves.begin(), played.moves.end(), [](const Move &m) { return m.captured; });
        GameRecord commented = passingGame();
        commented.setComment(0, "?! mieux : H2 - G1 ; 40 % → 30 %");
        commented.setComment(13, " a{b}\tc ");
        QCOMPARE(commented.comment(13), QString("a(b) c"));
        const std::vector<GameRecord> records = {played, passingGame(), GameRecord::fromInitialPosition(), commented};
        const QByteArray text = textOf(records);
        QVERIFY(captured && readAll(text) == records);
        QCOMPARE(textOf(readAll(text)), text);
        QCOMPARE(readAll("\r\n\r\n" + QByteArray(text).replace("\n", " \r\n")), records); // CRLF, stray spaces
        for (const QByteArray &line : text.split('\n'))
            QVERIFY2(line.startsWith('[') || QString::fromUtf8(line).size() <= 80, line.constData());
        for (const GameRecord &record : records)
            QVERIFY(record.replay(board));
        QVERIFY(commented.toText().contains("1. H2 - H1 {?! mieux : H2 - G1 ; 40 % → 30 %} 2. A1 - A2"));
        QVERIFY(commented.toText().contains("14. A7 - A8 {a(b) c} 1-0"));
        GameRecord uncommented = passingGame();
        uncommented.setComment(3, "x");
        uncommented.setComment(3, " ");
        QVERIFY(uncommented == passingGame() && commented != passingGame());
        QCOMPARE(uncommented.toText(),
                 "[Event \"Essai \\\"rapide\\\" C:\\\\jeux\"]\n[Annotator \"é\"]\n[Start \"" + QString("0 ").repeated(55)
                     + "1 4 0 0 0 0 0 0 0 b\"]\n[Result \"1-0\"]\n[Termination \"goal row\"]\n\n"
                       "1. H2 - H1 2. A1 - A2 3. -- 4. A2 - A3 5. -- 6. A3 - A4 7. -- 8. A4 - A5 9. --\n"
                       "10. A5 - A6 11. -- 12. A6 - A7 13. -- 14. A7 - A8 1-0\n\n");
    }

    // Each refused with its line named, the games before it counting.
    void malformed()
    {
        const QByteArray tags = "[Result \"*\"]\n\n";
        QByteArray passes = tags, many;
        for (int n = 1; n <= 1001; ++n)
            passes += QByteArray::number(n) + ". --\n";
        for (int n = 0; n <= 64; ++n)
            many += "[T" + QByteArray::number(n) + " \"\"]\n";
        const std::pair<QByteArray, QString> cases[] = {
            {tags + "1. B2 - B3 2. Z9 - A1 *", "ligne 3 : coup « Z9 - A1 » illisible"},
            {tags + "1. B2 - B3\n3. A7 - A6 *", "ligne 4 : numéro « 2. » attendu au lieu de « 3. »"},
            {"\n[Event \"a\\n\"]", "ligne 2 : étiquette « [Event \"a\\n\"] » illisible"},
            {"[Result \"*\"]\n[Result \"*\"]", "ligne 2 : étiquette « Result » en double"},
            {"[Result \"2-0\"]", "ligne 1 : résultat « 2-0 » inconnu"},
            {"[Start \"" + QByteArray("0 ").repeated(63) + "007 r\"]", "ligne 1 : position de départ illisible"},
            {tags + "1-0", "ligne 3 : le résultat « 1-0 » diffère de l'étiquette Result « * »"},
            {"*", "ligne 1 : étiquette Result absente"},
            {tags + "1. B2 - B3\n", "ligne 3 : résultat manquant à la fin du texte"},
            {tags + QByteArray(5000, ' ') + "*", "ligne 3 : ligne trop longue"},
            {tags + "*\n" + tags + "1.", "ligne 6 : coup «  » illisible"},
            {tags + "{a} 1. B2 - B3 *", "ligne 3 : commentaire « {a} » qui ne suit pas un coup"},
            {tags + "1. B2 - B3 {a} {b} *", "ligne 3 : commentaire « {b} » qui ne suit pas un coup"},
            {tags + "1. B2 - B3\n{a} *", "ligne 4 : commentaire « {a} » qui ne suit pas un coup"},
            {tags + "1. B2 - B3 {a *", "ligne 3 : commentaire sans « } » sur sa ligne"},
            {passes, "ligne 1003 : plus de 1000 coups"}, {many, "ligne 65 : plus de 64 étiquettes"}};
        for (const auto &c : cases) {
            QString error;
            readAll(c.first, &error);
            QCOMPARE(error, c.second);
        }
    }

    // A review's comment reads back as written; other comments hold no review.
    void reviewComments()
    {
        MoveComment blunder{MoveLabel::Blunder, "C7 - C6", 38, 12};
        QCOMPARE(blunder.toText(), QString("?? mieux : C7 - C6 ; 38 % → 12 %"));
        QCOMPARE(MoveComment{}.toText(), QString("0 % → 0 %"));
        for (MoveLabel label : {MoveLabel::Best, MoveLabel::Inaccuracy, MoveLabel::Mistake, MoveLabel::Blunder})
            for (const QString better : {"", "A1 - B2"}) {
                const MoveComment comment{label, better, 100, 7};
                QCOMPARE(MoveComment::parse(comment.toText()), std::optional<MoveComment>(comment));
            }
        for (const char *other : {"bien joué", "?? 101 % → 3 %", "?? mieux : Z9 - A1 ; 3 % → 1 %", "! 50 % → 50 %"})
            QVERIFY2(!MoveComment::parse(other), other);
    }

    // The first illegal move is named and the moves before it replay; a Start tag
    // that cannot be read is move 0.
    void replay()
    {
        const Move b2b3 = move("B2", "B3"), a7a6 = move("A7", "A6");
        const GameRecord initial = GameRecord::fromInitialPosition();
        GameRecord unpassed = passingGame(), over;
        unpassed.moves.erase(unpassed.moves.begin() + 2);
        ZarvikBoard board;
        position(board, "A8:4 H7:2"); // red has won
        over.setStart(board, black);
        const std::tuple<GameRecord, std::vector<Move>, int> cases[] = {{initial, {a7a6}, 1},
            {initial, {b2b3, a7a6, move("B3", "B2")}, 3}, {initial, {b2b3, GameRecord::pass}, 2},
            {initial, {Move(-1, 6, 0, 5)}, 1}, {unpassed, {}, 3}, {over, {move("H7", "H6")}, 1}};
        for (auto [record, moves, illegal] : cases) {
            record.moves.insert(record.moves.end(), moves.begin(), moves.end());
            int number = -1;
            QVERIFY(!record.replay(board, &number));
            QCOMPARE(number, illegal);
            record.moves.resize(illegal - 1);
            QVERIFY(record.replay(board));
            record.setTag("Start", "4 r");
            QVERIFY(!record.replay(board, &number) && number == 0);
        }
    }
};

QTEST_APPLESS_MAIN(TestRecords)
#include "tst_records.moc"

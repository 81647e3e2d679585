// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameRecord.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <vector>

class QIODevice;

// Reads the games of a records file one at a time (docs/records.md), so that a file
// of many thousand games never has to be held at once. A malformed game stops the
// reading with a message naming its line; lines, tags and moves are capped
// so that no input can make it use much memory or time per game.
class GameRecordReader
{
    Q_DECLARE_TR_FUNCTIONS(GameRecordReader)

public:
    // Bytes of one line, its line feed included.
    static constexpr int maxLineLength = 4096;
    static constexpr int maxTags = 64;
    // Far more than a game of this board can last: each move takes a stone a row
    // closer to its goal, and two passes in a row end the game.
    static constexpr int maxMoves = 1000;

    explicit GameRecordReader(QIODevice &device);

    // The next game in *record. False at the end of the input, or on a malformed
    // game with error() set; reading stops there.
    bool next(GameRecord &record);
    QString error() const { return problem; }

    // Appends every game of the device to records; false with the message in *error
    // on the first malformed one, the games before it appended.
    static bool readAll(QIODevice &device, std::vector<GameRecord> &records, QString *error = nullptr);

private:
    // The next line without trailing spaces, line feed or carriage return.
    bool readLine(QString &line);
    bool fail(const QString &message);
    bool readTag(const QString &line, GameRecord &record);
    bool readMoves(QString line, GameRecord &record);
    // Reads the move, pass, comment or result at tokens[at] and moves at past it; done
    // after the result.
    bool readEntry(const QStringList &tokens, int &at, GameRecord &record, bool &done);
    bool checkResult(const QString &token, const GameRecord &record);

    QIODevice &device;
    int lineNumber = 0;
    // A move or pass was just read on this line: a comment may follow.
    bool commentable = false;
    QString problem;
};

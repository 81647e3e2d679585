// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameRecorder.h"

// The recorded game as a Markdown page: how it was made, the board, and one table
// row per event with what it means for a remote program.
class TranscriptPage
{
public:
    QString command;       // how to make the page again
    QString boardFileText; // the board file the game started from
    QString boardRemark;   // what is special about that board
    QStringList engineCommands; // red's and black's
    std::vector<GameRecorder::Entry> entries;

    QString markdown() const;

private:
    static QString meaning(const GameRecorder::Entry &entry);
    static QString cell(const QString &text);
};

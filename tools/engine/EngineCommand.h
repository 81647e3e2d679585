// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Move.h"
#include "Side.h"

#include <QCommandLineParser>
#include <QString>
#include <QTextStream>

class ZarvikBoard;

// One command of zarvik-engine: it declares its arguments and options on the shared
// parser and runs once they are parsed.
class EngineCommand
{
public:
    virtual ~EngineCommand() = default;

    virtual QString name() const = 0;
    // The command line it takes, after the program name: "perft DEPTH [--side red|black]".
    virtual QString synopsis() const = 0;
    // What it prints, in a sentence or two.
    virtual QString summary() const = 0;
    virtual void addArguments(QCommandLineParser &parser) const = 0;
    // Returns the exit code; results go to out, complaints to err.
    virtual int run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const = 0;

    // "B2-B3": the move text without its spaces.
    static QString compactText(const Move &move);

protected:
    // Readers of option values: false, with the reason written to err, when the value
    // is missing or malformed.
    static bool readInt(const QString &text, const QString &what, int &value, QTextStream &err);
    // Seconds with or without a fraction: "1", "0.25".
    static bool readSeconds(const QString &text, const QString &what, double &value, QTextStream &err);
    static bool readSide(const QCommandLineParser &parser, const QString &option, Side &side, QTextStream &err);
    static bool loadBoard(const QString &path, ZarvikBoard &board, QTextStream &err);
};

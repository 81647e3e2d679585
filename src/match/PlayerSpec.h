// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameOptions.h"

#include <QString>
#include <QStringList>

// One player of a match, from its text on the command line:
//   cpu:LEVEL:SECONDS   the controller's own computer player
//   cmd:COMMAND ARGS    a program started for each game; {port} in it becomes the port
//   remote:PORT         a program already running that connects by itself to PORT
// followed by options, each ",key=value": name=TEXT (its name in the table and the
// records; default the text before the options); for cpu, threads=N (the threads
// its search uses; default every core); for cmd and remote, tc=SECONDS (the time per
// move; default the match's --time).
class PlayerSpec
{
public:
    enum class Kind { Cpu, Command, Remote };

    // False with the reason in *error when the text is malformed.
    static bool parse(const QString &text, int defaultSeconds, PlayerSpec &spec, QString *error);

    Kind kind = Kind::Cpu;
    QString name;
    int level = 1;
    int seconds = 1;  // per move
    int threads = 0;  // Cpu: the search's threads; 0 every core
    QString command;  // Command: the command line, {port} not yet replaced
    quint16 port = 0; // Remote: where the controller listens

    // How the controller plays this player's side.
    SeatOptions seat() const;
    // Command: the program and its arguments, {port} replaced.
    QStringList commandLine(quint16 port) const;

private:
    bool readOption(const QString &option, QString *error);
    bool readBody(const QString &body, QString *error);
};

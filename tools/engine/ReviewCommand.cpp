// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReviewCommand.h"

#include "GameRecordReader.h"
#include "GameReview.h"

#include <QEventLoop>
#include <QFile>
#include <QSaveFile>

namespace {

const QString timeOption = QStringLiteral("time");
const QString threadsOption = QStringLiteral("threads");
const QString depthOption = QStringLiteral("depth");
const QString outputOption = QStringLiteral("output");
constexpr int fileError = 2;
constexpr double percent = 100;

QString labelName(MoveLabel label)
{
    switch (label) {
    case MoveLabel::Best:
        return QStringLiteral("best");
    case MoveLabel::Inaccuracy:
        return QStringLiteral("inaccuracies");
    case MoveLabel::Mistake:
        return QStringLiteral("mistakes");
    case MoveLabel::Blunder:
        return QStringLiteral("blunders");
    case MoveLabel::None:
        break;
    }
    return QString();
}

void printRow(const PlyReview &ply, QTextStream &out)
{
    const QString better = ply.label > MoveLabel::Best ? ply.better : QString();
    QString row = QStringLiteral("%1  %2  %3%  %4  %5")
                      .arg(ply.ply + 1, 4)
                      .arg(ply.played, -7)
                      .arg(qRound(ply.redAfter * percent), 3)
                      .arg(MoveComment::symbol(ply.label), -2)
                      .arg(better);
    while (row.endsWith(QLatin1Char(' ')))
        row.chop(1);
    out << row << '\n';
}

} // namespace

QString ReviewCommand::name() const
{
    return QStringLiteral("review");
}

QString ReviewCommand::synopsis() const
{
    return QStringLiteral("review FILE [--time S] [--threads N] [--depth D] [--output FILE]");
}

QString ReviewCommand::summary() const
{
    return QStringLiteral("Reviews every game of a records file with level 4, S seconds a position (default 0.25) "
                          "on N threads (default 1), as the window does: for each game a table of the plies (number, "
                          "move, red's chance to win after it, the label ?! inaccuracy, ? mistake or ?? blunder, and "
                          "then the move level 4 prefers), then each side's moves of every label and the "
                          "chance they lost on average. --depth D searches each position to depth D instead, "
                          "whatever the time: the same review on every machine and run. --output writes the games with the review in their moves' "
                          "comments. Exit codes: 0 done, 1 bad arguments, 2 a file that cannot be read or written "
                          "or a game that cannot be replayed.");
}

void ReviewCommand::addArguments(QCommandLineParser &parser) const
{
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A records file."));
    parser.addOptions({
        {timeOption, QStringLiteral("Seconds of search per position (default 0.25)."), QStringLiteral("S"),
         QString::number(GameReview::defaultSeconds)},
        {threadsOption, QStringLiteral("Threads that search (default 1)."), QStringLiteral("N"), QStringLiteral("1")},
        {depthOption, QStringLiteral("Depth of search per position instead of a time (default 0: the time decides)."),
         QStringLiteral("D"), QStringLiteral("0")},
        {outputOption, QStringLiteral("Write the reviewed games to this records file."), QStringLiteral("FILE")},
    });
}

int ReviewCommand::run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const
{
    const QStringList arguments = parser.positionalArguments();
    Search search;
    if (arguments.size() != 2 || !readSeconds(parser.value(timeOption), QStringLiteral("--time"), search.seconds, err)
        || !readInt(parser.value(threadsOption), QStringLiteral("--threads"), search.threads, err) || search.threads < 1
        || !readInt(parser.value(depthOption), QStringLiteral("--depth"), search.depth, err) || search.depth < 0) {
        err << "usage: zarvik-engine " << synopsis() << " (N 1 or more)\n";
        return 1;
    }
    QFile file(arguments[1]);
    std::vector<GameRecord> records;
    QString error = file.errorString();
    if (!file.open(QIODevice::ReadOnly) || !GameRecordReader::readAll(file, records, &error)) {
        err << arguments[1] << ": " << error << '\n';
        return fileError;
    }
    for (size_t game = 0; game < records.size(); ++game) {
        GameRecord &record = records[game];
        out << "game " << game + 1 << ": " << record.tag(QStringLiteral("Red")) << " - "
            << record.tag(QStringLiteral("Black")) << ' ' << record.result() << '\n';
        if (!review(record, search, out)) {
            err << arguments[1] << ": game " << game + 1 << " cannot be replayed\n";
            return fileError;
        }
    }
    return parser.isSet(outputOption) && !write(parser.value(outputOption), records, err) ? fileError : 0;
}

bool ReviewCommand::review(GameRecord &record, const Search &search, QTextStream &out)
{
    GameReview review;
    review.setTimePerPosition(search.seconds);
    review.setThreads(search.threads);
    review.setDepth(search.depth);
    QEventLoop loop;
    QObject::connect(&review, &GameReview::plyReviewed, &loop, [&out](const PlyReview &ply) {
        printRow(ply, out);
        out.flush();
    });
    QObject::connect(&review, &GameReview::finished, &loop, [&out, &loop](const ReviewSummary &summary) {
        printSummary(summary, out);
        loop.quit();
    });
    if (!review.start(record))
        return false;
    loop.exec();
    GameReview::annotate(record, review.plies());
    return true;
}

void ReviewCommand::printSummary(const ReviewSummary &summary, QTextStream &out)
{
    for (Side side : bothSides) {
        out << (side == Side::Red ? "red:  " : "black:") << ' ' << summary.moves(side) << " moves";
        for (MoveLabel label : {MoveLabel::Best, MoveLabel::Inaccuracy, MoveLabel::Mistake, MoveLabel::Blunder})
            out << ", " << labelName(label) << ' ' << summary.count(side, label);
        out << QStringLiteral(", average loss %1 points\n").arg(summary.averageLoss(side) * percent, 0, 'f', 1);
    }
    out << '\n';
}

bool ReviewCommand::write(const QString &path, const std::vector<GameRecord> &records, QTextStream &err)
{
    QSaveFile file(path);
    QByteArray text;
    for (const GameRecord &record : records)
        text += record.toText().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        err << path << ": " << file.errorString() << '\n';
        return false;
    }
    return true;
}

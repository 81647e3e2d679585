#pragma once

// Games against misbehaving remote programs: memory figures of the test process,
// the options for remote sides, and the check of a game as the window shows it.

#include "GameController.h"
#include "TestPeer.h"
#include "WindowDriver.h"
#include "ZarvikBoard.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

// Stops the test function when a helper that checks something has failed.
#define REQUIRE(call)                                                                              \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (0)

// Bound for what a scenario may add to the process. The program holds at most one
// line of a peer's bytes and a small socket buffer, so even a 10 MB stream must
// leave it far below the stream's size. AddressSanitizer keeps freed blocks in
// quarantine for a while (16 MB for these tests), so only a generous bound holds
// there.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 memoryBoundKb = 64 * 1024;
#else
constexpr qint64 memoryBoundKb = 8 * 1024;
#endif

// Resident memory of this process as the kernel counts it, from /proc/self/status.
class MemoryWatch
{
public:
    // Starts a scenario, once its window and peers are set up. Where the kernel
    // allows it (Linux 4.0 and later) its peak is brought down to the current size,
    // so that the peak read later is this scenario's own, not an earlier one's.
    MemoryWatch() : peakWasReset(resetPeak()), startKb(statusKb(peakWasReset ? "VmHWM:" : "VmRSS:"))
    {
        // The kernel's peak can miss memory taken and given back between two looks
        // at it; the resident size sampled while events run catches what a peer
        // makes the program hold from one event to the next.
        QObject::connect(&sampler, &QTimer::timeout, &sampler, [this] { sample(); });
        sampler.start(5);
    }
    MemoryWatch(const MemoryWatch &) = delete;
    MemoryWatch &operator=(const MemoryWatch &) = delete;

    void sample() { mostResidentKb = qMax(mostResidentKb, statusKb("VmRSS:")); }
    qint64 peakKb() const { return qMax(statusKb("VmHWM:"), mostResidentKb); }
    // How far the peak rose above the size at the start; without a reset, an
    // earlier peak can only make this larger.
    qint64 peakGrowthKb() const { return peakKb() - startKb; }
    // Whether the scenario kept to memoryBoundKb; not when the figures cannot be read.
    bool keptToBound() const { return startKb > 0 && peakGrowthKb() < memoryBoundKb; }

    // One line of figures for the test log.
    void report(const char *scenario, const QString &figures) const
    {
        const qint64 peak = peakKb();
        qInfo("hostile figures | %s: %s; peak memory %lld kB, %lld kB above the %lld kB at the start%s",
              scenario, qPrintable(figures), peak, peak - startKb, startKb,
              peakWasReset ? "" : " (peak not reset: includes earlier scenarios)");
    }

    const bool peakWasReset;
    const qint64 startKb;

private:
    static bool resetPeak()
    {
        QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
        return clearRefs.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && clearRefs.write("5") == 1;
    }

    static qint64 statusKb(const char *field)
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
            return -1;
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (line.startsWith(field))
                return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
        }
        return -1;
    }

    qint64 mostResidentKb = 0;
    QTimer sampler;
};

// The board text after the moves, played from the initial position.
inline QByteArray boardAfter(const QStringList &moves)
{
    ZarvikBoard board;
    board.resetToInitial();
    for (const QString &text : moves) {
        Move move;
        if (!move.parse(text.toLatin1().constData(), board.columns, board.rows))
            qFatal("not a move text: %s", qPrintable(text));
        board.applyMove(move);
    }
    return board.toText().toLatin1();
}

// A board message as a peer receives it at the start: its code, then the initial board.
inline QByteArray boardMessage(const char *code)
{
    return QByteArray(code) + boardAfter({});
}

// Makes a side (1 red, 2 black) a remote program with that many seconds per move,
// or without a clock when seconds is null.
inline void chooseRemote(WindowDriver &driver, int player, const char *seconds)
{
    const QByteArray side = QByteArray::number(player);
    driver.click(("player" + side + "SocketRB").constData());
    const QByteArray timerName = "timerPlayer" + side + "CB";
    if (driver.child<QCheckBox>(timerName.constData())->isChecked() != (seconds != nullptr))
        driver.click(timerName.constData());
    if (seconds)
        driver.child<QLineEdit>(("maxTimePlayer" + side + "Edit").constData())->setText(QLatin1String(seconds));
}

// A person plays red against a remote black program, which connects now.
inline void connectRemoteBlack(WindowDriver &driver, TestPeer &black, const char *seconds)
{
    chooseRemote(driver, 2, seconds);
    driver.click("startGameButton");
    QCOMPARE(driver.status(), QStringLiteral("Attente de connection du joueur 2 (noir)..."));
    QVERIFY(black.connectToProgram());
    QVERIFY(black.waitFor(boardMessage("2 ")));
    QTRY_COMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
}

// Two remote programs play each other; red connects first.
inline void connectRemotes(WindowDriver &driver, TestPeer &red, const char *redSeconds, TestPeer &black,
                           const char *blackSeconds)
{
    chooseRemote(driver, 1, redSeconds);
    chooseRemote(driver, 2, blackSeconds);
    driver.click("startGameButton");
    QVERIFY(red.connectToProgram());
    QTRY_COMPARE(driver.status(), QStringLiteral("Attente de connection du joueur 2 (noir)..."));
    QVERIFY(black.connectToProgram());
    QVERIFY(black.waitFor(boardMessage("2 ")));
    QVERIFY(red.waitFor(boardMessage("1 ")));
    QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
}

// The game as the window shows it: the numbered move list, the board those moves
// give, the side to move, the status text and every box shown so far.
inline void expectGame(const WindowDriver &driver, const QStringList &moves, int turn, const QString &status,
                       const QStringList &boxes)
{
    QStringList lines;
    for (int i = 0; i < moves.size(); ++i)
        lines << QStringLiteral("%1. %2").arg(i + 1).arg(moves.at(i));
    QCOMPARE(driver.moveLines(), lines);
    QCOMPARE(driver.controller()->board->toText().toLatin1(), boardAfter(moves));
    QCOMPARE(driver.controller()->turn, turn);
    QCOMPARE(driver.status(), status);
    QCOMPARE(driver.dialogs.informations, boxes);
}

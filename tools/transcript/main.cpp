// SPDX-License-Identifier: GPL-3.0-or-later
// zarvik-transcript OUT.md: plays a short game between two zarvik-engine connect
// players through the real window, headless, and writes what happened as a
// Markdown page (docs/protocol-transcript.md).
#include "GameRecorder.h"
#include "IsolatedSettings.h"
#include "GameController.h"
#include "MainWindow.h"
#include "ScriptedDialogs.h"
#include "TranscriptPage.h"

#include <QApplication>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// Red's one stone needs seven moves. Black's only stone is a small one ("1"): it
// moves like black's stones but never wins, and once on the bottom row it cannot
// move, so black passes from then on, whatever either side chooses.
const char boardFile[] = "0 0 0 0 0 0 0 0 \n"
                         "0 0 0 0 0 0 0 0 \n"
                         "0 0 0 0 0 0 0 0 \n"
                         "0 0 0 0 0 0 0 1 \n"
                         "0 0 0 0 0 0 0 0 \n"
                         "0 0 0 0 0 0 0 0 \n"
                         "0 0 0 0 0 0 0 0 \n"
                         "4 0 0 0 0 0 0 0 \n";

const char boardRemark[] = "Red has one stone (code 4) on A1. Black has one small stone (code 1) on H5: it moves "
                           "like black's stones but never wins, and on the bottom row it cannot move any more, so "
                           "black has to pass while red walks to the far row.";

constexpr int timeoutMs = 120000;

QStringList engineArguments(int seed)
{
    return {QStringLiteral("connect"), QStringLiteral("--level"), QStringLiteral("1"), QStringLiteral("--time"),
            QStringLiteral("1"), QStringLiteral("--seed"), QString::number(seed), QStringLiteral("--verbose")};
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: zarvik-transcript OUT.md\n";
        return 2;
    }
    QTemporaryDir scratch;
    const QString boardPath = scratch.filePath(QStringLiteral("transcript.brd"));
    if (!scratch.isValid() || !writeFile(boardPath, boardFile)) {
        err << "cannot write the board file\n";
        return 1;
    }
    // Fixed seeds: the same game every time, so the page changes only with the program.
    const QStringList arguments[2] = {engineArguments(1), engineArguments(2)};
    ScriptedDialogs dialogs;
    IsolatedSettings::begin(); // the window as on a first run, whatever the user's settings
    GameController controller;
    auto *window = new MainWindow(&controller);
    window->setDialogs(&dialogs);
    window->show();
    GameRecorder recorder(window, &dialogs, QStringLiteral(ZARVIK_ENGINE), arguments);
    const bool complete = recorder.record(boardPath, timeoutMs);

    TranscriptPage page;
    page.command = QStringLiteral("build/release/tools/transcript/zarvik-transcript docs/protocol-transcript.md");
    page.boardFileText = QString::fromLatin1(boardFile);
    page.boardRemark = QString::fromLatin1(boardRemark);
    for (const QStringList &side : arguments)
        page.engineCommands << QStringLiteral("zarvik-engine ") + side.join(QLatin1Char(' '));
    page.entries = recorder.entries();
    delete window;
    if (!complete || recorder.exitCode(Side::Red) != 0 || recorder.exitCode(Side::Black) != 0) {
        err << "the game did not end normally; what happened:\n";
        for (const GameRecorder::Entry &entry : page.entries)
            err << entry.who << ": " << entry.what << '\n';
        return 1;
    }
    if (!writeFile(QString::fromLocal8Bit(argv[1]), page.markdown().toUtf8())) {
        err << "cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameOptions.h"
#include "GameRecord.h"
#include "Move.h"
#include "WidgetDialogs.h"

#include <QMainWindow>
#include <QTimer>

#include <vector>

class GameModel;
class BoardWidget;
class Analysis;
class Game;
class GameController;
class InterruptedGame;
class QDockWidget;
class ReviewPanel;
class QAction;
class QKeySequence;
class QLabel;
class QMenu;
class StatusLabel;
class TurnViewWidget;
struct Move;

namespace Ui {
class MainWindow;
}

// The program's one window: the menus, the board view, the move list, the turn
// indicator, the options panel and the status bar. It creates the board, wires the views to
// the controller and starts a first game with the options remembered.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Runs its games on the given controller; not owned.
    explicit MainWindow(GameController *host, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Replaces the window's boxes and file dialogs (tests, tools); not owned. Null
    // brings back the real ones.
    void setDialogs(Dialogs *dialogs);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createGameMenu();
    // The options panel's buttons do what the menu's actions do.
    void connectOptionsPanel();
    void startNewGame();
    void loadBoard();
    void saveBoard();
    void quit();
    void createMovesMenu();
    void createViewMenu();
    // The expert search's view of the position shown, docked on the right, hidden
    // at first; the menu shows and hides it.
    void createAnalysisPanel(QMenu *menu);
    void createReviewPanel(QMenu *menu);
    void keepBoardRoom(QDockWidget *dock);
    void createHelpMenu();
    // Joining a game hosted elsewhere, and where this window's games wait for remote
    // players: the menu entries, the status bar's clock and address, and the settings.
    void createNetworkActions(QMenu *menu);
    void connectNetwork();
    void joinGame();
    void chooseListening();
    void loadNetworkSettings();
    void saveNetworkSettings() const;
    void showRules();
    void showAbout();
    QAction *addAction(QMenu *menu, const QString &text, const QKeySequence &keys, const QString &tip);
    void createStatusBar();
    void startRememberedGame();
    void fitOnScreen(const QSize &wanted);
    void updateMoveActions();
    void showThinking(bool thinking);
    void showDepth(int depth, int score);
    void createHint();
    void askHint();
    void showHint();
    // Stops a hint search and takes the hint off the board: the position changed.
    void dropHint();
    // Asks before a game in progress with moves played is lost; false: keep it.
    bool mayDiscardGame();
    bool saveGame();
    void openGame();
    void showOpened(const QString &path);
    void resign();
    QString readGames(const QString &path, std::vector<GameRecord> &games);
    int chooseGame(const std::vector<GameRecord> &games);
    static QString shownName(const QString &recorded);
    static QString playersText(const GameRecord &record);
    void showTitle();
    // Whether a game is shown that is not being played (opened, or over).
    bool replaying() const;
    void showReplayedPly(int plies);
    void stepReplay(int delta);
    void continueFromHere();
    void createMoveList();
    void showGameOver(const QString &text);
    void useCompactFont();
    void connectController();
    void showStatusMessage(const QString &text);
    // The options panel, window size, flip and folders of the last run, kept on exit.
    void loadSettings();
    void saveSettings() const;
    static QString folderOf(const QString &path);

    Ui::MainWindow *ui;
    BoardWidget *boardWidget;
    TurnViewWidget *turnView;
    GameController *controller;
    InterruptedGame *interrupted = nullptr;
    ReviewPanel *review = nullptr;
    Game *played;
    const GameModel *game;
    WidgetDialogs widgetDialogs{this};
    Dialogs *dialogs = &widgetDialogs;
    QString boardFolder = QStringLiteral("./"); // where the file dialogs open
    QString gameFolder = QStringLiteral("./");
    QAction *saveGameAction = nullptr;
    QAction *resignAction = nullptr;
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;
    QAction *replayActions[4] = {}; // first, previous, next, last
    QAction *continueAction = nullptr;
    QAction *playNowAction = nullptr;
    QAction *hintAction = nullptr;
    QAction *flipAction = nullptr;
    // The search for a hint to the person to move, and its best move so far.
    Analysis *hinter = nullptr;
    std::optional<Move> hint;
    StatusLabel *statusLabel = nullptr;
    QLabel *thinkingLabel = nullptr;
    QString openedFile; // the name of the records file whose game is shown
    QLabel *friendLabel = nullptr;   // where a friend connects while a "Réseau" side waits
    QString joinHost;                // the host last joined
    quint16 joinPort = 0;
    bool listenLocal = false;        // the listening options last chosen
    quint16 listenPort = 0;
    bool listeningChosen = false;    // by the person, now or in an earlier run
    // The game as last saved or opened: it need not be saved again.
    GameRecord savedGame;
};

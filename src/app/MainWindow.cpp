// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "AccessibleNames.h"
#include "Analysis.h"
#include "AnalysisView.h"
#include "BoardFile.h"
#include "BoardWidget.h"
#include "FileErrors.h"
#include "GameController.h"
#include "GameRecordReader.h"
#include "StatusLabel.h"
#include "ClockLabel.h"
#include "GameNarrator.h"
#include "ReviewPanel.h"
#include "InterruptedGame.h"
#include "MoveListModel.h"
#include "OptionsPanel.h"
#include "TurnViewWidget.h"
#include "ZarvikBoard.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QSettings>
#include <QStyle>
#include <QTimer>

namespace {
constexpr unsigned cellSize = 64;

QString boardFilter()
{
    return QCoreApplication::translate("MainWindow", "plateaux (*.brd)");
}

QString gameFilter()
{
    return QCoreApplication::translate("MainWindow", "parties (*.zgn)");
}

// The records of a match may have any name (games.txt, sprt.rec): they open too.
QString openGameFilter()
{
    return QCoreApplication::translate("MainWindow", "parties (*.zgn *.rec *.txt);;tous les fichiers (*)");
}

// The organisation and the application under which the settings are kept.
const QString settingsName = QStringLiteral("Zarvik");
// Room left around the window for the window manager's title bar and borders.
const QSize frameAllowance(20, 50);
constexpr int replayEnd = 1 << 20; // a step past either end of any game
// The hint is the best move the expert search finds in a second.
constexpr int hintSeconds = 1;
// The games of a records file offered to choose from; a match's file holds far fewer.
constexpr int maxGamesOffered = 10000;
} // namespace

MainWindow::MainWindow(GameController *host, QWidget *parent)
    : QMainWindow(parent),
      ui(new Ui::MainWindow),
      controller(host),
      played(host->game()),
      game(host->model())
{
    useCompactFont();
    ui->setupUi(this);
    boardWidget = new BoardWidget(this, game, cellSize);
    ui->boardLayout->addWidget(boardWidget);
    boardWidget->setFocus(); // moves from the keyboard at once
    turnView = new TurnViewWidget(ui->playerTurnGB, game);
    ui->turnLayout->addWidget(turnView);
    auto *clock = new ClockLabel(played, ClockLabel::Shows::Remaining, ui->playerTurnGB);
    clock->setObjectName(QStringLiteral("clockLabel"));
    ui->turnLayout->addWidget(clock);
    createHint();
    createMenus();
    connectOptionsPanel();
    createMoveList();
    createStatusBar();
    AccessibleNames::give(this);
    connectController();
    connectNetwork();
    loadSettings();
    interrupted = new InterruptedGame(controller, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                                      + QStringLiteral("/partie-en-cours.zgn"),
                                      this);
    connect(interrupted, &InterruptedGame::statusChanged, this, &MainWindow::showStatusMessage);
    connect(interrupted, &InterruptedGame::opened, this, &MainWindow::showOpened);
    connect(interrupted, &InterruptedGame::resumed, ui->optionsPanel, &OptionsPanel::showSides);
    startRememberedGame();
    // Once the window is up, with the dialogs it is given.
    QTimer::singleShot(0, this, [this] { interrupted->offer(*dialogs, this); });
}

MainWindow::~MainWindow()
{
    saveSettings();
    controller->stopGame();
    controller->disconnect(this);
    played->disconnect(this);
    controller->seating()->disconnect(this);
    game->disconnect(this);
    delete ui;
}

void MainWindow::setDialogs(Dialogs *replacement)
{
    dialogs = replacement ? replacement : &widgetDialogs;
}

void MainWindow::createMenus()
{
    createGameMenu();
    createMovesMenu();
    createViewMenu();
    createHelpMenu();
    updateMoveActions();
}

// The game's status and the computer's thinking are permanent widgets, on the right:
// the menus' tips come and go on the left without hiding them.
void MainWindow::createStatusBar()
{
    statusLabel = new StatusLabel(ui->statusBar);
    ui->statusBar->addPermanentWidget(statusLabel);
    thinkingLabel = new QLabel(ui->statusBar);
    thinkingLabel->setObjectName(QStringLiteral("thinkingLabel"));
    ui->statusBar->addPermanentWidget(thinkingLabel);
    showThinking(false);
}

// The options remembered are in force from the start: a computer side plays at once.
// A remote side waits for the green button, so that no port opens with the program.
void MainWindow::startRememberedGame()
{
    GameOptions options;
    if (!ui->optionsPanel->readOptions(options, *dialogs))
        return;
    if (options.red.kind != PlayerKind::Socket && options.black.kind != PlayerKind::Socket) {
        controller->startGame(options);
        return;
    }
    controller->showBoard(ZarvikBoard());
    showStatusMessage(tr("Partie en réseau : appuyez sur le bouton vert pour attendre les programmes."));
}

QAction *MainWindow::addAction(QMenu *menu, const QString &text, const QKeySequence &keys, const QString &tip)
{
    QAction *action = menu->addAction(text);
    action->setShortcut(keys);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    return action;
}

// The form's actions serve the menu.
void MainWindow::createGameMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Partie"));
    ui->actionNouvelle_partie->setShortcut(QKeySequence::New);
    connect(ui->actionNouvelle_partie, &QAction::triggered, this, &MainWindow::startNewGame);
    menu->addAction(ui->actionNouvelle_partie);
    connect(addAction(menu, tr("Ouvrir une partie…"), QKeySequence::Open, tr("Lire une partie enregistrée pour la rejouer")),
            &QAction::triggered, this, &MainWindow::openGame);
    saveGameAction = addAction(menu, tr("Enregistrer la partie…"), QKeySequence::Save,
                               tr("Écrire la partie jouée dans un fichier"));
    connect(saveGameAction, &QAction::triggered, this, &MainWindow::saveGame);
    resignAction = addAction(menu, tr("Abandonner"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
                             tr("Donner la partie à l'adversaire"));
    connect(resignAction, &QAction::triggered, this, &MainWindow::resign);
    createReviewPanel(menu);
    createNetworkActions(menu);
    menu->addSeparator();
    for (QAction *action : {ui->actionCharger_un_plateau, ui->actionSauvegarder_plateau})
        menu->addAction(action);
    connect(ui->actionCharger_un_plateau, &QAction::triggered, this, &MainWindow::loadBoard);
    connect(ui->actionSauvegarder_plateau, &QAction::triggered, this, &MainWindow::saveBoard);
    menu->addSeparator();
    connect(addAction(menu, tr("&Quitter"), QKeySequence::Quit, tr("Quitter")), &QAction::triggered, this,
            &MainWindow::quit);
}

void MainWindow::connectOptionsPanel()
{
    OptionsPanel *panel = ui->optionsPanel;
    connect(panel, &OptionsPanel::newGameRequested, this, &MainWindow::startNewGame);
    connect(panel, &OptionsPanel::loadBoardRequested, this, &MainWindow::loadBoard);
    connect(panel, &OptionsPanel::saveBoardRequested, this, &MainWindow::saveBoard);
    connect(panel, &OptionsPanel::quitRequested, this, &MainWindow::quit);
}

void MainWindow::createMovesMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Coups"));
    undoAction = addAction(menu, tr("Annuler le coup"), QKeySequence::Undo,
                           tr("Reprendre le dernier coup (et la réponse de l'ordinateur)"));
    redoAction = addAction(menu, tr("Refaire"), QKeySequence::Redo, tr("Rejouer le coup repris"));
    connect(undoAction, &QAction::triggered, played, &Game::undo);
    connect(redoAction, &QAction::triggered, played, &Game::redo);
    playNowAction = addAction(menu, tr("Jouer maintenant"), QKeySequence(Qt::Key_M),
                              tr("L'ordinateur joue tout de suite le meilleur coup trouvé jusqu'ici"));
    connect(playNowAction, &QAction::triggered, played, &Game::playNow);
    hintAction = addAction(menu, tr("Indice"), QKeySequence(Qt::Key_H),
                           tr("Marquer sur le plateau le coup que l'ordinateur jouerait (en une seconde)"));
    connect(hintAction, &QAction::triggered, this, &MainWindow::askHint);
    menu->addSeparator();
    const struct
    {
        const char *text;
        Qt::Key key;
        int step;
    } steps[] = {{QT_TR_NOOP("Début de la partie"), Qt::Key_Home, -replayEnd},
                 {QT_TR_NOOP("Coup précédent"), Qt::Key_Left, -1},
                 {QT_TR_NOOP("Coup suivant"), Qt::Key_Right, 1},
                 {QT_TR_NOOP("Fin de la partie"), Qt::Key_End, replayEnd}};
    for (int i = 0; i < 4; ++i) {
        replayActions[i] = addAction(menu, tr(steps[i].text), QKeySequence(Qt::CTRL | steps[i].key),
                                     tr("Rejouer la partie ouverte"));
        connect(replayActions[i], &QAction::triggered, this, [this, i, steps] { stepReplay(steps[i].step); });
    }
    continueAction = addAction(menu, tr("Continuer d'ici"), QKeySequence(Qt::CTRL | Qt::Key_Return),
                               tr("Commencer une partie depuis la position affichée, avec les options choisies"));
    connect(continueAction, &QAction::triggered, this, &MainWindow::continueFromHere);
}

void MainWindow::createViewMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Affichage"));
    flipAction = addAction(menu, tr("Retourner le plateau"), QKeySequence(Qt::CTRL | Qt::Key_R),
                           tr("Montrer le plateau du côté noir"));
    flipAction->setCheckable(true);
    connect(flipAction, &QAction::toggled, boardWidget, &BoardWidget::setFlipped);
    createAnalysisPanel(menu);
}

void MainWindow::createAnalysisPanel(QMenu *menu)
{
    auto *dock = new QDockWidget(tr("Analyse"), this);
    dock->setObjectName(QStringLiteral("analysisDock"));
    auto *view = new AnalysisView(dock);
    dock->setWidget(view);
    auto *analysis = new Analysis(played, dock);
    connect(analysis, &Analysis::statusChanged, view, &AnalysisView::showStatus);
    connect(analysis, &Analysis::deepened, view, &AnalysisView::showDepth);
    connect(analysis, &Analysis::searchEnded, view, &AnalysisView::showEnded);
    connect(dock, &QDockWidget::visibilityChanged, analysis, &Analysis::setActive);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    QAction *toggle = dock->toggleViewAction();
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)); // E for the expert search
    toggle->setStatusTip(tr("Montrer la profondeur, le score et la ligne attendue de la recherche experte "
                            "pour la position affichée"));
    toggle->setToolTip(toggle->statusTip());
    menu->addAction(toggle);
    keepBoardRoom(dock);
}

// The review of the game shown, docked on the right beside the analysis, hidden
// until a review is asked for.
void MainWindow::createReviewPanel(QMenu *menu)
{
    auto *dock = new QDockWidget(tr("Revue de la partie"), this);
    dock->setObjectName(QStringLiteral("reviewDock"));
    review = new ReviewPanel(played, dock);
    dock->setWidget(review);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    keepBoardRoom(dock);
    QAction *start = addAction(menu, tr("Analyser la partie"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G),
                               tr("L'ordinateur expert revoit chaque coup de la partie affichée : graphique des "
                                  "chances, imprécisions, erreurs et gaffes, avec le meilleur coup"));
    connect(start, &QAction::triggered, this, [this, dock] {
        dock->show();
        dock->raise();
        review->start();
    });
    connect(review, &ReviewPanel::plyChosen, this, &MainWindow::showReplayedPly);
    connect(game, &GameModel::changed, this, [this] { review->showPly(game->cursor()); });
}

// The window widens by a panel, once laid out, rather than give it the room of the
// board and the move list, and narrows again without it.
void MainWindow::keepBoardRoom(QDockWidget *dock)
{
    connect(dock->toggleViewAction(), &QAction::toggled, this, [this, dock](bool shown) {
        if (isMaximized() || isFullScreen())
            return;
        if (!shown) {
            // Once the layout has let go of the panel's minimum width.
            const int narrow = width() - dock->width() - style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
            QTimer::singleShot(0, this, [this, narrow] {
                setMinimumWidth(minimumSizeHint().width());
                resize(narrow, height());
            });
            return;
        }
        const int central = centralWidget()->width();
        QTimer::singleShot(0, this, [this, central] { resize(width() + central - centralWidget()->width(), height()); });
    });
}

void MainWindow::createHelpMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("A&ide"));
    connect(addAction(menu, tr("Règles du jeu"), QKeySequence::HelpContents, tr("Comment on joue à Zarvik")),
            &QAction::triggered, this, &MainWindow::showRules);
    connect(addAction(menu, tr("À propos de Zarvik"), QKeySequence(), tr("Version et licence")),
            &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::showRules()
{
    dialogs->information(
        tr("Règles du jeu"),
        tr("<h3>Zarvik</h3>"
           "<p>Deux joueurs, rouge et noir, ont chacun seize pierres sur un plateau de 8 × 8 cases. "
           "Rouge part des deux rangées du bas et monte, noir part des deux rangées du haut et descend. "
           "Rouge joue en premier, puis chacun son tour.</p>"
           "<p><b>Déplacement :</b> une pierre avance d'une case, tout droit sur une case vide, ou en "
           "diagonale sur une case vide ou sur une pierre adverse, qu'elle <b>capture</b>.</p>"
           "<p><b>Victoire :</b> le premier joueur qui amène une pierre sur la dernière rangée, celle "
           "de départ de l'adversaire, gagne la partie.</p>"
           "<p><b>Passe :</b> un joueur qui ne peut pas jouer passe son tour. Si aucun des deux ne peut "
           "jouer, la partie est nulle.</p>"
           "<p><b>Joueurs :</b> chaque camp est joué par une personne (« Humain »), par l'ordinateur "
           "(« Ordinateur », quatre niveaux et un temps par coup) ou par un programme distant relié par "
           "le réseau (« Réseau », port TCP 8888).</p>"));
}

void MainWindow::showAbout()
{
    dialogs->information(tr("À propos de Zarvik"),
                         tr("<h3>Zarvik %1</h3>"
                            "<p>Un jeu de course à deux joueurs sur un plateau de 8 × 8 cases, contre une "
                            "personne, l'ordinateur ou un programme en réseau.</p>"
                            "<p>Licence : GNU GPL version 3 ou ultérieure (GPL-3.0-or-later).</p>")
                             .arg(QStringLiteral(ZARVIK_VERSION)));
}

void MainWindow::showThinking(bool thinking)
{
    thinkingLabel->setText(thinking ? tr("L'ordinateur réfléchit…") : QString());
    playNowAction->setEnabled(thinking);
}

void MainWindow::showDepth(int depth, int score)
{
    thinkingLabel->setText(tr("L'ordinateur réfléchit… profondeur %1, score %2")
                               .arg(depth)
                               .arg(QString::asprintf("%+d", score)));
}

// The analysis service searches the position for a second; the first move of its
// deepest line is the hint.
void MainWindow::createHint()
{
    hinter = new Analysis(played, this);
    hinter->setTimeLimit(hintSeconds);
    connect(hinter, &Analysis::deepened, this, [this](Side, int, int, int, const QStringList &line) {
        Move best;
        if (!line.isEmpty() && best.parse(line.first().toLatin1().constData(), ZarvikBoard::size, ZarvikBoard::size))
            hint = best;
    });
    connect(hinter, &Analysis::searchEnded, this, &MainWindow::showHint);
}

void MainWindow::askHint()
{
    dropHint();
    if (played->humanSide())
        hinter->setActive(true);
}

void MainWindow::showHint()
{
    hinter->setActive(false);
    const std::optional<Side> side = played->humanSide();
    if (hint && side && game->position().isLegal(*hint, *side))
        boardWidget->showHint(*hint);
}

void MainWindow::dropHint()
{
    hinter->setActive(false);
    hint.reset();
    boardWidget->clearHint();
}

void MainWindow::updateMoveActions()
{
    const bool remote = played->options().red.kind == PlayerKind::Socket
                        || played->options().black.kind == PlayerKind::Socket;
    undoAction->setEnabled(played->canUndo());
    undoAction->setToolTip(remote ? tr("Impossible contre un programme réseau : il ne reprend pas ses coups.")
                                  : undoAction->statusTip());
    redoAction->setEnabled(played->canRedo());
    for (QAction *action : replayActions)
        action->setEnabled(replaying());
    continueAction->setEnabled(replaying());
    hintAction->setEnabled(played->humanSide().has_value());
    resignAction->setEnabled(played->humanSide().has_value());
}

bool MainWindow::replaying() const
{
    return !played->inProgress() && !game->plies().empty();
}

bool MainWindow::mayDiscardGame()
{
    if (!played->inProgress() || game->plies().empty() || game->record() == savedGame)
        return true;
    switch (dialogs->question(this, tr("Partie en cours"),
                              tr("La partie en cours sera perdue. Voulez-vous l'enregistrer ?"))) {
    case Dialogs::Answer::Save:
        return saveGame();
    case Dialogs::Answer::Discard:
        return true;
    case Dialogs::Answer::Cancel:
        break;
    }
    return false;
}

// The game opened for replay, or the one played.
bool MainWindow::saveGame()
{
    const QString title = tr("Enregistrer la partie");
    const QString chosen = dialogs->saveFileName(this, title, gameFolder, gameFilter());
    if (chosen.isNull())
        return false;
    const QString path = QFileInfo(chosen).suffix().isEmpty() ? chosen + QStringLiteral(".zgn") : chosen;
    const GameRecord record = game->record();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(record.toText().toUtf8()) >= 0 && file.commit()) {
        gameFolder = folderOf(path);
        savedGame = record;
        showStatusMessage(tr("Partie enregistrée dans %1").arg(QDir::toNativeSeparators(path)));
        return true;
    }
    dialogs->warning(this, title, tr("Impossible d'enregistrer la partie %1 : %2").arg(path, FileErrors::reason(file)));
    return false;
}

// A file of several games (a match's) lets the person choose one. The game, checked
// move by move, is shown at its end; the game in progress stops.
void MainWindow::openGame()
{
    const QString title = tr("Ouvrir une partie");
    if (!mayDiscardGame())
        return;
    const QString path = dialogs->openFileName(this, title, gameFolder, openGameFilter());
    if (path.isNull())
        return;
    std::vector<GameRecord> games;
    QString error = readGames(path, games);
    if (error.isEmpty())
        gameFolder = folderOf(path);
    const int chosen = error.isEmpty() ? chooseGame(games) : -1;
    if (chosen < 0 && error.isEmpty())
        return;
    int illegal = 0;
    if (error.isEmpty() && !controller->openRecord(games[size_t(chosen)], &illegal))
        error = tr("le coup %1 n'est pas permis").arg(illegal);
    if (!error.isEmpty()) {
        dialogs->warning(this, title, tr("Impossible de lire la partie %1 : %2").arg(path, error));
        return;
    }
    savedGame = games[size_t(chosen)];
    showOpened(path);
}

// The game of a records file shown to be replayed, at its end.
void MainWindow::showOpened(const QString &path)
{
    openedFile = QFileInfo(path).fileName();
    showTitle();
    showReplayedPly(game->cursor());
}

// Giving the game away is asked twice: the shortcut is easily hit.
void MainWindow::resign()
{
    if (played->humanSide() && dialogs->confirm(this, tr("Abandonner"), tr("Abandonner la partie ? L'adversaire la gagne.")))
        played->resign();
}

// The file's games, at most maxGamesOffered; the reason when it cannot be read.
QString MainWindow::readGames(const QString &path, std::vector<GameRecord> &games)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileErrors::reason(file);
    GameRecordReader reader(file);
    GameRecord record;
    while (int(games.size()) < maxGamesOffered && reader.next(record))
        games.push_back(record);
    if (!reader.error().isEmpty())
        return reader.error();
    return games.empty() ? tr("aucune partie") : QString();
}

// The index of the game to replay: the only one, or the one chosen by its round,
// players and result; -1 when the choice is cancelled.
int MainWindow::chooseGame(const std::vector<GameRecord> &games)
{
    if (games.size() == 1)
        return 0;
    QStringList items;
    for (const GameRecord &each : games)
        items << tr("%1. Ronde %2 : %3").arg(items.size() + 1).arg(each.tag(QStringLiteral("Round")), playersText(each));
    return dialogs->choose(this, tr("Ouvrir une partie"),
                           tr("Ce fichier contient %1 parties. Laquelle rejouer ?").arg(games.size()), items);
}

// The words this program writes in records for who played ("Humain", "Ordinateur
// niveau 3", "Réseau") told in the window's language; other names as they are.
QString MainWindow::shownName(const QString &recorded)
{
    static const QRegularExpression computer(QStringLiteral("^Ordinateur niveau (\\d+)$"));
    const QRegularExpressionMatch level = computer.match(recorded);
    if (level.hasMatch())
        return tr("Ordinateur niveau %1").arg(level.captured(1));
    if (recorded == QStringLiteral("Humain"))
        return tr("Humain");
    if (recorded == QStringLiteral("Réseau"))
        return tr("Réseau");
    return recorded.isEmpty() ? QStringLiteral("?") : recorded;
}

// Who played red and black, and the result, in words.
QString MainWindow::playersText(const GameRecord &record)
{
    const QString result = record.result();
    const QString outcome = result == GameRecord::redWins     ? tr("rouge gagne")
                            : result == GameRecord::blackWins ? tr("noir gagne")
                            : result == GameRecord::draw      ? tr("nulle")
                                                              : tr("non terminée");
    const auto name = [&record](const QString &tag) { return shownName(record.tag(tag)); };
    return tr("%1 (rouge) contre %2 (noir), %3").arg(name(QStringLiteral("Red")), name(QStringLiteral("Black")), outcome);
}

// The name of the file whose game is shown, until a game is played.
void MainWindow::showTitle()
{
    if (played->inProgress())
        openedFile.clear();
    setWindowTitle(openedFile.isEmpty() ? QStringLiteral("Zarvik") : QStringLiteral("Zarvik — %1").arg(openedFile));
}

// The position after that many plies of the game replayed.
void MainWindow::showReplayedPly(int plies)
{
    if (!replaying())
        return;
    played->showPly(plies);
    showStatusMessage(tr("Partie rejouée : tour %1 sur %2").arg(game->cursor()).arg(game->plies().size())
                      + QStringLiteral(" — ") + playersText(game->record()));
}

void MainWindow::stepReplay(int delta)
{
    showReplayedPly(qBound(0, game->cursor() + delta, int(game->plies().size())));
}

// A new game from the position shown, with the side to move there and the options
// of the panel; the moves before it stay in the game's record.
void MainWindow::continueFromHere()
{
    GameOptions options;
    if (replaying() && ui->optionsPanel->readOptions(options, *dialogs) && mayDiscardGame())
        controller->continueGame(options);
}

// The plies as the model lists them, the current row on the ply shown. A row
// chosen by click or arrow key is shown in a replay; during a game the row goes
// back to the ply played once the view is done with the click.
void MainWindow::createMoveList()
{
    auto *moves = new MoveListModel(game, this);
    QListView *view = ui->moveListWidget;
    view->setModel(moves);
    const auto showCurrent = [view, moves] { view->setCurrentIndex(moves->index(moves->currentRow())); };
    connect(moves, &MoveListModel::currentRowChanged, view, showCurrent);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, view, moves, showCurrent](const QModelIndex &row) {
                if (replaying())
                    showReplayedPly(row.row() + 1);
                else if (row.row() != moves->currentRow())
                    QTimer::singleShot(0, view, showCurrent);
            });
}

void MainWindow::loadSettings()
{
    QSettings stored(settingsName, settingsName);
    ui->optionsPanel->loadSettings(stored);
    boardFolder = stored.value(QStringLiteral("folders/boards"), boardFolder).toString();
    gameFolder = stored.value(QStringLiteral("folders/games"), gameFolder).toString();
    flipAction->setChecked(stored.value(QStringLiteral("view/flipped")).toBool());
    fitOnScreen(stored.value(QStringLiteral("window/size"), sizeHint()).toSize());
    loadNetworkSettings();
}

// The window opens at the size wanted, within the screen's free area with room for
// the title bar, where the window manager places it; the board takes what is left.
void MainWindow::fitOnScreen(const QSize &wanted)
{
    const QSize room = screen()->availableGeometry().size() - frameAllowance;
    resize(wanted.boundedTo(room).expandedTo(minimumSizeHint()));
}

void MainWindow::saveSettings() const
{
    QSettings stored(settingsName, settingsName);
    ui->optionsPanel->saveSettings(stored);
    stored.setValue(QStringLiteral("folders/boards"), boardFolder);
    stored.setValue(QStringLiteral("folders/games"), gameFolder);
    stored.setValue(QStringLiteral("view/flipped"), flipAction->isChecked());
    stored.setValue(QStringLiteral("window/size"), size());
    saveNetworkSettings();
}

QString MainWindow::folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (mayDiscardGame())
        event->accept();
    else
        event->ignore();
}

// A small interface font keeps the options panel low, so that the board has room
// on a small screen.
void MainWindow::useCompactFont()
{
    QFont compact = font();
    compact.setPointSize(8);
    setFont(compact);
}

void MainWindow::connectController()
{
    connect(game, &GameModel::changed, this, &MainWindow::dropHint);
    connect(game, &GameModel::changed, this, &MainWindow::updateMoveActions);
    auto *narrator = new GameNarrator(controller, this);
    connect(narrator, &GameNarrator::statusChanged, this, &MainWindow::showStatusMessage);
    connect(narrator, &GameNarrator::gameOver, this, &MainWindow::showGameOver);
    connect(played, &Game::historyChanged, this, &MainWindow::showTitle);
    connect(played, &Game::humanSideChanged, boardWidget, &BoardWidget::setInputSide);
    connect(played, &Game::thinkingChanged, this, &MainWindow::showThinking);
    connect(played, &Game::computerDepth, this, &MainWindow::showDepth);
    connect(played, &Game::humanSideChanged, this, &MainWindow::dropHint);
    connect(played, &Game::historyChanged, this, &MainWindow::updateMoveActions);
    connect(played, &Game::humanSideChanged, this, &MainWindow::updateMoveActions);
    connect(played, &Game::stateChanged, this, [this] { turnView->setPlaying(played->turn().has_value()); });
    connect(played, &Game::turnBegan, this, [this] { turnView->setPlaying(true); });
    // A start that failed is told once, as an error; no game ended.
    connect(controller, &GameController::startFailed, this,
            [this](const QString &title, const QString &text) { dialogs->warning(this, title, text); });
    connect(boardWidget, &BoardWidget::moveEntered, played, &Game::playMove);
}

// Shown once the controller is done with the move that ended the game.
void MainWindow::showGameOver(const QString &text)
{
    QTimer::singleShot(0, this, [this, text] { dialogs->information(tr("Partie terminée"), text); });
}

void MainWindow::showStatusMessage(const QString &text)
{
    statusLabel->showStatus(text);
}

// A board that cannot be read is reported and changes nothing: the position on
// the board and the game in progress stay as they were.
void MainWindow::loadBoard()
{
    const QString title = tr("Chargement d'un plateau");
    const QString path = dialogs->openFileName(this, title, boardFolder, boardFilter());
    if (path.isNull())
        return;
    QString error;
    ZarvikBoard loaded;
    if (!loaded.loadFromFile(path, &error)) {
        dialogs->warning(this, title, error);
        return;
    }
    boardFolder = folderOf(path);
    if (!mayDiscardGame())
        return;
    ui->optionsPanel->chooseBoardFile(path);
    openedFile.clear();
    controller->showBoard(loaded);
    showStatusMessage(tr("Plateau chargé, « Personalisé » coché : le bouton vert commence une partie dessus."));
}

// Always a new game from the board chosen in the panel; "Continuer d'ici" is the
// way to go on from a position shown.
void MainWindow::startNewGame()
{
    GameOptions options;
    if (ui->optionsPanel->readOptions(options, *dialogs) && mayDiscardGame())
        controller->startGame(options);
}

void MainWindow::saveBoard()
{
    const QString title = tr("Sauvegarde du plateau");
    const QString chosen = dialogs->saveFileName(this, title, boardFolder, boardFilter());
    if (chosen.isNull())
        return;
    const QString path = BoardFile::withExtension(chosen);
    QString error;
    if (!game->position().saveToFile(path, &error)) {
        dialogs->warning(this, title, error); // the folder that failed is not the next one offered
        return;
    }
    boardFolder = folderOf(path);
    showStatusMessage(tr("Plateau enregistré dans %1").arg(QDir::toNativeSeparators(path)));
}

void MainWindow::quit()
{
    if (mayDiscardGame())
        QCoreApplication::exit(0);
}

void MainWindow::createNetworkActions(QMenu *menu)
{
    menu->addSeparator();
    connect(addAction(menu, tr("Rejoindre une partie…"), QKeySequence(Qt::CTRL | Qt::Key_J),
                      tr("Jouer un camp de la partie qu'un autre Zarvik attend sur le réseau")),
            &QAction::triggered, this, &MainWindow::joinGame);
    connect(addAction(menu, tr("Options réseau…"), QKeySequence(),
                      tr("Où les parties avec un camp « Réseau » attendent les joueurs : adresse et port")),
            &QAction::triggered, this, &MainWindow::chooseListening);
}

void MainWindow::connectNetwork()
{
    friendLabel = new QLabel(ui->statusBar);
    friendLabel->setObjectName(QStringLiteral("friendLabel"));
    friendLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ui->statusBar->addPermanentWidget(friendLabel);
    auto *moveClock = new ClockLabel(played, ClockLabel::Shows::Elapsed, ui->statusBar);
    moveClock->setObjectName(QStringLiteral("moveClock"));
    ui->statusBar->addPermanentWidget(moveClock);
    connect(controller->seating(), &Seating::awaitingFriend, friendLabel, &QLabel::setText);
    // The person's stones at the bottom, as in a game at this window.
    connect(controller->seating(), &Seating::sideJoined, this,
            [this](Side side) { flipAction->setChecked(side == Side::Black); });
}

void MainWindow::joinGame()
{
    if (!mayDiscardGame() || !dialogs->joinAddress(this, joinHost, joinPort))
        return;
    dropHint();
    controller->joinGame(joinHost, joinPort);
}

void MainWindow::chooseListening()
{
    if (!dialogs->listening(this, listenLocal, listenPort))
        return;
    listeningChosen = true;
    controller->seating()->setListening(listenLocal ? QHostAddress::LocalHost : QHostAddress::Any, listenPort);
}

// The listening options go to the controller only once chosen: until then it keeps
// its own (every address and the protocol's port, or a test's free port).
void MainWindow::loadNetworkSettings()
{
    QSettings stored(settingsName, settingsName);
    joinHost = stored.value(QStringLiteral("network/joinHost")).toString();
    joinPort = quint16(stored.value(QStringLiteral("network/joinPort"), Protocol::defaultPort).toUInt());
    listenLocal = stored.value(QStringLiteral("network/listenLocal"), false).toBool();
    listenPort = quint16(stored.value(QStringLiteral("network/listenPort"), Protocol::defaultPort).toUInt());
    listeningChosen = stored.contains(QStringLiteral("network/listenPort"));
    if (listeningChosen)
        controller->seating()->setListening(listenLocal ? QHostAddress::LocalHost : QHostAddress::Any, listenPort);
}

void MainWindow::saveNetworkSettings() const
{
    QSettings stored(settingsName, settingsName);
    stored.setValue(QStringLiteral("network/joinHost"), joinHost);
    stored.setValue(QStringLiteral("network/joinPort"), joinPort);
    // Only a choice is kept: until one is made the controller's own port stays in force.
    if (!listeningChosen)
        return;
    stored.setValue(QStringLiteral("network/listenLocal"), listenLocal);
    stored.setValue(QStringLiteral("network/listenPort"), listenPort);
}

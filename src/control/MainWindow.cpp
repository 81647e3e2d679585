// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "BoardFile.h"
#include "BoardWidget.h"
#include "CPUPlayer.h"
#include "FileErrors.h"
#include "GameController.h"
#include "GameRecordReader.h"
#include "TurnViewWidget.h"
#include "ZarvikBoard.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QIntValidator>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace {
constexpr unsigned cellSize = 64;

QString boardFilter()
{
    return QCoreApplication::translate("MainWindow", "board file (*.brd)");
}

QString gameFilter()
{
    return QCoreApplication::translate("MainWindow", "parties (*.zgn)");
}

// The organisation and the application under which the settings are kept.
const QString settingsName = QStringLiteral("Zarvik");
constexpr int replayEnd = 1 << 20; // a step past either end of any game
// The hint is the best move the computer finds at its strongest in a second.
constexpr int hintLevel = 3;
constexpr int hintSeconds = 1;

PlayerKind playerKind(const QRadioButton *cpu, const QRadioButton *socket)
{
    return cpu->isChecked() ? PlayerKind::Cpu : socket->isChecked() ? PlayerKind::Socket : PlayerKind::Human;
}

} // namespace

MainWindow::MainWindow(GameController *host, QWidget *parent)
    : QMainWindow(parent),
      ui(new Ui::MainWindow),
      board(new ZarvikBoard),
      controller(host ? host : GameController::instance())
{
    useCompactFont();
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Zarvik"));
    boardWidget = new BoardWidget(this, board, cellSize);
    boardWidget->setFocus(); // moves from the keyboard at once
    turnView = new TurnViewWidget(ui->playerTurnGB);
    turnView->setGeometry(0, 19, ui->playerTurnGB->width(), ui->playerTurnGB->height());
    setUpTimeField(ui->maxTimePlayer1Edit);
    setUpTimeField(ui->maxTimePlayer2Edit);
    createMenus();
    for (int side : {GameController::red, GameController::black})
        for (QRadioButton *kind : sideWidgets(side).kinds)
            connect(kind, &QRadioButton::toggled, this, [this, side] { updateSideOptions(side); });
    keepClientArea();
    controller->setBoard(board);
    controller->setDialogs(dialogs);
    connectController();
    loadSettings();
    // Two people on the initial board, whatever the panel remembers: the computer
    // or a server should not start with the program.
    controller->startGame(GameOptions());
}

MainWindow::~MainWindow()
{
    saveSettings();
    hinter.reset();
    controller->disconnect(this);
    controller->setBoard(nullptr);
    controller->setDialogs(nullptr);
    delete ui;
    delete board;
}

void MainWindow::setDialogs(Dialogs *replacement)
{
    dialogs = replacement ? replacement : &widgetDialogs;
    controller->setDialogs(dialogs);
}

void MainWindow::createMenus()
{
    createGameMenu();
    createMovesMenu();
    createViewMenu();
    createHelpMenu();
    thinkingLabel = new QLabel(ui->statusBar);
    thinkingLabel->setObjectName(QStringLiteral("thinkingLabel"));
    ui->statusBar->addPermanentWidget(thinkingLabel);
    showThinking(false);
    connect(ui->moveListWidget, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { showReplayedRow(ui->moveListWidget->row(item)); });
    updateMoveActions();
}

QAction *MainWindow::addAction(QMenu *menu, const QString &text, const QKeySequence &keys, const QString &tip)
{
    QAction *action = menu->addAction(text);
    action->setShortcut(keys);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    return action;
}

// The form's actions and buttons serve the menu; the buttons stay where they are.
void MainWindow::createGameMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Partie"));
    ui->actionNouvelle_partie->setShortcut(QKeySequence::New);
    ui->actionNouvelle_partie->setStatusTip(ui->startGameButton->toolTip());
    ui->actionNouvelle_partie->setIcon(ui->startGameButton->icon());
    connect(ui->actionNouvelle_partie, &QAction::triggered, this, &MainWindow::on_startGameButton_clicked);
    menu->addAction(ui->actionNouvelle_partie);
    connect(addAction(menu, tr("Ouvrir une partie…"), QKeySequence::Open, tr("Lire une partie enregistrée pour la rejouer")),
            &QAction::triggered, this, &MainWindow::openGame);
    saveGameAction = addAction(menu, tr("Enregistrer la partie…"), QKeySequence::Save,
                               tr("Écrire la partie jouée dans un fichier"));
    connect(saveGameAction, &QAction::triggered, this, &MainWindow::saveGame);
    menu->addSeparator();
    for (QAction *action : {ui->actionCharger_un_plateau, ui->actionSauvegarder_plateau})
        menu->addAction(action);
    ui->actionCharger_un_plateau->setStatusTip(ui->BrowseButton->toolTip());
    ui->actionSauvegarder_plateau->setStatusTip(ui->saveButton->toolTip());
    connect(ui->actionCharger_un_plateau, &QAction::triggered, this, &MainWindow::on_BrowseButton_clicked);
    connect(ui->actionSauvegarder_plateau, &QAction::triggered, this, &MainWindow::on_saveButton_clicked);
    menu->addSeparator();
    connect(addAction(menu, tr("&Quitter"), QKeySequence::Quit, ui->quitButton->toolTip()), &QAction::triggered,
            this, &MainWindow::on_quitButton_clicked);
}

void MainWindow::createMovesMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("&Coups"));
    undoAction = addAction(menu, tr("Annuler le coup"), QKeySequence::Undo,
                           tr("Reprendre le dernier coup (et la réponse de l'ordinateur)"));
    redoAction = addAction(menu, tr("Refaire"), QKeySequence::Redo, tr("Rejouer le coup repris"));
    connect(undoAction, &QAction::triggered, controller, &GameController::undo);
    connect(redoAction, &QAction::triggered, controller, &GameController::redo);
    playNowAction = addAction(menu, tr("Jouer maintenant"), QKeySequence(Qt::Key_M),
                              tr("L'ordinateur joue tout de suite le meilleur coup trouvé jusqu'ici"));
    connect(playNowAction, &QAction::triggered, controller, &GameController::playNow);
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

// The form was drawn for a window without menus: the window grows by the menu bar,
// and the board view, a child of the window, moves down with the central widget.
void MainWindow::keepClientArea()
{
    const int menuHeight = menuBar()->sizeHint().height();
    defaultSize = QSize(int(cellSize) * board->columns + 225, int(cellSize) * board->rows + 225 + menuHeight);
    setGeometry(QRect(QPoint(10, 10), defaultSize));
    setMinimumSize(defaultSize);
    boardWidget->move(boardWidget->x(), boardWidget->y() + menuHeight);
    formMoveList = ui->moveListWidget->geometry();
    formMoveLabel = ui->label->geometry();
    formTurnBox = ui->playerTurnGB->geometry();
    formOptions = ui->groupBox_4->geometry();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    fitBoard();
}

void MainWindow::fitBoard()
{
    if (defaultSize.isEmpty())
        return; // still being built
    const QSize extra = size() - defaultSize;
    const int cell = int(cellSize) + qMax(0, qMin(extra.width() / board->columns, extra.height() / board->rows));
    const int wider = (cell - int(cellSize)) * board->columns;
    const int taller = (cell - int(cellSize)) * board->rows;
    boardWidget->setCellSize(cell);
    ui->label->setGeometry(formMoveLabel.translated(wider, 0));
    ui->moveListWidget->setGeometry(formMoveList.translated(wider, 0).adjusted(0, 0, 0, taller));
    ui->playerTurnGB->setGeometry(formTurnBox.translated(wider, taller));
    ui->groupBox_4->setGeometry(formOptions.translated(0, taller));
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

void MainWindow::askHint()
{
    const int side = controller->humanSide();
    dropHint();
    if (side == GameController::noGame)
        return;
    hinter = std::make_unique<CPUPlayer>(board, side, hintSeconds, hintLevel, 0);
    connect(hinter.get(), &CPUPlayer::MoveReady, this, &MainWindow::showHint);
    hinter->RequestMove();
}

void MainWindow::showHint()
{
    const Move hint = *hinter->TakeMove();
    if (board->isLegal(hint, hinter->side()))
        boardWidget->showHint(hint);
}

void MainWindow::dropHint()
{
    hinter.reset();
    boardWidget->clearHint();
}

void MainWindow::updateMoveActions()
{
    const bool remote = controller->options().red.kind == PlayerKind::Socket
                        || controller->options().black.kind == PlayerKind::Socket;
    undoAction->setEnabled(controller->canUndo());
    undoAction->setToolTip(remote ? tr("Impossible contre un programme réseau : il ne reprend pas ses coups.")
                                  : undoAction->statusTip());
    redoAction->setEnabled(controller->canRedo());
    for (QAction *action : replayActions)
        action->setEnabled(replayedTurns >= 0);
    continueAction->setEnabled(replayedTurns >= 0);
    hintAction->setEnabled(controller->humanSide() != GameController::noGame);
}

bool MainWindow::mayDiscardGame()
{
    if (controller->turn() == GameController::noGame || controller->history().empty())
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
    const QString path = dialogs->saveFileName(this, title, gameFolder, gameFilter());
    if (path.isNull())
        return false;
    gameFolder = folderOf(path);
    const GameRecord game = replayedTurns >= 0 ? replayed : controller->record();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(game.toText().toUtf8()) >= 0 && file.commit())
        return true;
    dialogs->warning(this, title, tr("Impossible d'enregistrer la partie %1 : %2").arg(path, FileErrors::reason(file)));
    return false;
}

// The first game of the file, checked move by move, is shown at its end; the game in
// progress stops.
void MainWindow::openGame()
{
    const QString title = tr("Ouvrir une partie");
    if (!mayDiscardGame())
        return;
    const QString path = dialogs->openFileName(this, title, gameFolder, gameFilter());
    if (path.isNull())
        return;
    gameFolder = folderOf(path);
    QFile file(path);
    GameRecord game;
    QString error = file.open(QIODevice::ReadOnly) ? QString() : FileErrors::reason(file);
    if (error.isEmpty()) {
        GameRecordReader reader(file);
        if (!reader.next(game))
            error = reader.error().isEmpty() ? tr("aucune partie") : reader.error();
    }
    int illegal = 0;
    ZarvikBoard check; // the board shown stays as it is until the game is known good
    if (error.isEmpty() && !game.replay(check, &illegal))
        error = tr("le coup %1 n'est pas permis").arg(illegal);
    if (!error.isEmpty()) {
        dialogs->warning(this, title, tr("Impossible de lire la partie %1 : %2").arg(path, error));
        return;
    }
    controller->stopGame();
    replayed = game;
    clearMoveList();
    showReplayed(int(game.moves.size()));
}

// The position after the first turns of the game replayed, and its moves listed up
// to there.
void MainWindow::showReplayed(int turns)
{
    replayedTurns = turns;
    replayed.start(*board, replayedSide);
    ui->moveListWidget->clear();
    moveCount = 0;
    boardWidget->clearLastMove();
    for (int turn = 0; turn < turns; ++turn) {
        Move move = replayed.moves[size_t(turn)];
        if (move != GameRecord::pass) {
            board->applyMove(move);
            addMove(move, replayedSide);
        }
        replayedSide = 1 - replayedSide;
    }
    showPosition(replayedSide);
    showStatusMessage(tr("Partie rejouée : tour %1 sur %2").arg(turns).arg(replayed.moves.size()));
    updateMoveActions();
}

void MainWindow::showReplayedRow(int row)
{
    if (replayedTurns < 0)
        return;
    int moves = 0;
    for (int turn = 0; turn < int(replayed.moves.size()); ++turn)
        if (replayed.moves[size_t(turn)] != GameRecord::pass && moves++ == row)
            return showReplayed(turn + 1);
}

void MainWindow::stepReplay(int delta)
{
    if (replayedTurns >= 0)
        showReplayed(qBound(0, replayedTurns + delta, int(replayed.moves.size())));
}

// A new game from the position shown, with the side to move there and the options
// of the panel.
void MainWindow::continueFromHere()
{
    GameOptions options;
    if (replayedTurns < 0 || !readOptions(options))
        return;
    GameRecord position;
    position.setStart(*board, replayedSide);
    options.position = position.tag(QStringLiteral("Start"));
    replayedTurns = -1;
    controller->startGame(options);
}

void MainWindow::takeBackMoves(int moves)
{
    while (ui->moveListWidget->count() > moves)
        delete ui->moveListWidget->takeItem(ui->moveListWidget->count() - 1);
    moveCount = moves;
    ui->moveListWidget->setCurrentRow(moves - 1);
    boardWidget->clearSelection();
    boardWidget->clearLastMove();
    for (auto ply = controller->history().rbegin(); ply != controller->history().rend(); ++ply)
        if (ply->move != GameRecord::pass)
            return boardWidget->showLastMove(ply->move);
}

MainWindow::SideWidgets MainWindow::sideWidgets(int side) const
{
    if (side == GameController::red)
        return {{ui->player1HumanRB, ui->player1CpuRB, ui->player1SocketRB},
                {ui->level1_player1_RB, ui->level2_player1_RB, ui->level3_player1_RB, ui->level4_player1_RB},
                ui->groupBox_5,
                ui->timerPlayer1CB,
                ui->maxTimePlayer1Edit};
    return {{ui->player2HumanRB, ui->player2CpuRB, ui->player2SocketRB},
            {ui->level1_player2_RB, ui->level2_player2_RB, ui->level3_player2_RB, ui->level4_player2_RB},
            ui->groupBox_6,
            ui->timerPlayer2CB,
            ui->maxTimePlayer2Edit};
}

namespace {
template <int N>
int checkedIndex(QRadioButton *const (&buttons)[N])
{
    for (int i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return i;
    return 0;
}
} // namespace

void MainWindow::loadSettings()
{
    QSettings stored(settingsName, settingsName);
    for (int side : {GameController::red, GameController::black}) {
        const SideWidgets widgets = sideWidgets(side);
        stored.beginGroup(QStringLiteral("side%1").arg(side + 1));
        widgets.kinds[qBound(0, stored.value(QStringLiteral("kind"), 0).toInt(), 2)]->setChecked(true);
        widgets.levels[qBound(0, stored.value(QStringLiteral("level"), 0).toInt(), 3)]->setChecked(true);
        widgets.timer->setChecked(stored.value(QStringLiteral("timer"), true).toBool());
        widgets.seconds->setText(stored.value(QStringLiteral("seconds"), widgets.seconds->text()).toString());
        stored.endGroup();
        updateSideOptions(side);
    }
    (stored.value(QStringLiteral("board/custom")).toBool() ? ui->customBoardRB : ui->initialBoardRB)->setChecked(true);
    boardFile = stored.value(QStringLiteral("board/file")).toString();
    ui->boardLineEdit->setText(boardFile);
    boardFolder = stored.value(QStringLiteral("folders/boards"), boardFolder).toString();
    gameFolder = stored.value(QStringLiteral("folders/games"), gameFolder).toString();
    flipAction->setChecked(stored.value(QStringLiteral("view/flipped")).toBool());
    resize(stored.value(QStringLiteral("window/size"), size()).toSize());
}

void MainWindow::saveSettings() const
{
    QSettings stored(settingsName, settingsName);
    for (int side : {GameController::red, GameController::black}) {
        const SideWidgets widgets = sideWidgets(side);
        stored.beginGroup(QStringLiteral("side%1").arg(side + 1));
        stored.setValue(QStringLiteral("kind"), checkedIndex(widgets.kinds));
        stored.setValue(QStringLiteral("level"), checkedIndex(widgets.levels));
        stored.setValue(QStringLiteral("timer"), widgets.timer->isChecked());
        stored.setValue(QStringLiteral("seconds"), widgets.seconds->text());
        stored.endGroup();
    }
    stored.setValue(QStringLiteral("board/custom"), ui->customBoardRB->isChecked());
    stored.setValue(QStringLiteral("board/file"), boardFile);
    stored.setValue(QStringLiteral("folders/boards"), boardFolder);
    stored.setValue(QStringLiteral("folders/games"), gameFolder);
    stored.setValue(QStringLiteral("view/flipped"), flipAction->isChecked());
    stored.setValue(QStringLiteral("window/size"), size());
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

// The options panel has fixed pixel geometries drawn for a small interface font;
// with a larger desktop font its texts would be cut off.
void MainWindow::useCompactFont()
{
    QFont compact = font();
    compact.setPointSize(8);
    setFont(compact);
}

void MainWindow::setUpTimeField(QLineEdit *field)
{
    field->setValidator(new QIntValidator(0, Player::maxSeconds, field));
    field->setToolTip(QCoreApplication::translate(
                          "MainWindow", "Secondes par coup, de 0 à %1. Minuterie décochée : l'ordinateur joue en "
                                        "%2 secondes au plus, un programme réseau n'a pas de limite.")
                          .arg(Player::maxSeconds)
                          .arg(CPUPlayer::untimedCeilingSeconds));
}

void MainWindow::connectController()
{
    connect(controller, &GameController::gameCleared, this, &MainWindow::clearMoveList);
    connect(controller, &GameController::movePlayed, this, &MainWindow::addMove);
    connect(controller, &GameController::positionChanged, this, &MainWindow::showPosition);
    connect(controller, &GameController::statusChanged, this, &MainWindow::showStatusMessage);
    connect(controller, &GameController::humanSideChanged, boardWidget, &BoardWidget::setInputSide);
    connect(controller, &GameController::thinkingChanged, this, &MainWindow::showThinking);
    connect(controller, &GameController::computerDepth, this, &MainWindow::showDepth);
    for (auto changed : {&GameController::positionChanged, &GameController::humanSideChanged})
        connect(controller, changed, this, &MainWindow::dropHint);
    connect(controller, &GameController::gameCleared, this, &MainWindow::dropHint);
    connect(controller, &GameController::movesTakenBack, this, &MainWindow::takeBackMoves);
    for (auto changed : {&GameController::historyChanged, &GameController::gameCleared})
        connect(controller, changed, this, &MainWindow::updateMoveActions);
    connect(controller, &GameController::humanSideChanged, this, &MainWindow::updateMoveActions);
    connect(controller, &GameController::gameEnded, this, &MainWindow::updateMoveActions);
    connect(boardWidget, &BoardWidget::moveEntered, controller, &GameController::playMove);
}

void MainWindow::addMove(const Move &move, int side)
{
    ++moveCount;
    QString line = QStringLiteral("%1. ").arg(moveCount);
    const bool capture = move.captured != 0;
    if (capture)
        line += QLatin1Char('[');
    line += move.toText(board->columns, board->rows);
    if (capture)
        line += QLatin1Char(']');
    ui->moveListWidget->insertItem(ui->moveListWidget->count(), line);
    ui->moveListWidget->setCurrentRow(moveCount - 1);
    const bool redMoved = side == GameController::red;
    ui->moveListWidget->item(moveCount - 1)->setForeground(QBrush(redMoved ? Qt::red : Qt::black));
    boardWidget->showLastMove(move);
}

void MainWindow::clearMoveList()
{
    boardWidget->clearSelection();
    boardWidget->clearLastMove();
    boardWidget->repaint();
    turnView->showTurn(GameController::red);
    moveCount = 0;
    ui->moveListWidget->clear();
}

void MainWindow::showStatusMessage(const QString &text)
{
    ui->statusBar->showMessage(text, 0);
}

void MainWindow::showPosition(int side)
{
    boardWidget->repaint();
    turnView->showTurn(side);
}

// A board that cannot be read is reported and changes nothing: the position on
// the board and the game in progress stay as they were.
void MainWindow::on_BrowseButton_clicked()
{
    const QString title = tr("Chargement d'un plateau");
    const QString path = dialogs->openFileName(this, title, boardFolder, boardFilter());
    if (path.isNull())
        return;
    boardFolder = folderOf(path);
    QString error;
    if (!mayDiscardGame())
        return;
    if (!board->loadFromFile(path, &error)) {
        dialogs->warning(this, title, error);
        return;
    }
    ui->boardLineEdit->setText(path);
    boardFile = path;
    replayedTurns = -1;
    controller->stopGame();
    boardWidget->clearSelection();
    boardWidget->clearLastMove();
    boardWidget->repaint();
    showStatusMessage(QCoreApplication::translate(
        "MainWindow", "Plateau chargé. Pour jouer dessus, cochez « Personalisé » et commencez une nouvelle partie."));
}

// While a game is replayed, the game goes on from the position shown.
void MainWindow::on_startGameButton_clicked()
{
    if (replayedTurns >= 0)
        return continueFromHere();
    GameOptions options;
    if (mayDiscardGame() && readOptions(options))
        controller->startGame(options);
}

// False, after saying why, when a time field holds no number of seconds.
bool MainWindow::readOptions(GameOptions &options)
{
    options.customBoard = !ui->initialBoardRB->isChecked();
    options.boardFile = boardFile;
    return readSide(GameController::red, options.red) && readSide(GameController::black, options.black);
}

bool MainWindow::readSide(int side, GameOptions::Side &chosen)
{
    const bool red = side == GameController::red;
    chosen.kind = red ? playerKind(ui->player1CpuRB, ui->player1SocketRB)
                      : playerKind(ui->player2CpuRB, ui->player2SocketRB);
    chosen.level = checkedIndex(sideWidgets(side).levels) + 1;
    const QCheckBox *timer = red ? ui->timerPlayer1CB : ui->timerPlayer2CB;
    const QLineEdit *field = red ? ui->maxTimePlayer1Edit : ui->maxTimePlayer2Edit;
    chosen.timer = timer->isChecked();
    if (!chosen.timer)
        return true;
    bool number = false;
    chosen.seconds = field->text().toInt(&number);
    if (number && field->hasAcceptableInput())
        return true;
    dialogs->warning(this, QCoreApplication::translate("MainWindow", "Options"),
                     QCoreApplication::translate("MainWindow", "Le temps par coup du joueur %1 doit être un nombre "
                                                               "de secondes, de 0 à %2.")
                         .arg(red ? 1 : 2)
                         .arg(Player::maxSeconds));
    return false;
}

void MainWindow::on_saveButton_clicked()
{
    const QString title = tr("Sauvegarde du plateau");
    const QString chosen = dialogs->saveFileName(this, title, boardFolder, boardFilter());
    if (!chosen.isNull())
        boardFolder = folderOf(chosen);
    const QString path = chosen.isNull() ? chosen : BoardFile::withExtension(chosen);
    QString error;
    if (!path.isNull() && !board->saveToFile(path, &error))
        dialogs->warning(this, title, error);
}

void MainWindow::on_quitButton_clicked()
{
    if (mayDiscardGame())
        QCoreApplication::exit(0);
}

void MainWindow::on_timerPlayer1CB_clicked(bool)
{
    updateSideOptions(GameController::red);
}

void MainWindow::on_timerPlayer2CB_clicked(bool)
{
    updateSideOptions(GameController::black);
}

void MainWindow::updateSideOptions(int side)
{
    const SideWidgets widgets = sideWidgets(side);
    const bool computer = widgets.kinds[1]->isChecked();
    const bool timed = computer || widgets.kinds[2]->isChecked();
    widgets.levelBox->setEnabled(computer);
    widgets.timer->setEnabled(timed);
    widgets.seconds->setEnabled(timed && widgets.timer->isChecked());
}

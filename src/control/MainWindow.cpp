#include "MainWindow.h"

#include "BoardFile.h"
#include "BoardWidget.h"
#include "CPUPlayer.h"
#include "GameController.h"
#include "TurnViewWidget.h"
#include "ZarvikBoard.h"
#include "ui_MainWindow.h"

#include <QCoreApplication>
#include <QIntValidator>

namespace {
constexpr unsigned cellSize = 64;
const QString boardFilter = QStringLiteral("board file (*.brd)");

PlayerKind playerKind(const QRadioButton *cpu, const QRadioButton *socket)
{
    return cpu->isChecked() ? PlayerKind::Cpu : socket->isChecked() ? PlayerKind::Socket : PlayerKind::Human;
}

int level(const QRadioButton *level2, const QRadioButton *level3)
{
    return level2->isChecked() ? 2 : level3->isChecked() ? 3 : 1;
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
    setGeometry(10, 10, int(cellSize) * board->columns + 225, int(cellSize) * board->rows + 225);
    turnView = new TurnViewWidget(ui->playerTurnGB);
    turnView->setGeometry(0, 19, ui->playerTurnGB->width(), ui->playerTurnGB->height());
    setUpTimeField(ui->maxTimePlayer1Edit);
    setUpTimeField(ui->maxTimePlayer2Edit);
    controller->setBoard(board);
    controller->setDialogs(dialogs);
    connectController();
    GameOptions options;
    readOptions(options); // the options as the form shows them: two people
    controller->startGame(options);
}

MainWindow::~MainWindow()
{
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
}

void MainWindow::clearMoveList()
{
    boardWidget->clearSelection();
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
    const QString title = QStringLiteral("Chargement d'un plateau");
    const QString path = dialogs->openFileName(this, title, QStringLiteral("./"), boardFilter);
    if (path.isNull())
        return;
    QString error;
    if (!board->loadFromFile(path, &error)) {
        dialogs->warning(this, title, error);
        return;
    }
    ui->boardLineEdit->setText(path);
    boardFile = path;
    controller->stopGame();
    boardWidget->clearSelection();
    boardWidget->repaint();
    showStatusMessage(QCoreApplication::translate(
        "MainWindow", "Plateau chargé. Pour jouer dessus, cochez « Personalisé » et commencez une nouvelle partie."));
}

void MainWindow::on_startGameButton_clicked()
{
    GameOptions options;
    if (readOptions(options))
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
    chosen.level = red ? level(ui->level2_player1_RB, ui->level3_player1_RB)
                       : level(ui->level2_player2_RB, ui->level3_player2_RB);
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
    const QString title = QStringLiteral("Sauvegarde du plateau");
    const QString chosen = dialogs->saveFileName(this, title, QStringLiteral("./"), boardFilter);
    const QString path = chosen.isNull() ? chosen : BoardFile::withExtension(chosen);
    QString error;
    if (!path.isNull() && !board->saveToFile(path, &error))
        dialogs->warning(this, title, error);
}

void MainWindow::on_quitButton_clicked()
{
    QCoreApplication::exit(0);
}

void MainWindow::on_timerPlayer1CB_clicked(bool checked)
{
    ui->maxTimePlayer1Edit->setEnabled(checked);
}

void MainWindow::on_timerPlayer2CB_clicked(bool checked)
{
    ui->maxTimePlayer2Edit->setEnabled(checked);
}

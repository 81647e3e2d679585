#include "MainWindow.h"

#include "BoardWidget.h"
#include "Dialogs.h"
#include "GameController.h"
#include "Translations.h"
#include "TurnViewWidget.h"
#include "ZarvikBoard.h"
#include "ui_MainWindow.h"

#include <QCoreApplication>

namespace {
constexpr unsigned cellSize = 64;
constexpr int noTimer = 100000;
const QString boardFilter = QStringLiteral("board file (*.brd)");

// The seconds in a side's time field, or no limit when its timer is off; an
// empty or non-numeric field gives 0.
int timeLimit(const QCheckBox *timer, const QLineEdit *field)
{
    return timer->isChecked() ? field->text().toInt() : noTimer;
}

int playerType(const QRadioButton *cpu, const QRadioButton *socket)
{
    return cpu->isChecked() ? Cpu : socket->isChecked() ? Socket : Human;
}

int level(const QRadioButton *level2, const QRadioButton *level3)
{
    return level2->isChecked() ? 2 : level3->isChecked() ? 3 : 1;
}
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), board(new ZarvikBoard)
{
    useCompactFont();
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Zarvik"));
    boardWidget = new BoardWidget(this, board, cellSize);
    GameController *controller = GameController::instance();
    controller->board = board;
    controller->mainWindow = this;
    setGeometry(10, 10, int(cellSize) * board->columns + 225, int(cellSize) * board->rows + 225);
    turnView = new TurnViewWidget(ui->playerTurnGB);
    turnView->setGeometry(0, 19, ui->playerTurnGB->width(), ui->playerTurnGB->height());
    readOptions(); // the options as the form shows them: two people
    controller->startGame(false);
}

MainWindow::~MainWindow()
{
    GameController::instance()->detach();
    delete ui;
    delete board;
}

// The options panel has fixed pixel geometries drawn for a small interface font;
// with a larger desktop font its texts would be cut off.
void MainWindow::useCompactFont()
{
    QFont compact = font();
    compact.setPointSize(8);
    setFont(compact);
}

void MainWindow::addMove(const Move &move)
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
    const bool redMoved = GameController::instance()->turn == 0;
    ui->moveListWidget->item(moveCount - 1)->setForeground(QBrush(redMoved ? Qt::red : Qt::black));
}

void MainWindow::clearMoveList()
{
    boardWidget->clearSelection();
    boardWidget->repaint();
    turnView->showTurn(0);
    moveCount = 0;
    ui->moveListWidget->clear();
}

void MainWindow::showStatusMessage(const QString &text)
{
    ui->statusBar->showMessage(text, 0);
}

void MainWindow::refresh()
{
    boardWidget->repaint();
    turnView->showTurn(GameController::instance()->turn);
}

// A board that cannot be read is reported and changes nothing: the position on
// the board and the game in progress stay as they were.
void MainWindow::on_BrowseButton_clicked()
{
    GameController *controller = GameController::instance();
    const QString path = controller->dialogs()->openFileName(
        this, QStringLiteral("Chargement d'un plateau"), QStringLiteral("./"), boardFilter);
    if (path.isNull())
        return;
    QString error;
    if (!board->loadFromFile(path, &error)) {
        controller->dialogs()->warning(this, QStringLiteral("Chargement d'un plateau"),
                                       QStringLiteral("Impossible de lire le plateau %1 : %2")
                                           .arg(path, Translations::fileErrorReason(error)));
        return;
    }
    ui->boardLineEdit->setText(path);
    boardWidget->clearSelection();
    boardWidget->repaint();
    controller->stopGame();
    controller->customBoardFile = path;
}

void MainWindow::on_startGameButton_clicked()
{
    readOptions();
    GameController::instance()->startGame(!ui->initialBoardRB->isChecked());
}

void MainWindow::readOptions()
{
    GameController *controller = GameController::instance();
    controller->player1Type = playerType(ui->player1CpuRB, ui->player1SocketRB);
    controller->player1MaxTime = timeLimit(ui->timerPlayer1CB, ui->maxTimePlayer1Edit);
    controller->player1Level = level(ui->level2_player1_RB, ui->level3_player1_RB);
    controller->player2Type = playerType(ui->player2CpuRB, ui->player2SocketRB);
    controller->player2MaxTime = timeLimit(ui->timerPlayer2CB, ui->maxTimePlayer2Edit);
    controller->player2Level = level(ui->level2_player2_RB, ui->level3_player2_RB);
}

void MainWindow::on_saveButton_clicked()
{
    Dialogs *dialogs = GameController::instance()->dialogs();
    const QString path = dialogs->saveFileName(this, QStringLiteral("Sauvegarde du plateau"),
                                               QStringLiteral("./"), boardFilter);
    QString error;
    if (!path.isNull() && !board->saveToFile(path, &error))
        dialogs->warning(this, QStringLiteral("Sauvegarde du plateau"),
                         QStringLiteral("Impossible d'enregistrer le plateau %1 : %2")
                             .arg(path, Translations::fileErrorReason(error)));
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

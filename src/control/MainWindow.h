#pragma once

#include "GameDisplay.h"

#include <QMainWindow>

class Board;
class BoardWidget;
class TurnViewWidget;

namespace Ui {
class MainWindow;
}

// The program's one window: the board view, the move list, the turn indicator,
// the options panel and the status bar. It creates the board, hands it to the
// controller and starts a first game between two people.
class MainWindow : public QMainWindow, public GameDisplay
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void addMove(const Move &move) override;
    void clearMoveList() override;
    void showStatusMessage(const QString &text) override;
    void refresh() override;

private slots:
    void on_BrowseButton_clicked();
    void on_startGameButton_clicked();
    void on_saveButton_clicked();
    void on_quitButton_clicked();
    void on_timerPlayer1CB_clicked(bool checked);
    void on_timerPlayer2CB_clicked(bool checked);

private:
    void useCompactFont();
    void readOptions();

    Ui::MainWindow *ui;
    BoardWidget *boardWidget;
    TurnViewWidget *turnView;
    Board *board;
    int moveCount = 0;
};

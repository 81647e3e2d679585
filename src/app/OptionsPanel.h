// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameOptions.h"

#include <QGroupBox>

class Dialogs;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSettings;

namespace Ui {
class OptionsPanel;
}

// The options a new game starts with: who plays each side, the computer's level, the
// timers and the board; and the buttons that start a game, load or save a board and
// quit, whose work is the window's.
class OptionsPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit OptionsPanel(QWidget *parent = nullptr);
    ~OptionsPanel() override;

    // False, after a warning through the dialogs, when a time field holds no number
    // of seconds.
    bool readOptions(GameOptions &options, Dialogs &dialogs) const;
    // Who plays each side and their time, as in a game resumed: the next game is
    // played by the same sides.
    void showSides(const GameOptions &options);
    // A board file just loaded: the next game starts from it.
    void chooseBoardFile(const QString &path);
    // The panel's choices of the last run; the keys are those of earlier versions.
    void loadSettings(QSettings &stored);
    void saveSettings(QSettings &stored) const;

signals:
    void newGameRequested();
    void loadBoardRequested();
    void saveBoardRequested();
    void quitRequested();

private:
    // The widgets of one side.
    struct SideWidgets
    {
        QRadioButton *kinds[3]; // human, computer, remote
        QRadioButton *levels[4];
        QGroupBox *levelBox;
        QCheckBox *timer;
        QLineEdit *seconds;
    };
    SideWidgets sideWidgets(Side side) const;
    void connectSideOptions(Side side);
    // Screen readers tell the two sides' "Humain", levels and "Minuterie" apart by
    // the side in each name.
    void nameSideOptions(Side side);
    // Greys the options that do nothing: the level of a person or a remote program,
    // the seconds without timer.
    void updateSideOptions(Side side);
    bool readSide(Side side, SeatOptions &chosen, Dialogs &dialogs) const;
    void setUpTimeField(QLineEdit *field);
    static void restoreSeconds(QLineEdit *field, QString seconds);

    Ui::OptionsPanel *ui;
};

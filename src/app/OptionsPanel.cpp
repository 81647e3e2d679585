// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionsPanel.h"

#include "CPUPlayer.h"
#include "Dialogs.h"
#include "ui_OptionsPanel.h"

#include <QIntValidator>
#include <QSettings>

namespace {
// The kinds in the order of a side's radio buttons, which is also how the settings
// keep them.
constexpr PlayerKind kindsShown[] = {PlayerKind::Human, PlayerKind::Cpu, PlayerKind::Socket};

template <int N>
int checkedIndex(QRadioButton *const (&buttons)[N])
{
    for (int i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return i;
    return 0;
}

QString sideGroup(Side side)
{
    return QStringLiteral("side%1").arg(indexOf(side) + 1);
}
} // namespace

OptionsPanel::OptionsPanel(QWidget *parent)
    : QGroupBox(parent),
      ui(new Ui::OptionsPanel)
{
    ui->setupUi(this);
    setUpTimeField(ui->maxTimePlayer1Edit);
    setUpTimeField(ui->maxTimePlayer2Edit);
    for (Side side : bothSides) {
        connectSideOptions(side);
        nameSideOptions(side);
    }
    connect(ui->startGameButton, &QToolButton::clicked, this, &OptionsPanel::newGameRequested);
    connect(ui->BrowseButton, &QToolButton::clicked, this, &OptionsPanel::loadBoardRequested);
    connect(ui->saveButton, &QToolButton::clicked, this, &OptionsPanel::saveBoardRequested);
    connect(ui->quitButton, &QToolButton::clicked, this, &OptionsPanel::quitRequested);
}

OptionsPanel::~OptionsPanel()
{
    delete ui;
}

OptionsPanel::SideWidgets OptionsPanel::sideWidgets(Side side) const
{
    if (side == Side::Red)
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

// A person is chosen without timer, which may then be given one, and the computer
// with its seconds per move. A remote side keeps the timer as it was: the friend who
// joins is often a person, whom no limit should surprise.
void OptionsPanel::connectSideOptions(Side side)
{
    const SideWidgets widgets = sideWidgets(side);
    for (QRadioButton *kind : widgets.kinds)
        connect(kind, &QRadioButton::toggled, this, [this, side] { updateSideOptions(side); });
    connect(widgets.timer, &QCheckBox::toggled, this, [this, side] { updateSideOptions(side); });
    connect(widgets.kinds[0], &QRadioButton::clicked, widgets.timer, [widgets] { widgets.timer->setChecked(false); });
    connect(widgets.kinds[1], &QRadioButton::clicked, widgets.timer, [widgets] { widgets.timer->setChecked(true); });
    updateSideOptions(side);
}

void OptionsPanel::nameSideOptions(Side side)
{
    const SideWidgets widgets = sideWidgets(side);
    const bool red = side == Side::Red;
    const QString named = red ? tr("%1, joueur rouge") : tr("%1, joueur noir");
    const auto name = [&named](QWidget *control, const QString &what) { control->setAccessibleName(named.arg(what)); };
    widgets.levelBox->setAccessibleName(red ? tr("Niveau du joueur rouge") : tr("Niveau du joueur noir"));
    for (QRadioButton *kind : widgets.kinds)
        name(kind, kind->text());
    for (int level = 0; level < 4; ++level)
        name(widgets.levels[level], tr("Niveau %1").arg(level + 1));
    name(widgets.timer, widgets.timer->text());
    name(widgets.seconds, tr("Secondes par coup"));
}

void OptionsPanel::updateSideOptions(Side side)
{
    const SideWidgets widgets = sideWidgets(side);
    widgets.levelBox->setEnabled(widgets.kinds[1]->isChecked());
    widgets.seconds->setEnabled(widgets.timer->isChecked());
}

bool OptionsPanel::readOptions(GameOptions &options, Dialogs &dialogs) const
{
    options.customBoard = ui->customBoardRB->isChecked();
    options.boardFile = ui->boardLineEdit->text();
    return readSide(Side::Red, options.red, dialogs) && readSide(Side::Black, options.black, dialogs);
}

bool OptionsPanel::readSide(Side side, SeatOptions &chosen, Dialogs &dialogs) const
{
    const SideWidgets widgets = sideWidgets(side);
    chosen.kind = kindsShown[checkedIndex(widgets.kinds)];
    chosen.level = checkedIndex(widgets.levels) + 1;
    chosen.timer = widgets.timer->isChecked();
    if (!chosen.timer)
        return true;
    bool number = false;
    chosen.seconds = widgets.seconds->text().toInt(&number);
    if (number && widgets.seconds->hasAcceptableInput())
        return true;
    dialogs.warning(window(), tr("Options"),
                    tr("Le temps par coup du joueur %1 doit être un nombre de secondes, de 0 à %2.")
                        .arg(indexOf(side) + 1)
                        .arg(Player::maxSeconds));
    return false;
}

void OptionsPanel::chooseBoardFile(const QString &path)
{
    ui->boardLineEdit->setText(path);
    ui->customBoardRB->setChecked(true);
}

void OptionsPanel::showSides(const GameOptions &options)
{
    for (Side side : bothSides) {
        const SeatOptions &seat = options.seat(side);
        const SideWidgets widgets = sideWidgets(side);
        const int kind = seat.kind == PlayerKind::Cpu ? 1 : seat.kind == PlayerKind::Human ? 0 : 2;
        widgets.kinds[kind]->setChecked(true);
        widgets.levels[qBound(1, seat.level, 4) - 1]->setChecked(true);
        widgets.timer->setChecked(seat.timer);
        widgets.seconds->setText(QString::number(seat.seconds));
        updateSideOptions(side);
    }
}

void OptionsPanel::loadSettings(QSettings &stored)
{
    for (Side side : bothSides) {
        const SideWidgets widgets = sideWidgets(side);
        stored.beginGroup(sideGroup(side));
        widgets.kinds[qBound(0, stored.value(QStringLiteral("kind"), 0).toInt(), 2)]->setChecked(true);
        widgets.levels[qBound(0, stored.value(QStringLiteral("level"), 0).toInt(), 3)]->setChecked(true);
        widgets.timer->setChecked(stored.value(QStringLiteral("timer"), widgets.timer->isChecked()).toBool());
        restoreSeconds(widgets.seconds, stored.value(QStringLiteral("seconds")).toString());
        stored.endGroup();
    }
    (stored.value(QStringLiteral("board/custom")).toBool() ? ui->customBoardRB : ui->initialBoardRB)->setChecked(true);
    ui->boardLineEdit->setText(stored.value(QStringLiteral("board/file")).toString());
}

void OptionsPanel::saveSettings(QSettings &stored) const
{
    for (Side side : bothSides) {
        const SideWidgets widgets = sideWidgets(side);
        stored.beginGroup(sideGroup(side));
        stored.setValue(QStringLiteral("kind"), checkedIndex(widgets.kinds));
        stored.setValue(QStringLiteral("level"), checkedIndex(widgets.levels));
        stored.setValue(QStringLiteral("timer"), widgets.timer->isChecked());
        stored.setValue(QStringLiteral("seconds"), widgets.seconds->text());
        stored.endGroup();
    }
    stored.setValue(QStringLiteral("board/custom"), ui->customBoardRB->isChecked());
    stored.setValue(QStringLiteral("board/file"), ui->boardLineEdit->text());
}

void OptionsPanel::setUpTimeField(QLineEdit *field)
{
    field->setValidator(new QIntValidator(0, Player::maxSeconds, field));
    field->setToolTip(tr("Secondes par coup, de 0 à %1. Minuterie décochée : l'ordinateur joue en %2 secondes au "
                         "plus, un programme réseau n'a pas de limite.")
                          .arg(Player::maxSeconds)
                          .arg(CPUPlayer::untimedCeilingSeconds));
}

// A time field left empty is not brought back: the remembered options start a game.
void OptionsPanel::restoreSeconds(QLineEdit *field, QString seconds)
{
    int at = 0;
    if (field->validator()->validate(seconds, at) == QValidator::Acceptable)
        field->setText(seconds);
}

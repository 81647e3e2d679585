// SPDX-License-Identifier: GPL-3.0-or-later
#include "JoinDialog.h"

#include "PortSpinBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int hostChars = 32;
// Room beside the text for the field's frame and margins, in any style.
constexpr int frameChars = 3;
}

JoinDialog::JoinDialog(const QString &lastHost, quint16 lastPort, QWidget *parent)
    : QDialog(parent), hostField(new QLineEdit(lastHost, this)), portField(new PortSpinBox(lastPort, this))
{
    setWindowTitle(tr("Rejoindre une partie"));
    hostField->setPlaceholderText(tr("nom ou adresse, par exemple 192.168.1.20"));
    // Room for a long name, for the title and for the whole example.
    const QFontMetrics metrics = hostField->fontMetrics();
    const int example = metrics.horizontalAdvance(hostField->placeholderText()) + metrics.averageCharWidth() * frameChars;
    hostField->setMinimumWidth(qMax(metrics.averageCharWidth() * hostChars, example));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Rejoindre"));
    auto *form = new QFormLayout(this);
    form->addRow(tr("&Hôte :"), hostField);
    form->addRow(tr("&Port :"), portField);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(hostField, &QLineEdit::textChanged, this, [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!host().isEmpty());
    });
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!host().isEmpty());
}

QString JoinDialog::host() const
{
    return hostField->text().trimmed();
}

quint16 JoinDialog::port() const
{
    return portField->port();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListenDialog.h"

#include "PortSpinBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

ListenDialog::ListenDialog(bool localOnly, quint16 port, QWidget *parent)
    : QDialog(parent), addressField(new QComboBox(this)), portField(new PortSpinBox(port, this))
{
    setWindowTitle(tr("Options réseau"));
    addressField->addItems({tr("toutes les adresses"), tr("cet ordinateur seulement")});
    addressField->setCurrentIndex(localOnly ? 1 : 0);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *form = new QFormLayout(this);
    form->addRow(tr("&Attendre les joueurs réseau sur :"), addressField);
    form->addRow(tr("&Port :"), portField);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool ListenDialog::localOnly() const
{
    return addressField->currentIndex() == 1;
}

quint16 ListenDialog::port() const
{
    return portField->port();
}

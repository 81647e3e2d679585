// SPDX-License-Identifier: GPL-3.0-or-later
#include "TurnViewWidget.h"
#include "WindowDriver.h"

#include <QAccessible>
#include <QDockWidget>
#include <QGroupBox>
#include <QtTest>

namespace {
// Widgets that only hold others, draw lines or show a text of their own (a label,
// empty until there is something to say): they are not controls.
bool notAControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::StaticText:
    case QAccessible::Grip:
    case QAccessible::Client:
    case QAccessible::Pane:
    case QAccessible::Window:
    case QAccessible::Grouping:
    case QAccessible::Separator:
    case QAccessible::ToolBar:
    case QAccessible::StatusBar:
    case QAccessible::MenuBar:
    case QAccessible::ScrollBar:
        return true;
    default:
        return false;
    }
}

bool hasWords(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}
// The names of a box and of the controls in it, with their objects.
QMultiMap<QString, QString> controlNames(QWidget *box)
{
    QMultiMap<QString, QString> named;
    QList<QWidget *> widgets = box->findChildren<QWidget *>();
    widgets << box;
    for (QWidget *widget : widgets) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        if (face && face->role() != QAccessible::StaticText)
            named.insert(face->text(QAccessible::Name), widget->objectName());
    }
    return named;
}
} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    // Every control shown, the analysis panel's too, has a name in words for screen
    // readers: icons, "..." and digits alone do not count. The turn indicator's name
    // says whose turn it is.
    void everyControlIsNamed()
    {
        WindowDriver driver;
        driver.child<QDockWidget>("analysisDock")->show();
        QStringList unnamed;
        for (QWidget *widget : driver.window->findChildren<QWidget *>()) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
            if (!widget->isVisibleTo(driver.window) || !face || notAControl(face->role()))
                continue;
            if (!hasWords(face->text(QAccessible::Name)))
                unnamed << widget->metaObject()->className() + QStringLiteral(" ") + widget->objectName();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        const auto turn = [&driver] {
            return QAccessible::queryAccessibleInterface(driver.window->findChild<TurnViewWidget *>())
                ->text(QAccessible::Name);
        };
        QCOMPARE(turn(), QString("Au tour de rouge"));
        driver.play("B2", "B3");
        QCOMPARE(turn(), QString("Au tour de noir"));
    }

    // Red's and black's options are told apart by their names alone: every control
    // and box of the options panel has a name of its own, which tells the side for
    // the options a side has.
    void theOptionsOfEachSideAreNamedApart()
    {
        WindowDriver driver;
        const QMultiMap<QString, QString> named = controlNames(driver.child<QWidget>("optionsPanel"));
        QVERIFY(named.size() > 20);
        QStringList shared;
        for (const QString &name : named.uniqueKeys())
            if (!hasWords(name) || named.count(name) > 1)
                shared << name;
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(", ")));
        for (const auto &[person, colour] : {std::pair("player1HumanRB", "rouge"), std::pair("player2HumanRB", "noir")}) {
            const QStringList names = controlNames(driver.child<QWidget>(person)->parentWidget()).keys();
            QVERIFY(names.size() > 10);
            for (const QString &name : names)
                QVERIFY2(name.contains(colour, Qt::CaseInsensitive), qPrintable(name));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

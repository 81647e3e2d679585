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
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

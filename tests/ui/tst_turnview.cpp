#include "TurnViewWidget.h"

#include "PaintCounter.h"

#include <QPainter>
#include <QtTest>

class TestTurnView : public QObject
{
    Q_OBJECT

private slots:
    // Red at first; then 0 shows red, 1 black, and no game (2) or any other value
    // keeps the last side shown. Every call repaints.
    void showsTheSideToMove()
    {
        TurnViewWidget view(nullptr);
        view.resize(70, 89);
        PaintCounter paints(view);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        // The stone at the top left, nothing below.
        const auto showing = [](const QString &stone) {
            QImage image(70, 89, QImage::Format_RGB32);
            image.fill(qRgb(255, 0, 255));
            QPainter(&image).drawImage(0, 0, QImage(":/images/Images/" + stone + "StoneOnWhite.bmp").scaled(70, 70));
            return image;
        };
        QCOMPARE(paints.render(), showing("red"));
        const std::pair<int, const char *> turns[] = {{2, "red"}, {1, "black"}, {2, "black"}, {-1, "black"}, {0, "red"}};
        for (const auto &turn : turns) {
            const int painted = paints.count;
            view.showTurn(turn.first);
            QVERIFY(paints.render() == showing(turn.second) && paints.count == painted + 1);
        }
    }
};

QTEST_MAIN(TestTurnView)
#include "tst_turnview.moc"

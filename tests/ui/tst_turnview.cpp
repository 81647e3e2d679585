#include "TurnViewWidget.h"

#include "PaintCounter.h"

#include <QtTest>

namespace {
const QRgb untouched = qRgb(255, 0, 255);

QImage stone(const char *name)
{
    return QImage(QString(":/images/Images/") + name)
        .scaled(70, 70, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}
} // namespace

class TestTurnView : public QObject
{
    Q_OBJECT

private:
    QWidget *groupBox = nullptr;
    TurnViewWidget *view = nullptr;
    PaintCounter paints;

    QImage render() { return paints.render(view, untouched); }

    // The stone shown at the top left, nothing drawn below it.
    void verifyShows(const char *name)
    {
        const QImage image = render();
        const QImage expected = stone(name);
        QVERIFY(!expected.isNull());
        QCOMPARE(image.copy(0, 0, 70, 70), expected);
        QImage below(70, 19, QImage::Format_RGB32);
        below.fill(untouched);
        QCOMPARE(image.copy(0, 70, 70, 19), below);
    }

private slots:
    void init()
    {
        groupBox = new QWidget;
        groupBox->resize(70, 89);
        view = new TurnViewWidget(groupBox);
        view->setGeometry(0, 19, 70, 89);
        view->installEventFilter(&paints);
        groupBox->show();
        QVERIFY(QTest::qWaitForWindowExposed(groupBox));
        paints.count = 0;
    }

    void cleanup() { delete groupBox; }

    void redAtConstruction() { verifyShows("redStoneOnWhite.bmp"); }

    void showTurnPicksTheSide()
    {
        view->showTurn(1);
        verifyShows("blackStoneOnWhite.bmp");
        view->showTurn(0);
        verifyShows("redStoneOnWhite.bmp");
        QCOMPARE(paints.count, 2);
    }

    // No game in progress (2) or any other value keeps the last side shown.
    void otherValuesKeepThePicture()
    {
        view->showTurn(2);
        verifyShows("redStoneOnWhite.bmp");
        view->showTurn(1);
        view->showTurn(2);
        verifyShows("blackStoneOnWhite.bmp");
        view->showTurn(-1);
        verifyShows("blackStoneOnWhite.bmp");
        QCOMPARE(paints.count, 4); // every call repaints
    }
};

QTEST_MAIN(TestTurnView)
#include "tst_turnview.moc"

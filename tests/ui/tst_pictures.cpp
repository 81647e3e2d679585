#include "AppResources.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

namespace {
const QString images = ":/images/Images/";

QByteArray resourceBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double meanGrey(const QImage &image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum / (image.width() * image.height());
}

// The opaque part of a stone: where the stone on light marble and on dark marble
// agree. Returns its extent along the middle row.
QPair<int, int> stoneSpan(const QImage &onLight, const QImage &onDark)
{
    const int y = onLight.height() / 2;
    int first = -1, last = -1;
    for (int x = 0; x < onLight.width(); ++x)
        if (onLight.pixel(x, y) == onDark.pixel(x, y)) {
            if (first < 0)
                first = x;
            last = x;
        }
    return {first, last};
}
} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppResources::load(); }

    void bitmapsAre24BitAndSquare_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"LITEMARB.BMP", "DARKMARB.BMP", "blackStoneOnDark.bmp", "blackStoneOnWhite.bmp",
                                 "redStoneOnDark.bmp", "redStoneOnWhite.bmp", "smallBlackStoneOnDark.bmp",
                                 "smallBlackStoneOnWhite.bmp", "smallRedStoneOnDark.bmp", "smallRedStoneOnWhite.bmp"})
            QTest::newRow(name) << QString(name);
    }
    void bitmapsAre24BitAndSquare()
    {
        QFETCH(QString, name);
        const QByteArray bytes = resourceBytes(images + name);
        QVERIFY(bytes.size() > 54);
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 18), 64);
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 22), 64);
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(24));
        QCOMPARE(QImage(images + name).size(), QSize(64, 64));
    }

    void iconsArePngRgba_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        for (const char *name : {"Start-icon-16.png", "Open.png", "human_folder_cd.png", "exit.png"})
            QTest::newRow(name) << QString(name) << 16;
        QTest::newRow("zarvik.png") << "zarvik.png" << 256;
    }
    void iconsArePngRgba()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        const QByteArray bytes = resourceBytes(":/icons/" + name);
        QVERIFY(bytes.size() > 33);
        QCOMPARE(bytes.mid(1, 3), QByteArray("PNG"));
        QCOMPARE(qFromBigEndian<quint32>(bytes.constData() + 16), quint32(size));
        QCOMPARE(qFromBigEndian<quint32>(bytes.constData() + 20), quint32(size));
        QCOMPARE(int(bytes[24]), 8); // bit depth
        QCOMPARE(int(bytes[25]), 6); // colour type: RGBA
        // Drawn on a transparent ground: both clear and solid pixels.
        const QImage image(":/icons/" + name);
        bool clear = false, solid = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                clear = clear || qAlpha(image.pixel(x, y)) == 0;
                solid = solid || qAlpha(image.pixel(x, y)) == 255;
            }
        QVERIFY(clear && solid);
    }

    void marbleGreyLevels()
    {
        QVERIFY(qAbs(meanGrey(QImage(images + "LITEMARB.BMP")) - 194) < 3);
        QVERIFY(qAbs(meanGrey(QImage(images + "DARKMARB.BMP")) - 92) < 3);
    }

    void stonesSitOnTheirMarble_data()
    {
        QTest::addColumn<QString>("stone");
        for (const char *stone : {"blackStone", "redStone", "smallBlackStone", "smallRedStone"})
            QTest::newRow(stone) << QString(stone);
    }
    // Away from the stone and its shadow, a stone picture is its marble square.
    void stonesSitOnTheirMarble()
    {
        QFETCH(QString, stone);
        for (const auto &pair : {qMakePair(QString("OnWhite.bmp"), QString("LITEMARB.BMP")),
                                 qMakePair(QString("OnDark.bmp"), QString("DARKMARB.BMP"))}) {
            const QImage picture(images + stone + pair.first);
            const QImage marble(images + pair.second);
            for (const QPoint &corner : {QPoint(0, 0), QPoint(60, 0), QPoint(0, 60), QPoint(60, 60)})
                QCOMPARE(picture.copy(QRect(corner, QSize(4, 4))), marble.copy(QRect(corner, QSize(4, 4))));
        }
    }

    void stoneSizesAndColours_data()
    {
        QTest::addColumn<QString>("stone");
        QTest::addColumn<int>("diameter");
        QTest::addColumn<QColor>("centre");
        QTest::newRow("red") << "redStone" << 51 << QColor(255, 68, 68);
        QTest::newRow("small red") << "smallRedStone" << 26 << QColor(255, 68, 68);
        QTest::newRow("black") << "blackStone" << 51 << QColor(30, 30, 30);
        QTest::newRow("small black") << "smallBlackStone" << 26 << QColor(30, 30, 30);
    }
    void stoneSizesAndColours()
    {
        QFETCH(QString, stone);
        QFETCH(int, diameter);
        QFETCH(QColor, centre);
        const QImage onLight(images + stone + "OnWhite.bmp");
        const QImage onDark(images + stone + "OnDark.bmp");
        const auto span = stoneSpan(onLight, onDark);
        // The opaque part, plus the antialiased rim pixel on either side.
        QVERIFY2(qAbs(span.second - span.first + 3 - diameter) <= 2, qPrintable(QString("%1..%2").arg(span.first).arg(span.second)));
        QVERIFY(qAbs((span.first + span.second) / 2.0 - 31.5) <= 1);
        const QColor middle = onLight.pixelColor(32, 32);
        QVERIFY2(qAbs(middle.red() - centre.red()) <= 12 && qAbs(middle.green() - centre.green()) <= 12
                     && qAbs(middle.blue() - centre.blue()) <= 12,
                 qPrintable(middle.name()));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"

#include "AppResources.h"

#include <QtTest>

static QByteArray bytes(const QString &path) { QFile f(path); return f.open(QFile::ReadOnly) ? f.readAll() : ""; }

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppResources::load(); }

    // Windows bitmaps: 64 x 64 pixels, one plane, 24 bits a pixel.
    void bitmapsAre24BitAndSquare()
    {
        for (const char *name : {"LITEMARB.BMP", "DARKMARB.BMP", "blackStoneOnDark.bmp", "blackStoneOnWhite.bmp",
                                 "redStoneOnDark.bmp", "redStoneOnWhite.bmp", "smallBlackStoneOnDark.bmp",
                                 "smallBlackStoneOnWhite.bmp", "smallRedStoneOnDark.bmp", "smallRedStoneOnWhite.bmp"}) {
            const QByteArray b = bytes(QString(":/images/Images/") + name);
            QVERIFY2(b.startsWith("BM") && b.mid(18, 12).toHex() == "400000004000000001001800", name);
        }
    }

    // PNG, 8 bits a channel, RGBA (colour type 6), of 16 x 16 pixels but for the
    // program's own of 256.
    void iconsArePngRgba()
    {
        for (const char *icon : {"Start-icon-16.png", "Open.png", "human_folder_cd.png", "exit.png", "zarvik.png"}) {
            const QByteArray b = bytes(QString(":/icons/") + icon);
            const int side = QByteArray(icon) == "zarvik.png" ? 256 : 16;
            QVERIFY2(b.startsWith("\x89PNG") && b.mid(24, 2).toHex() == "0806", icon);
            QVERIFY2(QImage::fromData(b).size() == QSize(side, side), icon);
        }
    }

    // The mean grey of the marbles, from their picture shrunk to one pixel.
    void marbleGreyLevels()
    {
        for (const auto &marble : {std::make_pair("LITEMARB.BMP", 194), std::make_pair("DARKMARB.BMP", 92)}) {
            const QImage image(QString(":/images/Images/") + marble.first);
            const int grey = qGray(image.scaledToWidth(1, Qt::SmoothTransformation).pixel(0, 0));
            QVERIFY2(qAbs(grey - marble.second) < 3, qPrintable(QString::number(grey)));
        }
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"

// The pictures as the program gets them: embedded with Qt's resource system
// (this test links quantelo_resources, like the executable) and decoded by
// Qt's own image plugins.
#include "resources/program_icon.h"

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QTest>

class EmbeddedResources : public QObject {
    Q_OBJECT

private slots:
    void titlePictureDecodesUnscaled();
    void icoDecodesWithTransparentCorners();
    void windowIconHas16PixelImage();
    void largerIconsRepeatTheIcoDesign_data();
    void largerIconsRepeatTheIcoDesign();
    void programIconOffersEverySize();
};

void EmbeddedResources::titlePictureDecodesUnscaled()
{
    QImageReader reader(QStringLiteral(":/title.jpg"));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage picture = reader.read();
    QVERIFY2(!picture.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(picture.size(), QSize(400, 311));
    QVERIFY(!picture.isGrayscale());
}

void EmbeddedResources::icoDecodesWithTransparentCorners()
{
    QImageReader reader(QStringLiteral(":/icons/quantelo.ico"));
    QCOMPARE(reader.format(), QByteArray("ico"));
    QCOMPARE(reader.imageCount(), 1);
    const QImage icon = reader.read();
    QVERIFY2(!icon.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(icon.size(), QSize(16, 16));
    // The mask makes the corners transparent; if it were read upside down or
    // ignored, one of these would fail.
    for (const QPoint corner : {QPoint(0, 0), QPoint(15, 0), QPoint(0, 15), QPoint(15, 15)})
        QCOMPARE(qAlpha(icon.pixel(corner)), 0);
    QCOMPARE(qAlpha(icon.pixel(1, 0)), 255);
    QCOMPARE(qAlpha(icon.pixel(8, 8)), 255);
    // Row 13 is the blue P side of the triangle, column 13 the green Q side;
    // the pale background would pass neither check.
    const QRgb p = icon.pixel(8, 13);
    const QRgb q = icon.pixel(13, 8);
    QVERIFY2(qBlue(p) - qRed(p) > 100 && qBlue(p) - qGreen(p) > 60, "P side is not blue: picture upside down?");
    QVERIFY2(qGreen(q) - qRed(q) > 60 && qGreen(q) - qBlue(q) > 60, "Q side is not green: picture mirrored?");
}

void EmbeddedResources::windowIconHas16PixelImage()
{
    const QIcon icon(QStringLiteral(":/icons/quantelo.ico"));
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
    const QPixmap pixmap = icon.pixmap(QSize(16, 16));
    QCOMPARE(pixmap.size(), QSize(16, 16));
}

void EmbeddedResources::largerIconsRepeatTheIcoDesign_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {48, 64, 128})
        QTest::addRow("%dpx", size) << size;
}

void EmbeddedResources::largerIconsRepeatTheIcoDesign()
{
    QFETCH(int, size);
    const QImage small = QImage(QStringLiteral(":/icons/quantelo.ico")).convertToFormat(QImage::Format_ARGB32);
    const QImage large
        = QImage(QStringLiteral(":/icons/quantelo-%1.png").arg(size)).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(large.size(), QSize(size, size));
    // Each pixel of the 16 x 16 design becomes a block of scale x scale.
    const int scale = size / 16;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb want = small.pixel(x / scale, y / scale);
            const QRgb got = large.pixel(x, y);
            if (qAlpha(want) == 0 && qAlpha(got) == 0)
                continue; // the colour under a transparent pixel does not matter
            if (got != want)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, the design has %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(got, 8, 16, QLatin1Char('0'))
                                     .arg(want, 8, 16, QLatin1Char('0'))));
        }
}

void EmbeddedResources::programIconOffersEverySize()
{
    const QList<QSize> sizes = quantelo::programIcon().availableSizes();
    for (const int size : {16, 48, 64, 128})
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QStringLiteral("no %1 px image").arg(size)));
}

QTEST_MAIN(EmbeddedResources)
#include "test_embedded_resources.moc"

// The pictures as the program gets them: converted into pixel arrays when
// the program is built (this test links quantelo_resources, like the
// executable), against the source files in resources/ decoded here by Qt's
// own image readers, plug-ins included.
#include "resources/pictures.h"
#include "resources/program_icon.h"

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QTest>

namespace {

QString sourceFile(const char* name)
{
    return QStringLiteral(QUANTELO_RESOURCES_DIR "/") + QLatin1String(name);
}

// The first pixel where two images of the same size differ, as text; empty
// if they are the same. Under a transparent pixel the colour does not count.
QString firstDifference(const QImage& got, const QImage& want)
{
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x) {
            const QRgb g = got.pixel(x, y);
            const QRgb w = want.pixel(x, y);
            if (g != w && !(qAlpha(g) == 0 && qAlpha(w) == 0))
                return QStringLiteral("pixel (%1, %2) is %3, not %4")
                    .arg(x)
                    .arg(y)
                    .arg(g, 8, 16, QLatin1Char('0'))
                    .arg(w, 8, 16, QLatin1Char('0'));
        }
    return {};
}

} // namespace

class EmbeddedResources : public QObject {
    Q_OBJECT

private slots:
    void picturesAreTheSourcesAsQtDecodesThem_data();
    void picturesAreTheSourcesAsQtDecodesThem();
    void iconHasTransparentCornersAndIsUpright();
    void largerIconsRepeatTheIcoDesign_data();
    void largerIconsRepeatTheIcoDesign();
    void programIconOffersEverySize();
};

void EmbeddedResources::picturesAreTheSourcesAsQtDecodesThem_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QByteArray>("reader");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("alpha");
    QTest::newRow("title") << quantelo::titlePicture() << sourceFile("title.jpg") << QByteArray("jpeg")
                           << QSize(400, 311) << false;
    QTest::newRow("icon 16") << quantelo::iconPicture(16) << sourceFile("quantelo.ico") << QByteArray("ico")
                             << QSize(16, 16) << true;
    for (const int size : {48, 64, 128})
        QTest::addRow("icon %d", size) << quantelo::iconPicture(size)
                                       << sourceFile(qPrintable(QStringLiteral("icons/quantelo-%1.png").arg(size)))
                                       << QByteArray("png") << QSize(size, size) << true;
    QTest::newRow("no such size") << quantelo::iconPicture(32) << QString() << QByteArray() << QSize() << false;
}

void EmbeddedResources::picturesAreTheSourcesAsQtDecodesThem()
{
    QFETCH(QImage, picture);
    QFETCH(QString, source);
    QFETCH(QByteArray, reader);
    QFETCH(QSize, size);
    QFETCH(bool, alpha);
    if (source.isEmpty()) {
        QVERIFY(picture.isNull());
        return;
    }
    QCOMPARE(picture.size(), size);
    QCOMPARE(picture.format(), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QImageReader decoder(source);
    QCOMPARE(decoder.format(), reader);
    const QImage decoded = decoder.read();
    QVERIFY2(!decoded.isNull(), qPrintable(decoder.errorString()));
    QCOMPARE(decoded.size(), size);
    QCOMPARE(decoded.hasAlphaChannel(), alpha);
    const QString difference = firstDifference(picture, decoded.convertToFormat(picture.format()));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void EmbeddedResources::iconHasTransparentCornersAndIsUpright()
{
    const QImage icon = quantelo::iconPicture(16);
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

void EmbeddedResources::largerIconsRepeatTheIcoDesign_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {48, 64, 128})
        QTest::addRow("%dpx", size) << size;
}

void EmbeddedResources::largerIconsRepeatTheIcoDesign()
{
    QFETCH(int, size);
    const QImage small = quantelo::iconPicture(16);
    const QImage large = quantelo::iconPicture(size);
    QCOMPARE(large.size(), QSize(size, size));
    // Each pixel of the 16 x 16 design becomes a block of scale x scale.
    const QString difference = firstDifference(large, small.scaled(size, size));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void EmbeddedResources::programIconOffersEverySize()
{
    const QIcon icon = quantelo::programIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 48, 64, 128}) {
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QStringLiteral("no %1 px image").arg(size)));
        const QImage image = icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
        const QString difference = firstDifference(image, quantelo::iconPicture(size));
        QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("%1 px: %2").arg(size).arg(difference)));
    }
}

QTEST_MAIN(EmbeddedResources)
#include "test_embedded_resources.moc"

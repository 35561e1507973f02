// Colour values as the windows paint them.
#include "forms/colour_role.h"

#include <QtTest>

#include <cmath>

class TestColourRole : public QObject {
    Q_OBJECT

private slots:
    void contrastRatio_data();
    void contrastRatio();
};

void TestColourRole::contrastRatio_data()
{
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    struct Row {
        const char* name;
        QColor a;
        QColor b;
        double ratio;
    };
    const Row rows[] = {
        {"black on white", Qt::black, Qt::white, 21.0},
        {"white on black", Qt::white, Qt::black, 21.0},
        {"same grey", QColor(128, 128, 128), QColor(128, 128, 128), 1.0},
        {"grey 0x767676 on white", QColor(0x76, 0x76, 0x76), Qt::white, 4.54},
    };
    for (const Row& r : rows)
        QTest::newRow(r.name) << r.a << r.b << r.ratio;
}

void TestColourRole::contrastRatio()
{
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY(std::abs(quantelo::contrastRatio(a, b) - ratio) < 0.01);
}

QTEST_MAIN(TestColourRole)
#include "tst_colour_role.moc"

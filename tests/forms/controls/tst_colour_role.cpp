// Colour values as the windows paint them.
#include "forms/controls/colour_role.h"
#include "tests/support/qt_windows.h"

#include <QtTest>

#include <cmath>

namespace {

struct ContrastRow {
    const char* name;
    QColor a;
    QColor b;
    double ratio;
};

} // namespace

Q_DECLARE_METATYPE(ContrastRow)

class TestColourRole : public QObject {
    Q_OBJECT

private slots:
    void contrastRatio_data();
    void contrastRatio();
};

void TestColourRole::contrastRatio_data()
{
    const ContrastRow rows[] = {
        {"black on white", Qt::black, Qt::white, 21.0},
        {"white on black", Qt::white, Qt::black, 21.0},
        {"same grey", QColor(128, 128, 128), QColor(128, 128, 128), 1.0},
        {"grey 0x767676 on white", QColor(0x76, 0x76, 0x76), Qt::white, 4.54},
    };
    quantelo::test_support::addRows(rows);
}

void TestColourRole::contrastRatio()
{
    QFETCH(ContrastRow, row);
    QVERIFY(std::abs(quantelo::contrastRatio(row.a, row.b) - row.ratio) < 0.01);
}

QTEST_MAIN(TestColourRole)
#include "tst_colour_role.moc"

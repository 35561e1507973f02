// Shows one calculator window, named by its object name, for screenshots:
//   quantelo_show_window frmPowerRealApparent3PhLL
#include "forms/calculator_window.h"
#include "forms/fonts.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quantelo::installFontStandIns();

    const QString wanted = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    for (auto create :
         {quantelo::createLineToLineWindow, quantelo::createLineToNeutralWindow, quantelo::createSinglePhaseWindow}) {
        std::unique_ptr<quantelo::CalculatorWindow> window = create();
        if (window->objectName() != wanted)
            continue;
        window->show();
        return QApplication::exec();
    }
    QTextStream(stderr) << "usage: quantelo_show_window frmPowerRealApparent3PhLL|frmPowerRealApparent3PhLN|"
                           "frmPowerRealApparent1Phase\n";
    return 2;
}

#pragma once

#include "forms/windows/calculator.h"
#include "forms/windows/program_window.h"

namespace quantelo {

// frmPowerSolve: the title picture and the three buttons that open the
// calculators. It computes nothing and holds no data; the navigation decides
// what a button opens.
class MainWindow : public ProgramWindow {
    Q_OBJECT

public:
    MainWindow();

    void Command1_Click(); // three-phase, line-to-line voltage
    void Command2_Click(); // three-phase, line-to-neutral voltage
    void Command3_Click(); // single phase

signals:
    void calculatorRequested(quantelo::Calculator which);
};

} // namespace quantelo

#pragma once

#include "forms/windows/program_window.h"
#include "layout/calculators.h"

namespace quantelo {

// frmPowerSolve: the title picture and a button for each calculator, the
// one its row names (layout/calculators.h). It computes nothing and holds no
// data; the navigation opens what a button asks for.
class MainWindow : public ProgramWindow {
    Q_OBJECT

public:
    MainWindow();

signals:
    void calculatorRequested(quantelo::Calculator which);
};

} // namespace quantelo

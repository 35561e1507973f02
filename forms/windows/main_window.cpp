#include "forms/windows/main_window.h"

#include "forms/controls/command_button.h"
#include "forms/controls/picture_box.h"
#include "forms/windows/form_builder.h"
#include "layout/main_layout.h"
#include "resources/pictures.h"

namespace quantelo {

MainWindow::MainWindow()
    : ProgramWindow(mainForm())
{
    resolveControl<PictureBox>(*this, "Picture1").setPicture(titlePicture());
    for (const CalculatorRow& calculator : Calculators) {
        connect(&resolveControl<CommandButton>(*this, calculator.mainButton), &QPushButton::clicked, this,
                [this, which = calculator.which] { emit calculatorRequested(which); });
    }
    // The first in the tab order.
    resolveControl<CommandButton>(*this, row(Calculator::SinglePhase).mainButton).setFocus(Qt::OtherFocusReason);
}

} // namespace quantelo

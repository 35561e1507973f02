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
    connect(&resolveControl<CommandButton>(*this, "Command1"), &QPushButton::clicked, this,
            &MainWindow::Command1_Click);
    connect(&resolveControl<CommandButton>(*this, "Command2"), &QPushButton::clicked, this,
            &MainWindow::Command2_Click);
    auto& command3 = resolveControl<CommandButton>(*this, "Command3");
    connect(&command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
    command3.setFocus(Qt::OtherFocusReason);
}

void MainWindow::Command1_Click()
{
    emit calculatorRequested(Calculator::LineToLine);
}

void MainWindow::Command2_Click()
{
    emit calculatorRequested(Calculator::LineToNeutral);
}

void MainWindow::Command3_Click()
{
    emit calculatorRequested(Calculator::SinglePhase);
}

} // namespace quantelo

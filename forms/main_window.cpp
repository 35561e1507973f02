#include "forms/main_window.h"

#include "forms/colour_role.h"
#include "forms/form_builder.h"
#include "forms/main_layout.h"
#include "forms/picture_box.h"
#include "forms/program_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTimer>

#include <stdexcept>

namespace quantelo {
namespace {

constexpr Qt::WindowFlags MainWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
    | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

} // namespace

MainWindow::MainWindow()
    : QWidget(nullptr, MainWindowFlags)
{
    buildForm(*this, mainForm());

    auto* picture = findChild<PictureBox*>(QStringLiteral("Picture1"));
    if (picture == nullptr)
        throw std::logic_error("main window without Picture1");
    picture->setPicturePath(QStringLiteral(":/title.jpg"));

    const auto connectButton = [this](const char* name, void (MainWindow::*handler)()) {
        auto* button = findChild<QPushButton*>(QString::fromLatin1(name));
        if (button == nullptr)
            throw std::logic_error(std::string("main window without ") + name);
        connect(button, &QPushButton::clicked, this, handler);
    };
    connectButton("Command1", &MainWindow::Command1_Click);
    connectButton("Command2", &MainWindow::Command2_Click);
    connectButton("Command3", &MainWindow::Command3_Click);

    findChild<QPushButton*>(QStringLiteral("Command3"))->setFocus(Qt::OtherFocusReason);
    QCoreApplication::instance()->installEventFilter(this);
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

void MainWindow::showEvent(QShowEvent* event)
{
    // Centred whenever the window is loaded: a main window closed and
    // shown again is a new window, so it is centred again.
    if (!m_placed) {
        placeCentredOnScreen(*this);
        m_placed = true;
        // Decoding the icon loads image plug-ins; the window need not wait
        // for that to appear, so the icon follows on the next turn of the
        // event loop.
        QTimer::singleShot(0, this, [this] { applyProgramIcon(*this); });
    }
    QWidget::showEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The controls' colours are the running scheme's: follow a change of the
    // desktop's colour scheme while the window is open.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange)
        refreshColours(*this);
    return QWidget::eventFilter(watched, event);
}

} // namespace quantelo

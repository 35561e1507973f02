#pragma once

#include <QMessageBox>

#include <functional>
#include <memory>

namespace quantelo {

// Shows `box`, modal over every window of the program, and calls
// `dismissed` once the user has dismissed it. On the desktop the box runs
// an event loop of its own (QMessageBox::exec), so `dismissed` has been
// called when this returns, unless the window behind the box (its parent)
// went inside that loop: then it is never called (modal_box_desktop.cpp,
// Unix and Windows alike).
void runModal(std::unique_ptr<QMessageBox> box, std::function<void()> dismissed);

} // namespace quantelo

#pragma once

#include <QMessageBox>

#include <functional>
#include <memory>

namespace quantelo {

// Shows `box`, modal over every window of the program, and calls
// `dismissed` once the user has dismissed it. On the desktop the box runs
// an event loop of its own (QMessageBox::exec), so `dismissed` has been
// called when this returns, unless the window behind the box (its parent)
// went inside that loop: then it is never called. A web page has no nested
// event loop: there the box is opened, this returns at once, and
// `dismissed` is called from the event loop when the user clicks OK (then
// the window behind it has the keyboard again). modal_box_desktop.cpp and
// modal_box_web.cpp; the build picks one.
void runModal(std::unique_ptr<QMessageBox> box, std::function<void()> dismissed);

} // namespace quantelo

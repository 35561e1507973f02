#include "forms/platform/modal_box.h"

#include <QPointer>
#include <QWidget>

#include <utility>

namespace quantelo {

void runModal(std::unique_ptr<QMessageBox> box, std::function<void()> dismissed)
{
    // The box belongs to the window behind it (its parent) while its loop
    // runs, and both are held by guards only: inside that loop the window
    // can go (another X11 client may destroy it), and the box with it. Then
    // nothing goes on, and neither is touched again.
    const QPointer<QMessageBox> open = box.release();
    const QPointer<QWidget> behind = open->parentWidget();
    open->exec();
    delete open.data();
    if (behind.isNull())
        return;
    const std::function<void()> goOn = std::move(dismissed);
    goOn();
}

} // namespace quantelo

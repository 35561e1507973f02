#include "forms/platform/modal_box.h"

#include <QPointer>
#include <QWidget>

namespace quantelo {

void runModal(std::unique_ptr<QMessageBox> box, std::function<void()> dismissed)
{
    // The box belongs to the window behind it (its parent): closed with the
    // window, it takes the waiting command's continuation with it.
    QMessageBox* open = box.release();
    open->setAttribute(Qt::WA_DeleteOnClose);
    open->setWindowModality(Qt::ApplicationModal);
    const QPointer<QWidget> behind = open->parentWidget();
    QObject::connect(open, &QDialog::finished, open, [behind, dismissed = std::move(dismissed)] {
        // As on the desktop, the window behind the box has the keyboard
        // again: its focus widget (Clear, after Solve) takes the next key.
        if (behind) {
            behind->activateWindow();
        }
        dismissed();
    });
    open->open();
}

} // namespace quantelo

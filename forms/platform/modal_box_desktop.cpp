#include "forms/platform/modal_box.h"

namespace quantelo {

void runModal(std::unique_ptr<QMessageBox> box, std::function<void()> dismissed)
{
    box->exec();
    box.reset();
    dismissed();
}

} // namespace quantelo

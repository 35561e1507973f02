#include "forms/platform/modal_box.h"

#include <utility>

namespace quantelo {

void runModal(std::unique_ptr<QMessageBox> box, std::function<void()> dismissed)
{
    box->exec();
    box.reset();
    const std::function<void()> goOn = std::move(dismissed);
    goOn();
}

} // namespace quantelo

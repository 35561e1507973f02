#include "forms/platform/foreign_windows.h"

#include <QAbstractNativeEventFilter>

namespace quantelo::platform {

// No other program destroys or hides this one's windows here.
ForeignWindowChanges::ForeignWindowChanges() = default;
ForeignWindowChanges::~ForeignWindowChanges() = default;

} // namespace quantelo::platform

#pragma once

#include "forms/windows/form_description.h"

namespace quantelo {

// The three calculator windows. The single-phase window is the base; the
// other two are described by their differences from it. Each description is
// built once and lives as long as the program.
const FormDescription& singlePhaseForm();   // frmPowerRealApparent1Phase
const FormDescription& lineToNeutralForm(); // frmPowerRealApparent3PhLN
const FormDescription& lineToLineForm();    // frmPowerRealApparent3PhLL

} // namespace quantelo

#pragma once

#include "layout/form_description.h"

namespace quantelo {

// The main window frmPowerSolve: the title picture and one button for each
// calculator. Built once; lives as long as the program.
const FormDescription& mainForm();

} // namespace quantelo

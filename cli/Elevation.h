#pragma once

#include <string>

#include "session/SaveReport.h"

// A plain word of advice for a failed save that rights would have avoided
// (a standard user cannot write the machine's registry); empty when none.
std::string AdviceFor(const SaveFailure& failure);

// Registers the formula and reference record classes with a record factory.
#pragma once

#include "engine/biff/record_factory.h"

namespace engine::formulas {

void RegisterRecordClasses(biff::TRecordFactory& AFactory);

}  // namespace engine::formulas

// Registers the record classes of this folder (formats, cells, settings, ranges, charts and the
// carried records) with a record factory.
#pragma once

#include "engine/biff/record_factory.h"

namespace engine::records {

void RegisterRecordClasses(biff::TRecordFactory& AFactory);

}  // namespace engine::records

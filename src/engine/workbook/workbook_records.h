// The record factory of a workbook: every record class of the engine registered, so that each
// id of the factory's table is read into its class.
#pragma once

#include "engine/biff/record_factory.h"

namespace engine::workbook {

// Registers the section records of this folder.
void RegisterRecordClasses(biff::TRecordFactory& AFactory);

// The complete factory, made once.
const biff::TRecordFactory& WorkbookRecordFactory();

}  // namespace engine::workbook

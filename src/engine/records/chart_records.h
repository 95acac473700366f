// The records of chart sheets, kept as read: BEGIN and END nest the chart's blocks.
#pragma once

#include "engine/biff/base_record.h"

namespace engine::records {

class TChartRecord : public biff::TBaseRecord {
 protected:
  using TBaseRecord::TBaseRecord;
};

// BEGIN (0x1033): opens a nested block.
class TBeginRecord final : public biff::TConcreteRecord<TBeginRecord, TChartRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// END (0x1034): closes it.
class TEndRecord final : public biff::TConcreteRecord<TEndRecord, TChartRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

// AI (0x1051): a link from a chart series to its data.
class TChartAIRecord final : public biff::TConcreteRecord<TChartAIRecord, TChartRecord> {
 public:
  using TConcreteRecord::TConcreteRecord;
};

}  // namespace engine::records

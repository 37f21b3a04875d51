#include <algorithm>
#include <charconv>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>

#include "viewer/edb/edb.h"
#include "viewer/value_text.h"
#include "viewer/viewer.h"

namespace raz::viewer {
namespace {

constexpr int kPumpEvery = 50;
constexpr int kRowsWhenEmpty = 10;
constexpr int kMinNumberColumnWidth = 50;
constexpr int kMinFieldColumnWidth = 60;
constexpr int kPixelsPerByte = 8;

// Value bytes one load takes from the engine at most, counting byte sets in
// full although their cells show them only up to a zero byte. The grid's
// text budget bounds what is kept; this bounds the reading (memo and byte-set
// chains of many fields may share blocks), twice the text budget.
constexpr std::uint64_t kMaxValueBytes = 2 * EGrid::kMaxTextBytes;

// Once the stored texts pass this, the records not yet read are counted
// before any more is stored. A few megabytes of file can name more text than
// the budget (memo chains entered at many blocks): such a table is then
// refused without filling 512 MiB first, while a table below it (1,000,000 x
// 8 fields takes about 80 MiB) is read once.
constexpr std::uint64_t kCountAheadFrom = std::uint64_t{128} << 20;

// Whether the cells after field `field` of the current record `record`, and
// the records after it, fit beside the `text_bytes` stored and the
// `value_bytes` read so far: false when the load would stop on them. The
// engine is left past the last record; messages are pumped as the load pumps.
bool RestFits(const ViewerState& state, std::int64_t record, std::int32_t field, std::uint64_t text_bytes,
              std::uint64_t value_bytes, LoadSink& sink) {
  FormattedText text;
  edb::FieldValue value;
  for (std::int64_t i = record; i <= state.record_count; ++i) {
    if (i != record) text_bytes += EGrid::BudgetBytes(std::to_string(i));
    for (std::int32_t j = i == record ? field + 1 : 1; j <= state.field_count; ++j) {
      edb::ReadField(j, value);
      if (edb::LastErrorCode() == edb::code::kOutOfMemory) return false;
      value_bytes += value.bytes.size();
      text_bytes += EGrid::BudgetBytes(FieldValueText(value, text));
      if (value_bytes > kMaxValueBytes || text_bytes > EGrid::kMaxTextBytes) return false;
    }
    edb::SkipRecords(1);
    if (i % kPumpEvery == 0 && i != record) sink.PumpMessages();
  }
  return true;
}

int WidthFor(std::size_t bytes, int minimum) {
  const long long width = static_cast<long long>(bytes) * kPixelsPerByte;
  return width < minimum ? minimum : static_cast<int>(std::min<long long>(width, 0x7FFFFFFF));
}

// Keeps the main window disabled for its life, also when the load throws.
class WindowDisabled {
 public:
  explicit WindowDisabled(LoadSink& sink) : sink_(sink) { sink_.SetMainWindowEnabled(false); }
  ~WindowDisabled() { sink_.SetMainWindowEnabled(true); }
  WindowDisabled(const WindowDisabled&) = delete;
  WindowDisabled& operator=(const WindowDisabled&) = delete;

 private:
  LoadSink& sink_;
};

// The header row and column and every record, with the window disabled.
LoadOutcome FillGrid(const ViewerState& state, std::int64_t rows, EGrid& grid, LoadSink& sink) {
  WindowDisabled disabled(sink);
  grid.SetRowCount(1);
  if (!grid.SetColumnCount(state.field_count + 1)) return LoadOutcome::kTooLarge;
  grid.SetColumnWidth(0, WidthFor(std::to_string(state.record_count).size(), kMinNumberColumnWidth));
  for (std::int32_t j = 1; j <= state.field_count; ++j) {
    const std::string& name = state.field_names[static_cast<std::size_t>(j - 1)];
    grid.SetColumnWidth(j, WidthFor(name.size(), kMinFieldColumnWidth));
    if (!grid.SetCellText(0, j, name)) return LoadOutcome::kTooLarge;
  }
  sink.PumpMessages();

  // The grid holds every row, so each row number fits an int.
  if (!grid.SetRowCount(static_cast<int>(rows))) return LoadOutcome::kTooLarge;
  sink.PumpMessages();

  edb::GoToFirstRecord();
  FormattedText text;     // one buffer for the cells that are formatted
  edb::FieldValue value;  // and one for every value
  std::uint64_t value_bytes = 0;
  bool counted_ahead = false;
  for (std::int64_t i = 1; i <= state.record_count; ++i) {
    const int row = static_cast<int>(i);
    char number[24];
    const char* end = std::to_chars(number, number + sizeof number, i).ptr;
    if (!grid.SetCellText(row, 0, std::string_view(number, static_cast<std::size_t>(end - number)))) {
      return LoadOutcome::kTooLarge;
    }
    for (std::int32_t j = 1; j <= state.field_count; ++j) {
      // By position, not by name: two fields whose names differ only in
      // letter case would otherwise both show the first one's values.
      edb::ReadField(j, value);
      // The engine's own allocation failures leave -2 and an empty value.
      if (edb::LastErrorCode() == edb::code::kOutOfMemory) return LoadOutcome::kTooLarge;
      value_bytes += value.bytes.size();
      if (value_bytes > kMaxValueBytes) return LoadOutcome::kTooLarge;
      if (!grid.SetCellText(row, j, FieldValueText(value, text))) return LoadOutcome::kTooLarge;
      if (!counted_ahead && grid.CellBytes() > kCountAheadFrom) {
        counted_ahead = true;
        if (!RestFits(state, i, j, grid.CellBytes(), value_bytes, sink)) return LoadOutcome::kTooLarge;
        edb::GoToFirstRecord();
        edb::SkipRecords(row - 1);  // back to this record, for its next field
      }
    }
    edb::SkipRecords(1);
    if (i % kPumpEvery == 0) sink.PumpMessages();
  }
  return LoadOutcome::kLoaded;
}

}  // namespace

LoadOutcome LoadTable(ViewerState& state, EGrid& grid, LoadSink& sink) {
  sink.SetStatusText("读取数据...");
  try {
    state.field_names.clear();
    grid.SetRowCount(1);
    grid.SetColumnCount(1);
    grid.Reinitialise();

    state.record_count = edb::RecordCount();
    state.field_count = edb::FieldCount();
    for (std::int32_t j = 1; j <= state.field_count; ++j) state.field_names.push_back(edb::FieldName(j));
    if (state.field_count == 0) {
      sink.SetStatusText("字段数量为0");
      return LoadOutcome::kLoaded;
    }
    // Refused before the grid grows: records and fields come from the file,
    // and their product (with the header row and column) is checked in 64 bits.
    const std::int64_t rows = state.record_count == 0 ? kRowsWhenEmpty : std::int64_t{state.record_count} + 1;
    if (!EGrid::CellsFit(rows, std::int64_t{state.field_count} + 1)) return LoadOutcome::kTooLarge;
    if (FillGrid(state, rows, grid, sink) != LoadOutcome::kLoaded) return LoadOutcome::kTooLarge;
  } catch (const std::bad_alloc&) {
    return LoadOutcome::kTooLarge;
  } catch (const std::length_error&) {
    return LoadOutcome::kTooLarge;
  }
  sink.SetStatusText("共有记录：" + std::to_string(state.record_count));
  return LoadOutcome::kLoaded;
}

}  // namespace raz::viewer

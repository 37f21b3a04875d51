#include <algorithm>
#include <charconv>
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

int WidthFor(std::size_t bytes, int minimum) {
  const long long width = static_cast<long long>(bytes) * kPixelsPerByte;
  return width < minimum ? minimum : static_cast<int>(std::min<long long>(width, 0x7FFFFFFF));
}

}  // namespace

void LoadTable(ViewerState& state, EGrid& grid, LoadSink& sink) {
  sink.SetStatusText("读取数据...");
  state.field_names.clear();
  grid.SetRowCount(1);
  grid.SetColumnCount(1);
  grid.Reinitialise();

  state.record_count = edb::RecordCount();
  state.field_count = edb::FieldCount();
  for (std::int32_t j = 1; j <= state.field_count; ++j) state.field_names.push_back(edb::FieldName(j));
  if (state.field_count == 0) {
    sink.SetStatusText("字段数量为0");
    return;
  }

  sink.SetMainWindowEnabled(false);
  grid.SetRowCount(1);
  grid.SetColumnCount(state.field_count + 1);
  grid.SetColumnWidth(0, WidthFor(std::to_string(state.record_count).size(), kMinNumberColumnWidth));
  for (std::int32_t j = 1; j <= state.field_count; ++j) {
    const std::string& name = state.field_names[static_cast<std::size_t>(j - 1)];
    grid.SetColumnWidth(j, WidthFor(name.size(), kMinFieldColumnWidth));
    grid.SetCellText(0, j, name);
  }
  sink.PumpMessages();

  grid.SetRowCount(state.record_count == 0
                       ? kRowsWhenEmpty
                       : static_cast<int>(std::min<long long>(state.record_count + 1LL, 0x7FFFFFFF)));
  sink.PumpMessages();

  edb::GoToFirstRecord();
  std::string text;  // one buffer for every cell
  for (std::int32_t i = 1; i <= state.record_count; ++i) {
    char number[16];
    grid.SetCellText(i, 0, std::string_view(number, static_cast<std::size_t>(
                                                        std::to_chars(number, number + sizeof number, i).ptr - number)));
    for (std::int32_t j = 1; j <= state.field_count; ++j) {
      // By position, not by name: two fields whose names differ only in
      // letter case would otherwise both show the first one's values.
      text.clear();
      AppendFieldValueText(edb::ReadField(j), text);
      grid.SetCellText(i, j, text);
    }
    edb::SkipRecords(1);
    if (i % kPumpEvery == 0) sink.PumpMessages();
  }

  sink.SetMainWindowEnabled(true);
  sink.SetStatusText("共有记录：" + std::to_string(state.record_count));
}

}  // namespace raz::viewer

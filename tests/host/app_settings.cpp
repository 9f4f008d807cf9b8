// The settings as a value: what each moment reads, defaults, values of the wrong type, and what
// a save writes in which order.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "app/Settings.h"
#include "toolkit/Exception.h"

namespace {

// A key of values as the registry holds them: integers, or text where an integer belongs.
class MapSource : public TSettingsSource {
 public:
  std::map<std::string, std::variant<int32_t, std::string>> Values;
  std::vector<std::string> Written;  // names, in the order written
  bool Refuse = false;

  std::optional<int32_t> ReadInteger(const std::string& name) override {
    const auto it = Values.find(name);
    if (it == Values.end()) return std::nullopt;
    if (!std::holds_alternative<int32_t>(it->second)) RaiseFmt("Invalid data type for '%s'", {name});
    return std::get<int32_t>(it->second);
  }
  void WriteInteger(const std::string& name, int32_t value) override {
    if (Refuse) RaiseFmt("Failed to set data for '%s'", {name});
    Values[name] = value;
    Written.push_back(name);
  }
};

// Everything unlike the defaults, so a read that took a default shows.
TSettings Marked() { return {-1, -1, false, true, false, false}; }

bool Same(const TSettings& a, const TSettings& b) {
  return a.Top == b.Top && a.Left == b.Left && a.Cycling == b.Cycling && a.Stay == b.Stay && a.Clock == b.Clock &&
         a.Autorun == b.Autorun;
}

std::string Raised(MapSource& source, TSettingsMoment moment, TSettings& settings) {
  try {
    ReadSettings(source, moment, settings);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

struct ReadCase {
  const char* name;
  std::map<std::string, std::variant<int32_t, std::string>> values;
  TSettingsMoment moment;
  TSettings expected;  // read over Marked()
  const char* raises;
};

class ReadSettingsTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadSettingsTest, EachMomentReadsItsOwnSettings) {
  const ReadCase& c = GetParam();
  MapSource source;
  source.Values = c.values;
  TSettings settings = Marked();
  EXPECT_EQ(Raised(source, c.moment, settings), c.raises);
  EXPECT_TRUE(Same(settings, c.expected));
}

using enum TSettingsMoment;
const std::map<std::string, std::variant<int32_t, std::string>> kAllStored = {
    {"top", 200}, {"left", 300}, {"On", 0}, {"Stay", 7}, {"Clock", 0}, {"Run", 0}};

INSTANTIATE_TEST_SUITE_P(
    Values, ReadSettingsTest,
    testing::Values(
        ReadCase{"NothingStoredAtCreation", {}, Creation, {15, 15, false, false, false, false}, ""},
        ReadCase{"NothingStoredAtActivation", {}, Activation, {-1, -1, true, true, true, true}, ""},
        // A switch is on when not 0; each moment leaves the other's settings alone.
        ReadCase{"StoredAtCreation", kAllStored, Creation, {200, 300, false, true, false, false}, ""},
        ReadCase{"StoredAtActivation", kAllStored, Activation, {-1, -1, false, true, false, false}, ""},
        // Regression: at creation a value of the wrong type stopped the reading, and the values
        // after it were saved back at their defaults. It now costs that value alone, and the
        // message names every value not read.
        ReadCase{"TopIsTextAtCreation", {{"top", "200"}, {"left", 300}, {"Stay", 1}}, Creation,
                 {15, 300, false, true, false, false}, "Invalid data type for 'top'"},
        ReadCase{"LeftIsTextAtCreation", {{"top", 200}, {"left", "x"}, {"Stay", 0}}, Creation,
                 {200, 15, false, false, false, false}, "Invalid data type for 'left'"},
        ReadCase{"LeftAndStayAreTextAtCreation", {{"top", 200}, {"left", "x"}, {"Stay", "1"}}, Creation,
                 {200, 15, false, false, false, false},
                 "Invalid data type for 'left'\nInvalid data type for 'Stay'"},
        // Regression: at activation it skipped the rest, so the notes were never shown. It now
        // gives its default and the other switches still read.
        ReadCase{"OnIsTextAtActivation", {{"On", "0"}, {"Clock", 0}, {"Run", "1"}}, Activation,
                 {-1, -1, true, true, false, true}, ""}),
    [](const auto& info) { return info.param.name; });

TEST(WriteSettings, AllSixInTheirOrderAndTheFirstRefusalEndsIt) {
  MapSource source;
  WriteSettings(source, {80, 120, false, true, false, true});
  EXPECT_EQ(source.Written, (std::vector<std::string>{"top", "left", "On", "Stay", "Clock", "Run"}));
  TSettings back = Marked();
  ReadSettings(source, Creation, back);
  ReadSettings(source, Activation, back);
  EXPECT_TRUE(Same(back, {80, 120, false, true, false, true}));
  EXPECT_EQ(std::get<int32_t>(source.Values["Stay"]), 1);  // a switch as 1 or 0

  MapSource refusing;
  refusing.Refuse = true;
  try {
    WriteSettings(refusing, DefaultSettings());
    ADD_FAILURE() << "a refused write went through";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Failed to set data for 'top'");
  }
  EXPECT_TRUE(refusing.Values.empty());
}

}  // namespace

#include "ui/main_window/input_panel_texts.h"

#include <gtest/gtest.h>

namespace taiyi {
namespace {

TEST(InputPanelTexts, HourRowsNameTheirDoubleHour) {
  const std::pair<int, const char*> cases[] = {{0, "0时子"},   {1, "1时丑"},   {2, "2时丑"},
                                               {3, "3时寅"},   {12, "12时午"}, {20, "20时戌"},
                                               {21, "21时亥"}, {22, "22时亥"}, {23, "23时子"}};
  for (const auto& [hour, text] : cases) EXPECT_EQ(HourRowText(hour), text) << hour;
}

TEST(InputPanelTexts, TypedYearsAgainstStoredYears) {
  const std::pair<int, std::optional<int>> cases[] = {
      {2004, 2004},         {1, 1},       {-1, 0},           {-120, -119},
      {-4713, -4712},       {9999, 9999}, {0, std::nullopt}, {-4714, std::nullopt},
      {10000, std::nullopt}};
  for (const auto& [typed, stored] : cases) EXPECT_EQ(StoredYearOf(typed), stored) << typed;
  EXPECT_EQ(TypedYearOf(0), -1);
  EXPECT_EQ(TypedYearOf(-119), -120);
  EXPECT_EQ(TypedYearOf(1), 1);
}

TEST(InputPanelTexts, YearBoxTextThatIsNoNumberReadsAsZero) {
  const std::pair<const char*, int> cases[] = {
      {"2004", 2004}, {" -120 ", -120}, {"+7", 7}, {"abc", 0}, {"12a", 0}, {"", 0}, {"-", 0}};
  for (const auto& [text, year] : cases) EXPECT_EQ(ParseTypedYear(text), year) << text;
}

TEST(InputPanelTexts, CitySearchAllowsOneDoubleByteCharacterMore) {
  const std::vector<std::string> rows = {"福州", "厦门市区", "厦门", "泉州市"};
  EXPECT_EQ(FindCityRow(rows, "厦门"), 2);  // 厦门市区 is 8 bytes: too long for 厦门 (4)
  EXPECT_EQ(FindCityRow(rows, "厦门市"), 1);
  EXPECT_EQ(FindCityRow(rows, "泉州"), 3);
  EXPECT_EQ(FindCityRow(rows, "州"), 0);
  EXPECT_EQ(FindCityRow(rows, "漳州"), -1);
  EXPECT_EQ(FindCityRow(rows, ""), -1);
}

}  // namespace
}  // namespace taiyi

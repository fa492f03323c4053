#include "chart/places.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "platform/file_util.h"
#include "platform/gbk.h"
#include "support/temp_dir.h"

namespace taiyi {
namespace {

const std::string kShippedPlaces = std::string(TAIYI_SOURCE_DAT_DIR) + "/dili.ini";

void WriteGbk(const std::string& path, const std::string& utf8) {
  std::ofstream(path, std::ios::binary) << Utf8ToGbk(utf8);
}

TEST(ParseCoordinatesTest, ReadsDegreesAndMinutesWithinTheEditorRanges) {
  struct Case {
    const char* value;
    bool ok;
    double longitude = 0, latitude = 0;
  };
  const Case cases[] = {
      {"116:28*39:54", true, 116.4667, 39.9},
      {"120:0*30:0", true, 120.0, 30.0},
      {"179:59*89:59", true, 179.9833, 89.9833},
      {"-179:0*-89:0", true, -179.0, -89.0},
      {"-12:30*-5:15", true, -11.5, -4.75},  // minutes add, also to negative degrees
      {"+8:05*+1:0", true, 8.0833, 1.0},
      {"180:0*30:0", false},
      {"-180:0*30:0", false},
      {"120:60*30:0", false},
      {"120:-1*30:0", false},
      {"120:0*90:0", false},
      {"120:0*30:60", false},
      {"", false},
      {"abc", false},
      {"120:0", false},
      {"120*30", false},
      {"120:0*30", false},
      {"120:0*30:0*1", false},
      {"120:0:1*30:0", false},
      {"12a:0*30:0", false},
      {"120.5:0*30:0", false},
      {"0x10:0*30:0", false},
      {" 120:0*30:0", false},
      {"99999999999:0*30:0", false},
      {"-:0*30:0", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    Coordinates got{1.0f, 2.0f};
    ASSERT_EQ(ParseCoordinates(c.value, got), c.ok);
    if (c.ok) {
      EXPECT_NEAR(got.longitude, c.longitude, 1e-4);
      EXPECT_NEAR(got.latitude, c.latitude, 1e-4);
    } else {
      EXPECT_EQ(got.longitude, 1.0f);  // untouched on failure
      EXPECT_EQ(got.latitude, 2.0f);
    }
  }
}

TEST(ParseCoordinatesTest, FormatWritesWhatParseReads) {
  EXPECT_EQ(FormatCoordinates(-179, 59, 89, 0), "-179:59*89:0");
  Coordinates c;
  ASSERT_TRUE(ParseCoordinates(FormatCoordinates(116, 28, 39, 54), c));
  EXPECT_NEAR(c.longitude, 116.4667, 1e-4);
}

TEST(SplitCoordinatesTest, GivesTheEditorTheRawParts) {
  struct Case {
    const char* value;
    CoordinateTexts want;
  };
  const Case cases[] = {
      {"116:28*39:54", {"116", "28", "39", "54"}}, {"12a:x*30:0", {"12a", "x", "30", "0"}},
      {"120*30", {"120", "", "30", ""}},           {"120:5", {"120", "5", "", ""}},
      {"1:2:3*4:5*6", {"1", "2:3", "4", "5*6"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const CoordinateTexts got = SplitCoordinates(c.value);
    EXPECT_EQ(got.lonDegrees, c.want.lonDegrees);
    EXPECT_EQ(got.lonMinutes, c.want.lonMinutes);
    EXPECT_EQ(got.latDegrees, c.want.latDegrees);
    EXPECT_EQ(got.latMinutes, c.want.latMinutes);
  }
}

class PlaceTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteGbk(path_,
             "; test places\r\n"
             "[北京市]\r\n"
             "东城区=116:28*39:54\r\n"
             "海淀区=116:18*39:58\r\n"
             "[福建省]\r\n"
             "福州市=119:18*26:5\r\n"
             "无值县=\r\n"
             "无等号县\r\n"
             "坏县=119:xx*26:0\r\n"
             "出界县=190:0*26:0\r\n"
             "[广西]\r\n");
  }
  test::TempDir dir_;
  std::string path_ = dir_.file("dili.ini");
};

TEST_F(PlaceTableTest, CitiesAreTheKeysOfTheSectionInFileOrder) {
  PlaceTable places(path_);
  EXPECT_EQ(places.CitiesOf("福建省"),
            (std::vector<std::string>{"福州市", "无值县", "无等号县", "坏县", "出界县"}));
  EXPECT_EQ(places.CitiesOf("北京市"), (std::vector<std::string>{"东城区", "海淀区"}));
  EXPECT_TRUE(places.CitiesOf("广西").empty());
  EXPECT_TRUE(places.CitiesOf("西藏").empty());
}

TEST_F(PlaceTableTest, CoordinatesOfListedCities) {
  PlaceTable places(path_);
  struct Case {
    const char* province;
    const char* city;
    double longitude, latitude;
  };
  const Case cases[] = {
      {"北京市", "东城区", 116.4667, 39.9},
      {"福建省", "福州市", 119.3, 26.0833},
      {"福建省", "无值县", 120.0, 30.0},  // a key without a value
      {"福建省", "无等号县", 120.0, 30.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.city);
    Coordinates got{0, 0};
    ASSERT_TRUE(places.CoordinatesOf(c.province, c.city, got)) << places.LastError();
    EXPECT_NEAR(got.longitude, c.longitude, 1e-4);
    EXPECT_NEAR(got.latitude, c.latitude, 1e-4);
  }
}

TEST_F(PlaceTableTest, MalformedOrUnknownEntriesAreReportedErrors) {
  PlaceTable places(path_);
  struct Case {
    const char* province;
    const char* city;
    const char* inMessage;
  };
  const Case cases[] = {
      {"福建省", "坏县", "福建省-坏县"},  {"福建省", "坏县", "119:xx*26:0"},
      {"福建省", "出界县", "190:0*26:0"}, {"福建省", "厦门市", "福建省-厦门市"},
      {"西藏", "拉萨市", "西藏-拉萨市"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.city);
    Coordinates got{1.0f, 2.0f};
    EXPECT_FALSE(places.CoordinatesOf(c.province, c.city, got));
    EXPECT_NE(places.LastError().find(c.inMessage), std::string::npos) << places.LastError();
    EXPECT_EQ(got.longitude, 1.0f);
  }
}

TEST_F(PlaceTableTest, UnknownPlaceNeedsNoFile) {
  PlaceTable places(dir_.file("missing.ini"));
  EXPECT_TRUE(places.CitiesOf("福建省").empty());
  EXPECT_EQ(places.CitiesOf(kUnknownPlace), std::vector<std::string>{"未知地"});
  Coordinates got{0, 0};
  ASSERT_TRUE(places.CoordinatesOf(kUnknownPlace, kUnknownPlace, got));
  EXPECT_EQ(got.longitude, 120.0f);
  EXPECT_EQ(got.latitude, 30.0f);
  EXPECT_FALSE(places.CoordinatesOf(kUnknownPlace, "福州市", got));
}

TEST_F(PlaceTableTest, EditorReadsDefaultsAndWritesBackInGbk) {
  PlaceTable places(path_);
  EXPECT_EQ(places.ValueOf("福建省", "无值县"), "120:0*30:0");
  EXPECT_EQ(places.ValueOf("福建省", "没有的县"), "120:0*30:0");
  EXPECT_EQ(places.ValueOf("福建省", "坏县"), "119:xx*26:0");

  ASSERT_TRUE(places.WriteValue("福建省", "坏县", FormatCoordinates(-179, 59, 89, 0)));
  PlaceTable reread(path_);
  Coordinates got;
  ASSERT_TRUE(reread.CoordinatesOf("福建省", "坏县", got)) << reread.LastError();
  EXPECT_NEAR(got.longitude, -178.0167, 1e-4);
  EXPECT_EQ(reread.CitiesOf("福建省").at(3), "坏县");  // keeps its place in the list

  std::ifstream in(path_, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(bytes.find(Utf8ToGbk("坏县=-179:59*89:0")), std::string::npos);
}

// A table read from the shipped file writes to the user's copy: the shipped file stays as
// it was, and the copy holds every city of it besides the change.
TEST_F(PlaceTableTest, FirstWriteStartsTheUsersCopyFromTheShippedTable) {
  const std::string mine = dir_.file("user/dili.ini");
  ASSERT_TRUE(CreateDirs(dir_.file("user")));
  std::string shippedBytes;
  ASSERT_TRUE(ReadFile(path_, shippedBytes));
  PlaceTable places(path_, mine);
  ASSERT_TRUE(places.WriteValue("北京市", "东城区", "116:30*39:50"));
  ASSERT_TRUE(places.WriteValue("北京市", "海淀区", "116:20*40:0"));
  std::string after;
  ASSERT_TRUE(ReadFile(path_, after));
  EXPECT_EQ(after, shippedBytes);
  PlaceTable reread(mine);
  EXPECT_EQ(reread.ValueOf("北京市", "东城区"), "116:30*39:50");
  EXPECT_EQ(reread.ValueOf("北京市", "海淀区"), "116:20*40:0");
  EXPECT_EQ(reread.ValueOf("福建省", "福州市"), "119:18*26:5");

  // A folder that cannot take the copy is reported, and nothing is written anywhere.
  PlaceTable blocked(path_, dir_.file("missing/dili.ini"));
  EXPECT_FALSE(blocked.WriteValue("北京市", "东城区", "1:0*1:0"));
  EXPECT_NE(blocked.LastError().find("无法写入文件"), std::string::npos);
  ASSERT_TRUE(ReadFile(path_, after));
  EXPECT_EQ(after, shippedBytes);
}

// The table shipped with the program: a section for every place group but the unknown
// place, in list order, none empty, no city twice, every value readable.
TEST(ShippedPlacesTest, EveryProvinceIsCompleteAndReadable) {
  PlaceTable places(kShippedPlaces);
  IniFile ini(kShippedPlaces);
  ASSERT_FALSE(ini.ReadSections().empty()) << "cannot read " << kShippedPlaces;
  EXPECT_FALSE(ini.IsUtf8OnDisk());

  const std::vector<std::string> want(kProvinces.begin(), kProvinces.end() - 1);
  EXPECT_EQ(ini.ReadSections(), want);
  for (const std::string& province : want) {
    SCOPED_TRACE(province);
    const std::vector<std::string> cities = places.CitiesOf(province);
    EXPECT_FALSE(cities.empty());
    EXPECT_EQ(std::set<std::string>(cities.begin(), cities.end()).size(), cities.size());
    for (const std::string& city : cities) {
      Coordinates c;
      EXPECT_TRUE(places.CoordinatesOf(province, city, c)) << places.LastError();
      EXPECT_NE(ini.ReadString(province, city, ""), "") << city << " has no value";
    }
  }
  // A few seats whose coordinates are well known.
  struct Seat {
    const char* province;
    const char* city;
    double longitude, latitude;
  };
  const Seat seats[] = {
      {"福建省", "福州市", 119.3, 26.08},      {"上海市", "黄浦区", 121.48, 31.23},
      {"新疆", "乌鲁木齐市", 87.62, 43.82},    {"西藏", "拉萨市", 91.13, 29.65},
      {"黑龙江省", "哈尔滨市", 126.63, 45.75}, {"香港", "中西区", 114.15, 22.28},
  };
  for (const Seat& s : seats) {
    SCOPED_TRACE(s.city);
    Coordinates c;
    ASSERT_TRUE(places.CoordinatesOf(s.province, s.city, c));
    EXPECT_NEAR(c.longitude, s.longitude, 0.1);
    EXPECT_NEAR(c.latitude, s.latitude, 0.1);
  }
}

}  // namespace
}  // namespace taiyi

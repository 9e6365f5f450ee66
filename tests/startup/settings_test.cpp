#include "startup/settings.h"

#include <gtest/gtest.h>

#include <vector>

#include "startup/item_reader.h"
#include "support/headless_app.h"

namespace mirvane {
namespace {

std::vector<std::string> Items(std::string_view text) {
  std::vector<std::string> items;
  ItemReader reader(text);
  std::string_view item;
  while (reader.Next(item)) items.emplace_back(item);
  return items;
}

TEST(ItemReaderTest, SplitsAtCommasAndEveryKindOfLineEnd) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Items("a,b\r\nc\rd\ne"), (V{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(Items("  spaced  ,  x y  \r\n"), (V{"spaced", "x y"}));
  EXPECT_EQ(Items("\r\nx\r\n"), (V{"", "x"}));  // the record file's leading CR gives an empty item
  EXPECT_EQ(Items(""), V{});
}

TEST(ItemReaderTest, QuotedItemsKeepCommasSpacesAndLineEnds) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Items("\"a, b \" tail ignored,next"), (V{"a, b ", "next"}));
  EXPECT_EQ(Items("  \"two\r\nlines\"\r\nz"), (V{"two\r\nlines", "z"}));
  EXPECT_EQ(Items("\"never closed, at all"), (V{"never closed, at all"}));
  EXPECT_EQ(Items("x=\"q\",y"), (V{"x=\"q\"", "y"}));  // a quote inside an item is plain text
}

struct SettingCase {
  const char* file;
  const char* key;
  const char* value;
};

constexpr SettingCase kSettingCases[] = {
    {"language=es", "language", "es"},
    {"language=es", "coursecode", ""},
    {"language=es\r\nlanguage=\r\n", "language", ""},  // the last entry wins, even empty
    {"Language=es\r\nlanguage =es\r\n", "language", ""},
    {"  language=es  \r\n", "language", "es"},
    {"language=  es\r\n", "language", "  es"},
    {"closecoursemessage=Close now, really?\r\n", "closecoursemessage", "Close now"},
    {"\"closecoursemessage=Close now, really?\"\r\n", "closecoursemessage", "Close now, really?"},
    {"showlogin=false,language=fr", "showlogin", "false"},
    {"showlogin=false,language=fr", "language", "fr"},
    {"idp1_1_10=ten\r\n", "idp1_1_1", ""},
    {"passmessage=a=b", "passmessage", "a=b"},
    {"[course]\r\n; comment\r\n\r\ncoursecode=ABC\r\n", "coursecode", "ABC"},
    {"coursecode=ABC\r\n", "coursecode=", ""},
    // Keys holding "=" match at a later "=", and the empty key matches "=...".
    {"a=b=c\r\na=x\r\n", "a=b", "c"},
    {"=x\r\nk=1\r\n", "", "x"},
    {"k=1\r\n=\r\n", "", ""},
};

TEST(FindSettingTest, FollowsTheSettingsFileRules) {
  for (const SettingCase& c : kSettingCases) {
    EXPECT_EQ(FindSetting(c.file, c.key), c.value) << c.file << " / " << c.key;
  }
}

TEST(SettingsSnapshotTest, ReadsEveryKeyAsFindSettingDoes) {
  test::HeadlessApp t;
  for (const SettingCase& c : kSettingCases) {
    t.WriteSettings(c.file);
    SettingsSnapshot settings(t.app);
    EXPECT_EQ(settings.Read(c.key), c.value) << c.file << " / " << c.key;
    EXPECT_EQ(settings.Read("language"), FindSetting(c.file, "language")) << c.file;
  }
}

TEST(SettingsSnapshotTest, ReadsTheFileOnceAtItsFirstRead) {
  test::HeadlessApp t;
  {
    SettingsSnapshot unused(t.app);  // nothing read: no error without a file
  }
  EXPECT_THROW(SettingsSnapshot(t.app).Read("language"), SettingsFileError);
  t.WriteSettings("language=es\r\n");
  SettingsSnapshot settings(t.app);
  EXPECT_EQ(settings.Read("language"), "es");
  t.WriteSettings("language=fr\r\n");
  EXPECT_EQ(settings.Read("language"), "es");  // why a snapshot goes with its operation
  EXPECT_EQ(SettingsSnapshot(t.app).Read("language"), "fr");
}

TEST(ReadSettingTest, ReadsTheFileAgainAtEveryCall) {
  test::HeadlessApp t;
  t.WriteSettings("language=es\r\n");
  EXPECT_EQ(ReadSetting(t.app, "language"), "es");
  t.WriteSettings("language=fr\r\n");
  EXPECT_EQ(ReadSetting(t.app, "language"), "fr");
}

TEST(ReadSettingTest, ReadsWindows1252AndUtf8Files) {
  test::HeadlessApp t;
  t.WriteSettings("loginwelcomemessage=Bienvenido a la formaci\xF3n\r\n");
  EXPECT_EQ(ReadSetting(t.app, "loginwelcomemessage"), "Bienvenido a la formación");
  t.WriteSettings("loginwelcomemessage=Bienvenido a la formación\r\n");
  EXPECT_EQ(ReadSetting(t.app, "loginwelcomemessage"), "Bienvenido a la formación");
  t.WriteSettings("\xEF\xBB\xBFlanguage=pt\r\n");
  EXPECT_EQ(ReadSetting(t.app, "language"), "pt");
}

TEST(ReadSettingTest, MissingFileFailsNamingTheFile) {
  test::HeadlessApp t;
  try {
    ReadSetting(t.app, "language");
    FAIL() << "no failure without a settings file";
  } catch (const SettingsFileError& error) {
    EXPECT_EQ(error.path(), t.host.HostPath("C:\\Course\\mirvane.ini"));
    EXPECT_EQ(error.status(), FileStatus::NotFound);
  }
}

}  // namespace
}  // namespace mirvane

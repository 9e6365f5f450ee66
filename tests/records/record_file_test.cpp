#include "records/record_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "records/value_encoding.h"
#include "startup/item_reader.h"
#include "support/headless_app.h"

namespace mirvane {
namespace {

class RecordFileTest : public ::testing::Test {
 protected:
  test::HeadlessApp t;
  App& app = t.app;

  void SetUp() override {
    t.WriteSettings("language=en\r\ncoursecode=ABC\r\n");
    app.Language = "en";
    app.DataFolder = "C:\\e-Learning\\ABC.coursedata\\";
    t.host.files().CreateFolder("C:\\e-Learning\\");
    t.host.files().CreateFolder(app.DataFolder);
    app.CurrentUser = "jdoe";
  }

  std::string RecordPath() { return "C:\\e-Learning\\ABC.coursedata\\tracking\\jdoe.tracking"; }
  std::string Bytes() { return t.FileBytes(RecordPath()); }
  void PutBytes(std::string_view bytes) {
    t.host.files().CreateFolder(app.DataFolder + "tracking\\");
    ASSERT_EQ(t.host.files().WriteFile(RecordPath(), bytes), FileStatus::Ok);
  }
};

TEST_F(RecordFileTest, WritesTheExactByteLayout) {
  EXPECT_EQ(ReadRecord(app, "exists"), "");
  EXPECT_TRUE(t.host.files().FileExists(RecordPath()));
  EXPECT_EQ(Bytes(), "");

  WriteRecord(app, "exists", "1");
  EXPECT_EQ(Bytes(), "\r\n101%120%105%115%116%115%^49%\r\n");
  WriteRecord(app, "pwd", "ab");
  EXPECT_EQ(Bytes(), "\r101%120%105%115%116%115%^49%\r\n112%119%100%^97%98%\r\n");
  WriteRecord(app, "exists", "2");
  EXPECT_EQ(Bytes(), "\r101%120%105%115%116%115%^50%\r112%119%100%^97%98%\r\n");
  EXPECT_EQ(ReadRecord(app, "pwd"), "ab");
  EXPECT_EQ(ReadRecord(app, "Exists "), "2");
}

TEST_F(RecordFileTest, StoresTheKeysWithSpecialFormsInThoseForms) {
  const std::pair<const char*, const char*> forms[] = {
      {"l13", "l_1_3"},     {"l14", "l_1_4"},     {"l15", "l_1_5"},     {"l16", "l_1_6"},
      {"l17", "l_1_7"},     {"l18", "l_1_8"},     {"l19", "l_1_9"},     {"L20", "l_2_0"},
      {"o1_13", "o_1_1_3"}, {"o1_14", "o_1_1_4"}, {"o1_15", "o_1_1_5"}, {"o1_16", "o_1_1_6"},
      {"o1_17", "o_1_1_7"}, {"o1_18", "o_1_1_8"}, {"o1_19", "o_1_1_9"}, {" O1_20 ", "o_1_2_0"},
      {"l10", "l10"},       {"l21", "l21"},       {"o2_13", "o2_13"},   {"l1", "l1"},
  };
  for (const auto& [key, stored] : forms) EXPECT_EQ(NormaliseRecordKey(key), stored) << key;

  ReadRecord(app, "exists");
  WriteRecord(app, "L13", "2");
  EXPECT_NE(Bytes().find(EncodeValue("l_1_3") + "^50%"), std::string::npos);
  EXPECT_EQ(Bytes().find(EncodeValue("l13") + "^"), std::string::npos);
  EXPECT_EQ(ReadRecord(app, "l13"), "2");
  EXPECT_EQ(ReadRecord(app, "l_1_3"), "2");
}

TEST_F(RecordFileTest, AKeyNeverTouchesALongerKey) {
  ReadRecord(app, "exists");
  WriteRecord(app, "l10", "1");
  WriteRecord(app, "l11", "2");
  WriteRecord(app, "l12", "0");
  WriteRecord(app, "l1", "2");
  WriteRecord(app, "l1", "1");
  EXPECT_EQ(ReadRecord(app, "l10"), "1");
  EXPECT_EQ(ReadRecord(app, "l11"), "2");
  EXPECT_EQ(ReadRecord(app, "l12"), "0");
  EXPECT_EQ(ReadRecord(app, "l1"), "1");
}

TEST_F(RecordFileTest, EmptyKeysAndValues) {
  EXPECT_EQ(ReadRecord(app, "  "), "");
  EXPECT_FALSE(t.host.files().FileExists(RecordPath())) << "an empty key must not open the file";
  EXPECT_TRUE(t.host.files().FolderExists(app.DataFolder + "tracking\\"));

  ReadRecord(app, "exists");
  EXPECT_EQ(WriteRecord(app, "", "x"), FileStatus::Ok);
  EXPECT_EQ(Bytes(), "");
  WriteRecord(app, "exists", "");
  EXPECT_EQ(Bytes(), "\r\n101%120%105%115%116%115%^\r\n");
  EXPECT_EQ(ReadRecord(app, "exists"), "");
}

TEST_F(RecordFileTest, ReadBackRulesForLineBreaksAndControlCodes) {
  ReadRecord(app, "exists");
  struct Case {
    std::string stored;
    std::string read;
  } cases[] = {
      {"\tindented", "2"},
      {"\bx", "2"},
      {std::string("\0z", 2), "2"},
      {"\nfirst", "\r\nfirst"},
      {"a\n\nb", "a\r\nb"},
      {"a\r\nb", "a\r\r\nb"},  // an existing CR stays in front of the new CR LF
      {"x\ty", "x\ty"},
  };
  for (const Case& c : cases) {
    WriteRecord(app, "notes", c.stored);
    EXPECT_EQ(ReadRecord(app, "notes"), c.read);
  }
}

TEST_F(RecordFileTest, DuplicateItemsReadTheLastAndAreAllRewritten) {
  std::string a = EncodeValue("a") + "^";
  PutBytes("\r\n" + a + EncodeValue("one") + "\r\n" + a + EncodeValue("two") + "\r\n");
  EXPECT_EQ(ReadRecord(app, "a"), "two");
  WriteRecord(app, "a", "3");
  EXPECT_EQ(Bytes(), "\r" + a + "51%\r" + a + "51%\r\n");
}

TEST_F(RecordFileTest, MissingTrackingFolderAndFileAreCreated) {
  EXPECT_EQ(ReadRecord(app, "exists"), "");
  EXPECT_TRUE(t.host.files().FileExists(RecordPath()));
  // A file that vanished between calls is started again by a write.
  t.host.files().DeleteFile(RecordPath());
  EXPECT_EQ(WriteRecord(app, "exists", "1"), FileStatus::Ok);
  EXPECT_EQ(ReadRecord(app, "exists"), "1");
}

TEST_F(RecordFileTest, MissingDataFolderShowsE5AndEndsTheProgram) {
  app.DataFolder = "D:\\nowhere\\ABC.coursedata\\";
  EXPECT_THROW(ReadRecord(app, "exists"), ProgramEnded);
  ASSERT_EQ(t.host.dialogs.shown.size(), 1u);
  const ShownMessage& box = t.host.dialogs.shown[0];
  std::string path = t.host.HostPath("D:\\nowhere\\ABC.coursedata\\tracking\\jdoe.tracking");
  EXPECT_EQ(box.text, "ERR 5: Cannot create data file: \"" + path +
                          "\"\r\nMake sure the disk unit exists, and the folder has read/write access.");
  EXPECT_EQ(box.icon, MessageIcon::Critical);
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
  EXPECT_EQ(box.title, "Mirvane");
  EXPECT_EQ(t.host.processes.ended, std::vector<int>{1});
}

TEST_F(RecordFileTest, AnItemThatDoesNotDecodeReadsAsAbsentAndIsKept) {
  const std::string broken = EncodeValue("name") + "^-5%300%";
  const std::string huge = EncodeValue("pwd") + "^99999999%";
  PutBytes("\r" + broken + "\r" + huge + "\r\n");
  EXPECT_EQ(ReadRecord(app, "name"), "");
  EXPECT_EQ(ReadRecord(app, "pwd"), "");
  ASSERT_EQ(WriteRecord(app, "exists", "1"), FileStatus::Ok);
  EXPECT_EQ(Bytes(), "\r" + broken + "\r" + huge + "\r\n" + EncodeValue("exists") + "^49%\r\n");
}

TEST_F(RecordFileTest, ValuesOfAnyLengthAndCharacterRoundTrip) {
  ReadRecord(app, "exists");
  const std::string values[] = {std::string(70'000, 'n') + "!", "ñandú € → 中文 😀", "a,b \"c\" ^ %"};
  for (const std::string& v : values) {
    ASSERT_EQ(WriteRecord(app, "notes", v), FileStatus::Ok);
    EXPECT_EQ(ReadRecord(app, "notes"), v);
  }
}

// The snapshot gives what ReadRecord gives, key by key, on a file with every
// kind of item: duplicates, special key forms, undecodable values, line
// breaks, read-back rules, a quoted item, an item without a value.
TEST_F(RecordFileTest, ASnapshotReadsEveryKeyAsReadRecordDoes) {
  const auto item = [](std::string_view key, std::string_view value) {
    return EncodeValue(key) + "^" + EncodeValue(value);
  };
  PutBytes("\r" + item("a", "one") + "\r" + item("a", "two") + "\r" + item("l_1_3", "2") + "\r" +
           item("o_1_2_0", "1") + "\r" + EncodeValue("name") + "^-5%300%\r" +
           item("notes", "x\n\ny") + "\r" + item("tab", "\tz") + ",\"" + item("q", "quoted") +
           "\"\r" + EncodeValue("bare") + "\r" + item("ab", "longer key") + "\r\n");
  RecordSnapshot snapshot(app);
  for (const char* key : {"a", "A ", "l13", "l_1_3", "o1_20", "name", "notes", "tab", "q", "bare",
                          "ab", "b", "missing", "", " "}) {
    EXPECT_EQ(snapshot.Read(key), ReadRecord(app, key)) << "key \"" << key << "\"";
  }
  EXPECT_EQ(snapshot.Read("a"), "two");
  EXPECT_EQ(snapshot.Read("l13"), "2");
}

TEST_F(RecordFileTest, ASnapshotReadsTheFileOnceAtItsFirstRead) {
  {
    RecordSnapshot unused(app);  // no key read: nothing made, nothing read
  }
  EXPECT_FALSE(t.host.files().FolderExists(app.DataFolder + "tracking\\"));

  RecordSnapshot snapshot(app);
  EXPECT_EQ(snapshot.Read("exists"), "");  // creates the file as ReadRecord does
  EXPECT_TRUE(t.host.files().FileExists(RecordPath()));
  WriteRecord(app, "exists", "1");
  // What the file held at the first read: the reason a snapshot must not
  // outlive the one operation that made it.
  EXPECT_EQ(snapshot.Read("exists"), "");
  EXPECT_EQ(RecordSnapshot(app).Read("exists"), "1");
}

TEST_F(RecordFileTest, ASnapshotFailsAsReadRecordDoes) {
  app.CurrentUser = "../x";
  EXPECT_EQ(RecordSnapshot(app).Read("exists"), "");
  EXPECT_FALSE(t.host.files().FolderExists(app.DataFolder + "tracking\\"));

  app.CurrentUser = "jdoe";
  app.DataFolder = "D:\\nowhere\\ABC.coursedata\\";
  RecordSnapshot snapshot(app);
  EXPECT_THROW(snapshot.Read("exists"), ProgramEnded);
  ASSERT_EQ(t.host.dialogs.shown.size(), 1u);
  EXPECT_TRUE(t.host.dialogs.shown[0].text.starts_with("ERR 5: "));
  EXPECT_EQ(t.host.processes.ended, std::vector<int>{1});
}

TEST(UserIdTest, OnlyIdsThatStayInsideTheTrackingFolderAreSafe) {
  for (const char* good : {"jdoe", "ana", "00123", "ana maría", "josé.pérez", "a b ", "中文"}) {
    EXPECT_TRUE(IsSafeUserId(good)) << good;
  }
  for (const char* bad : {"", "..", "..\\x", "a/b", "a\\b", "c:x", "a..b", "tab\there", "nl\n",
                          "a*", "a?", "a\"b", "<a>", "a|b", "con", "NUL", "com1", "lpt9.x"}) {
    EXPECT_FALSE(IsSafeUserId(bad)) << bad;
  }
  EXPECT_FALSE(IsSafeUserId(std::string(250, 'a')));
}

TEST_F(RecordFileTest, AnUnsafeUserNeverReachesTheDisk) {
  auto count_entries = [&] {
    std::size_t n = 0;
    for (auto& e : std::filesystem::recursive_directory_iterator(t.host.root())) {
      (void)e;
      ++n;
    }
    return n;
  };
  std::size_t before = count_entries();
  for (const char* user : {"..\\..\\evil", "../../../evil", "C:\\evil", "a:b", "x\x01"}) {
    app.CurrentUser = user;
    EXPECT_EQ(ReadRecord(app, "exists"), "") << user;
    EXPECT_EQ(WriteRecord(app, "exists", "1"), FileStatus::AccessDenied) << user;
  }
  EXPECT_EQ(count_entries(), before);
  EXPECT_TRUE(t.host.dialogs.shown.empty());
}

// Files edited by hand (the first two found by fuzzing): a write of one key
// keeps every other key's value, and the file does not grow by rewriting.
TEST_F(RecordFileTest, AWriteKeepsWhatAHandEditedFileHolds) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string written;  // the file after writing g = 2
  } cases[] = {
      // A quoted item holds a comma; without its quotes it would become two
      // items and f would read differently.
      {"quoted item with a comma", "\"102%^49%,102%^50%\"\n-1%^x\r\n",
       "\r\"102%^49%,102%^50%\"\r-1%^x\r\n103%^50%\r\n"},
      {"quoted item with a line end", "\"102%^49%\r\n50%\"junk\r\n",
       "\r\"102%^49%\r\n50%\"\r\n103%^50%\r\n"},
      {"unclosed quote", "\r\n102%^51%\r\n\"102%^49%\r\n50%",
       "\r102%^51%\r\"102%^49%\r\n50%\"\r\n103%^50%\r\n"},
      // Bytes that happen to form UTF-8 ("\xC3\xA9") are kept as they are,
      // with no byte-order mark that would read as three more characters.
      {"UTF-8 bytes", "\r102%^49%\r\xC3\xA9\r\n", "\r102%^49%\r\xC3\xA9\r\n103%^50%\r\n"},
      {"byte-order mark", "\xEF\xBB\xBF\r102%^49%\r\n",
       "\r\xEF\xBB\xBF\r102%^49%\r\n103%^50%\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PutBytes(c.bytes);
    const std::string f = ReadRecord(app, "f");
    ASSERT_EQ(WriteRecord(app, "g", "2"), FileStatus::Ok);
    EXPECT_EQ(Bytes(), c.written);
    EXPECT_EQ(ReadRecord(app, "f"), f);
    EXPECT_EQ(ReadRecord(app, "g"), "2");
    // The next write settles the layout; from then on the bytes stay.
    ASSERT_EQ(WriteRecord(app, "g", "2"), FileStatus::Ok);
    const std::string settled = Bytes();
    ASSERT_EQ(WriteRecord(app, "g", "2"), FileStatus::Ok);
    EXPECT_EQ(Bytes(), settled);
    EXPECT_EQ(ReadRecord(app, "f"), f);
  }
}

// Several keys in one write leave exactly the bytes of the writes one after
// another, from any starting file.
TEST_F(RecordFileTest, WritingSeveralKeysAtOnceLeavesTheBytesOfWritesInOrder) {
  const std::string starts[] = {
      "",
      "\r\n" + EncodeValue("bookmark_lpath") + "^48%\r\n",
      "\r" + EncodeValue("a") + "^49%\r" + EncodeValue("a") + "^50%,\"x,y\"\r\n" +
          EncodeValue("l_1_3") + "^49%\r\n",
  };
  using Batch = std::array<std::pair<std::string, std::string>, 4>;
  const Batch batches[] = {
      {{{"bookmark_lpath", "0001"}, {"bookmark_lobject", "0002"}, {"bookmark_lpoint", "0003"},
        {"lesson_location", "l1/o2/p3.htm"}}},
      {{{"a", "x"}, {"A ", "y"}, {"b", "1"}, {"a", "z"}}},  // a key again: the last stays
      {{{"", "nothing"}, {"l13", "2"}, {"b", ""}, {"c", "\xC3\xA9 \n\""}}},
  };
  for (const std::string& start : starts) {
    for (const Batch& batch : batches) {
      PutBytes(start);
      for (const auto& [key, value] : batch) WriteRecord(app, key, value);
      const std::string one_by_one = Bytes();

      PutBytes(start);
      ASSERT_EQ(WriteRecords(app, {{batch[0].first, batch[0].second},
                                   {batch[1].first, batch[1].second},
                                   {batch[2].first, batch[2].second},
                                   {batch[3].first, batch[3].second}}),
                FileStatus::Ok);
      EXPECT_EQ(Bytes(), one_by_one) << "from " << start.size() << " bytes, first key " << batch[0].first;
    }
  }
  EXPECT_EQ(WriteRecords(app, {{"", "x"}}), FileStatus::Ok);  // nothing to write
  app.CurrentUser = "a/b";
  EXPECT_EQ(WriteRecords(app, {{"k", "v"}}), FileStatus::AccessDenied);
}

// How many times the kill test kills a writer: MIRVANE_KILLS, 25 unless set.
// The documented long run sets 1000.
int KillCount() {
  const char* text = std::getenv("MIRVANE_KILLS");
  if (text == nullptr || *text == '\0') return 25;
  return std::max(1, std::atoi(text));
}

// Killing the program at any moment of a write leaves the record whole: every
// key is there and holds either its old or its new value, and no value ever
// goes back to one older than a write that had finished.
TEST_F(RecordFileTest, KillingAWriterNeverLeavesABrokenRecord) {
  const int keys = 6;
  const int kills = KillCount();
  auto value = [](int generation) {
    return "gen" + std::to_string(generation) + std::string(generation % 97 * 13, '.');
  };
  ReadRecord(app, "exists");
  for (int k = 0; k < keys; ++k) WriteRecord(app, "key" + std::to_string(k), value(0));

  std::mt19937 random(12345);
  int last_generation = 0;
  std::vector<int> current(keys, 0);  // each key's generation at the last check
  int changes = 0;  // checks that found the record changed since the one before
  std::set<std::string> children;
  for (int kill = 0; kill < kills; ++kill) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Each writer goes on where the last one was killed, so that every
      // write it makes changes a value.
      for (int g = last_generation;; ++g) {
        for (int k = 0; k < keys; ++k) {
          if (g > current[k]) WriteRecord(app, "key" + std::to_string(k), value(g));
        }
      }
    }
    children.insert(std::to_string(child));
    std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 4000));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    // The file must read item by item and decode; the generations must run
    // from one value to the next in key order (old values after new ones).
    std::string bytes = Bytes();
    ASSERT_GE(bytes.size(), 2u);
    ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    std::vector<int> generations;
    for (int k = 0; k < keys; ++k) {
      std::string v = ReadRecord(app, "key" + std::to_string(k));
      ASSERT_TRUE(v.starts_with("gen")) << "kill " << kill << " key " << k << ": " << v;
      int g = std::stoi(v.substr(3));
      ASSERT_EQ(v, value(g));
      generations.push_back(g);
    }
    for (int k = 0; k < keys; ++k) {
      ASSERT_GE(generations[k], current[k]) << "kill " << kill << ": a finished write was lost";
    }
    for (int k = 1; k < keys; ++k) {
      EXPECT_TRUE(generations[k] == generations[0] || generations[k] == generations[0] - 1)
          << "kill " << kill;
      EXPECT_LE(generations[k], generations[k - 1]);
    }
    if (generations != current) ++changes;
    current = generations;
    last_generation = generations[0];
  }
  // Writers that never got a write done would have tested nothing.
  EXPECT_GT(changes, 0);

  // A kill inside a write leaves that process's hidden temporary file behind
  // (".<name>.<pid>.tmp"); nothing else may be left, and the record still
  // writes. Such files are not cleaned up: a process id says nothing about a
  // writer on another machine sharing the data folder, so deleting another
  // process's temporary file could break its write.
  int left = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(t.host.HostPath(app.DataFolder + "tracking\\"))) {
    const std::string name = entry.path().filename().string();
    if (name == "jdoe.tracking") continue;
    const std::string prefix = ".jdoe.tracking.";
    ASSERT_TRUE(name.starts_with(prefix) && name.ends_with(".tmp")) << name;
    EXPECT_TRUE(children.contains(name.substr(prefix.size(), name.size() - prefix.size() - 4)))
        << name;
    ++left;
  }
  EXPECT_EQ(WriteRecord(app, "key0", "after"), FileStatus::Ok);
  EXPECT_EQ(ReadRecord(app, "key0"), "after");
  std::printf("[   kills  ] %d kills: %d found the record changed, %d struck inside a write; "
              "values reached generation %d\n",
              kills, changes, left, last_generation);
}

}  // namespace
}  // namespace mirvane

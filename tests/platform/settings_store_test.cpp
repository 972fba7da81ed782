#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::ReadFileText;
using testing::TempFolder;
namespace fs = std::filesystem;

constexpr std::string_view kKey = "\\Software\\Merrowind\\Tarnwick";

RegValue Dword(uint32_t n) { return {RegType::Dword, n, {}}; }
RegValue Text(RegType type, std::string text) { return {type, 0, std::move(text)}; }

// Every value of kKey as "name type number text".
std::vector<std::string> Values(const SettingsStore& store) {
  std::vector<std::string> values;
  for (const std::string& name : store.ValueNames(kKey)) {
    const RegValue& value = *store.FindValue(kKey, name);
    values.push_back(name + " " + std::to_string(static_cast<int>(value.Type)) + " " + std::to_string(value.Number) +
                     " " + value.Text);
  }
  return values;
}

size_t FileCount(const std::string& folder) {
  return std::distance(fs::recursive_directory_iterator(folder), fs::recursive_directory_iterator());
}

TEST(SettingsStoreText, WritesEveryTypeAsTheRegistryEditorAndReadsItBack) {
  SettingsStore store("");
  store.SetValue(kKey, "JPegCompressionQuality", Dword(100));
  store.SetValue(kKey, "AlternateBrowserPath", Text(RegType::String, "C:\\Program Files\\\"x\".exe"));
  store.SetValue(kKey, "SomeExpand", Text(RegType::ExpandString, "%TEMP%"));
  store.SetValue(kKey, "", Text(RegType::String, ""));
  store.SetValue(kKey, "Bytes", Text(RegType::String, "Gr\xfc\xdf" "e \x01\xff"));
  store.SetValue(kKey, "Lines", Text(RegType::String, "one\r\ntwo"));
  store.SetValue(kKey, "Multi", Text(RegType::Raw, "hex(7):41,00,00,00"));
  store.SetValue(kKey, "Long", Text(RegType::ExpandString, std::string(40, 'a')));
  std::string text = store.ToText();
  EXPECT_TRUE(text.starts_with("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick]\n"
                               "\"JPegCompressionQuality\"=dword:00000064\n"
                               "\"AlternateBrowserPath\"=\"C:\\\\Program Files\\\\\\\"x\\\".exe\"\n"
                               "\"SomeExpand\"=hex(2):25,54,45,4d,50,25,00\n@=\"\"\n"))
      << text;
  EXPECT_NE(text.find("\"Lines\"=hex(1):6f,6e,65,0d,0a,74,77,6f,00\n"), std::string::npos);
  EXPECT_NE(text.find("\"Multi\"=hex(7):41,00,00,00\n"), std::string::npos);
  EXPECT_NE(text.find(",\\\n  61,"), std::string::npos) << "long hex data is broken over lines";
  EXPECT_TRUE(text.ends_with("00\n\n"));

  SettingsStore reread("");
  reread.FromText(text);
  EXPECT_EQ(reread.ToText(), text);
  EXPECT_EQ(Values(reread), Values(store));
}

TEST(SettingsStoreText, KeepsUnknownKindsAndRootsAndReadsWindowsLineEnds) {
  const std::string foreign =
      "[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick]\n\"Bad\"=dword:xyz\n\"Q\"=hex(b):00,00\n\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Bin\"=hex:01,02,\\\n  03\n\n";
  std::string windows;
  for (char c : "REGEDIT4\n\n" + foreign) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  SettingsStore store("");
  store.FromText(windows);
  EXPECT_EQ(store.ToText(), "REGEDIT4\n\n" + foreign);
  EXPECT_EQ(store.FindValue(kKey, "Bad")->Type, RegType::Raw);

  store.FromText("[HKEY_CURRENT_USER\\A]\n\"E\"=hex(2):41,42,00\n\"D\"=dword:0000002A\n[-HKEY_CURRENT_USER\\A]\n");
  EXPECT_EQ(store.FindValue("A", "E")->Type, RegType::ExpandString);
  EXPECT_EQ(store.FindValue("A", "E")->Text, "AB");
  EXPECT_EQ(store.FindValue("A", "D")->Number, 42u);
}

TEST(SettingsStoreText, SkipsMalformedLinesAndKeepsTheValidRest) {
  std::string junk("\x00\xff\x1b[\x80\"", 7);
  SettingsStore store("");
  store.FromText("\"Orphan\"=dword:00000001\n[HKEY_CURRENT_USER\\A]\n\"Good\"=\"yes\"\nthis is garbage\n" + junk +
                 "\n\"Open=\"unterminated\n\"Half\"=\"no end\n\"Trail\"=\"x\" junk\n\"NoEquals\"\n\"Gone\"=-\n"
                 "@=dword:00000007\n[HKEY_CURRENT_USER\\B\n\"Lost\"=dword:00000002\n"
                 "[HKEY_CURRENT_USER\\C]\n\"Also\"=dword:00000003");
  EXPECT_EQ(store.ValueNames("A"), (std::vector<std::string>{"Good", ""}));
  EXPECT_FALSE(store.KeyExists("B"));
  EXPECT_EQ(store.ValueNames("C"), std::vector<std::string>{"Also"});
  SettingsStore reread("");
  reread.FromText(store.ToText());
  EXPECT_EQ(reread.ToText(), store.ToText());
}

TEST(SettingsStoreKeys, NamesIgnoreCaseAndKeepFirstValueOrder) {
  SettingsStore store("");
  store.SetValue(kKey, "Width", Dword(1));
  store.SetValue(kKey, "Height", Dword(2));
  store.SetValue("software\\MERROWIND\\tarnwick\\", "WIDTH", Dword(3));
  EXPECT_EQ(store.ValueNames(kKey), (std::vector<std::string>{"Width", "Height"}));
  EXPECT_EQ(store.FindValue("\\SOFTWARE\\merrowind\\TARNWICK", "width")->Number, 3u);
  EXPECT_TRUE(store.KeyExists("\\software"));
  EXPECT_TRUE(store.DeleteValue(kKey, "HEIGHT"));
  EXPECT_FALSE(store.DeleteValue(kKey, "Height"));
}

TEST(SettingsStoreKeys, SubKeysAreSortedAndDeletedWithTheirChildren) {
  SettingsStore store("");
  store.CreateKey("\\Root\\beta");
  store.CreateKey("\\Root\\Alpha\\Deep\\Deeper");
  store.SetValue("\\Root\\gamma", "v", Dword(1));
  store.CreateKey("\\Root\\Alpha2");
  store.CreateKey("\\Root\\BETA");
  EXPECT_EQ(store.SubKeyNames("Root"), (std::vector<std::string>{"Alpha", "Alpha2", "BETA", "gamma"}));
  EXPECT_EQ(store.ToText().find("[HKEY_CURRENT_USER\\Root]"), std::string::npos)
      << "implicit parents get no section";

  EXPECT_TRUE(store.DeleteKey("\\root\\alpha"));
  EXPECT_FALSE(store.KeyExists("\\Root\\Alpha\\Deep"));
  EXPECT_TRUE(store.KeyExists("\\Root\\Alpha2"));
  EXPECT_FALSE(store.DeleteKey("\\Root\\Alpha"));
  EXPECT_FALSE(store.DeleteKey(""));
  EXPECT_EQ(store.SubKeyNames("Root"), (std::vector<std::string>{"Alpha2", "BETA", "gamma"}));
}

TEST(SettingsStoreFile, SavesThroughNewFoldersAndLoadsBack) {
  TempFolder folder;
  std::string path = folder.Path() + "one/two/Tarnwick.reg";
  SettingsStore store(path);
  EXPECT_TRUE(store.CanWrite());
  store.SetValue(kKey, "Name", Text(RegType::String, "value"));
  std::string error;
  ASSERT_TRUE(store.Save(&error)) << error;
  EXPECT_EQ(ReadFileText(path), store.ToText());
  EXPECT_EQ(FileCount(folder.Path() + "one/two"), 1u) << "no temporary file left";

  SettingsStore loaded(path);
  EXPECT_TRUE(loaded.Load());
  EXPECT_EQ(loaded.FindValue(kKey, "name")->Text, "value");
  EXPECT_TRUE(SettingsStore(folder.Path() + "missing.reg").Load());
  EXPECT_FALSE(SettingsStore(folder.Path() + "one").Load());
}

TEST(SettingsStoreFile, FailedSaveReportsAndLeavesEverythingAsItWas) {
  TempFolder folder;
  std::string blocked = folder.Write("afile", "plain") + "/sub/x.reg";
  SettingsStore store(blocked);
  store.SetValue(kKey, "V", Dword(1));
  EXPECT_FALSE(store.CanWrite());
  std::string error;
  EXPECT_FALSE(store.Save(&error));
  EXPECT_TRUE(error.starts_with("Could not write " + blocked + ": ")) << error;

  std::string targetDir = folder.Path() + "target.reg";
  folder.Write("target.reg/old", "old");
  SettingsStore onDir(targetDir);
  EXPECT_FALSE(onDir.CanWrite());
  EXPECT_FALSE(onDir.Save(&error));
  EXPECT_EQ(ReadFileText(targetDir + "/old"), "old");
  EXPECT_EQ(FileCount(folder.Path()), 3u) << "afile, target.reg, target.reg/old";

  // A file size limit makes the writing itself fail, whoever runs the test.
  std::string path = folder.Write("Tarnwick.reg", "REGEDIT4\n");
  SettingsStore big(path);
  big.SetValue(kKey, "Long", Text(RegType::String, std::string(4096, 'x')));
  rlimit oldLimit{};
  ::getrlimit(RLIMIT_FSIZE, &oldLimit);
  rlimit small = oldLimit;
  small.rlim_cur = 64;
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  bool saved = big.Save(&error);
  ::setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved);
  EXPECT_EQ(error, "Could not write " + path + ": " + std::strerror(EFBIG));
  EXPECT_EQ(ReadFileText(path), "REGEDIT4\n");
  EXPECT_EQ(FileCount(folder.Path()), 4u) << "no temporary file left";
}

TEST(SettingsStoreFile, ReadOnlyFolderIsNotWritable) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempFolder folder;
  std::string path = folder.Write("locked/Tarnwick.reg", "REGEDIT4\n");
  ::chmod((folder.Path() + "locked").c_str(), 0500);
  SettingsStore locked(path);
  std::string error;
  EXPECT_FALSE(locked.CanWrite());
  EXPECT_FALSE(SettingsStore(folder.Path() + "locked/new/x.reg").CanWrite());
  EXPECT_FALSE(locked.Save(&error));
  EXPECT_EQ(ReadFileText(path), "REGEDIT4\n");
  ::chmod((folder.Path() + "locked").c_str(), 0700);
}

TEST(SettingsStoreFile, DefaultPathComesFromTheEnvironment) {
  std::pair<const char*, std::optional<std::string>> saved[] = {
      {"TARNWICK_SETTINGS", {}}, {"XDG_CONFIG_HOME", {}}, {"HOME", {}}};
  for (auto& [name, value] : saved)
    if (const char* v = std::getenv(name)) value = v;
  ::setenv("TARNWICK_SETTINGS", "/x/own.reg", 1);
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(SettingsStore::DefaultFilePath(), "/x/own.reg");
  ::setenv("TARNWICK_SETTINGS", "", 1);
  EXPECT_EQ(SettingsStore::DefaultFilePath(), "/cfg/Merrowind/Tarnwick.reg");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsStore::DefaultFilePath(), "/home/u/.config/Merrowind/Tarnwick.reg");
  for (const auto& [name, value] : saved) value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
}

TEST(RegistryKeyTest, OpensCreatesAndReadsOnlyMatchingTypes) {
  TempFolder folder;
  SettingsStore store(folder.Path() + "Tarnwick.reg");
  store.FromText("[HKEY_CURRENT_USER\\K]\n\"S\"=\"a\"\n\"E\"=hex(2):41,00,42,00\n\"R\"=hex:01\n");
  RegistryKey key(store);
  EXPECT_FALSE(key.OpenKey("\\New", false));
  ASSERT_TRUE(key.OpenKey("\\K", false));
  EXPECT_EQ(key.ReadString("E"), "A");
  EXPECT_EQ(key.ReadInteger("S"), std::nullopt);
  EXPECT_EQ(key.ReadString("R"), std::nullopt);
  EXPECT_TRUE(key.WriteInteger("N", -1));
  EXPECT_EQ(key.ReadInteger("n"), -1);
  EXPECT_EQ(key.ReadString("N"), std::nullopt);
  EXPECT_FALSE(key.WriteString("Two\nLines", "x"));
  EXPECT_EQ(key.ValueCount(), 4u);

  SettingsStore blocked(folder.Write("afile", "") + "/x.reg");
  RegistryKey cannot(blocked);
  EXPECT_FALSE(cannot.OpenKey("\\New", true));
  EXPECT_FALSE(cannot.IsOpen());
  EXPECT_TRUE(key.OpenKey("\\New\\Sub", true));
  EXPECT_TRUE(store.KeyExists("\\New\\Sub"));
}

}  // namespace
}  // namespace tarnwick

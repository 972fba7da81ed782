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
#include <tuple>

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::ReadFileText;
using testing::TempFolder;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

constexpr std::string_view kKey = "\\Software\\Merrowind\\Tarnwick";

RegValue Dword(uint32_t n) { return {RegType::Dword, n, {}}; }
RegValue Text(RegType type, std::string text) { return {type, 0, std::move(text)}; }
std::string Fixture(const std::string& name) {
  return ReadFileText(TARNWICK_FIXTURES_DIR "/platform/settings/" + name);
}

size_t FileCount(const std::string& folder) {
  return std::distance(fs::recursive_directory_iterator(folder), fs::recursive_directory_iterator());
}

// The golden file is the registry editor's form of each type: quoted strings, hex(1) for a string
// with a line break, hex(2) for expandable strings, long hex data broken over lines.
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
  const std::string text = store.ToText();
  EXPECT_EQ(text, Fixture("every_type.reg"));

  SettingsStore reread("");
  reread.FromText(text);
  EXPECT_EQ(reread.ToText(), text);
  for (const std::string& name : store.ValueNames(kKey)) {
    const RegValue& written = *store.FindValue(kKey, name);
    const RegValue& read = *reread.FindValue(kKey, name);
    EXPECT_EQ(std::tie(written.Type, written.Number, written.Text), std::tie(read.Type, read.Number, read.Text))
        << name;
  }
}

TEST(SettingsStoreText, KeepsUnknownKindsAndRootsAndReadsWindowsLineEnds) {
  const std::string foreign = Fixture("foreign.reg");
  std::string windows;
  for (char c : foreign) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  SettingsStore store("");
  store.FromText(windows);
  EXPECT_EQ(store.ToText(), foreign);
  EXPECT_EQ(store.FindValue(kKey, "Bad")->Type, RegType::Raw);
}

TEST(SettingsStoreText, SkipsMalformedLinesAndKeepsTheValidRest) {
  SettingsStore store("");
  store.FromText(Fixture("malformed.reg"));
  EXPECT_EQ(store.ValueNames("A"), (Names{"Good", ""}));
  EXPECT_FALSE(store.KeyExists("B"));
  EXPECT_EQ(store.ValueNames("C"), Names{"Also"});
}

TEST(SettingsStoreKeys, NamesIgnoreCaseAndKeysAreSortedAndDeletedWithTheirChildren) {
  SettingsStore store("");
  store.SetValue(kKey, "Width", Dword(1));
  store.SetValue(kKey, "Height", Dword(2));
  store.SetValue("software\\MERROWIND\\tarnwick\\", "WIDTH", Dword(3));
  EXPECT_EQ(store.ValueNames(kKey), (Names{"Width", "Height"}));
  EXPECT_EQ(store.FindValue("\\SOFTWARE\\merrowind\\TARNWICK", "width")->Number, 3u);
  // The name index is rebuilt after a deletion: the values after it stay findable.
  EXPECT_TRUE(store.DeleteValue(kKey, "WIDTH"));
  EXPECT_EQ(store.FindValue(kKey, "height")->Number, 2u);

  store.CreateKey("\\Root\\beta");
  store.CreateKey("\\Root\\Alpha\\Deep\\Deeper");
  store.SetValue("\\Root\\gamma", "v", Dword(1));
  store.CreateKey("\\Root\\BETA");
  EXPECT_EQ(store.SubKeyNames("Root"), (Names{"Alpha", "BETA", "gamma"}));
  EXPECT_EQ(store.ToText().find("[HKEY_CURRENT_USER\\Root]"), std::string::npos)
      << "implicit parents get no section";
  EXPECT_TRUE(store.DeleteKey("\\root\\alpha"));
  EXPECT_FALSE(store.KeyExists("\\Root\\Alpha\\Deep"));
  EXPECT_FALSE(store.DeleteKey("\\Root\\Alpha"));
}

TEST(SettingsStoreFile, SavesThroughNewFoldersAndLoadsBack) {
  TempFolder folder;
  std::string path = folder.Path() + "one/two/Tarnwick.reg";
  SettingsStore store(path);
  EXPECT_TRUE(store.CanWrite());
  store.SetValue(kKey, "Name", Text(RegType::String, "value"));
  std::string error;
  ASSERT_TRUE(store.Save(&error)) << error;
  EXPECT_EQ(FileCount(folder.Path() + "one/two"), 1u) << "no temporary file left";

  SettingsStore loaded(path);
  EXPECT_TRUE(loaded.Load());
  EXPECT_EQ(loaded.ToText(), store.ToText());
  EXPECT_TRUE(SettingsStore(folder.Path() + "missing.reg").Load());
  EXPECT_FALSE(SettingsStore(folder.Path() + "one").Load());
}

TEST(SettingsStoreFile, FailedSaveReportsAndLeavesEverythingAsItWas) {
  TempFolder folder;
  std::string error;
  // A file size limit makes the writing itself fail, as a full disk would, whoever runs the test.
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
  EXPECT_EQ(FileCount(folder.Path()), 1u) << "no temporary file left";
}

TEST(SettingsStoreFile, ReadOnlyFolderIsNotWritable) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempFolder folder;
  std::string path = folder.Write("locked/Tarnwick.reg", "REGEDIT4\n");
  ::chmod((folder.Path() + "locked").c_str(), 0500);
  EXPECT_FALSE(SettingsStore(path).CanWrite());
  EXPECT_FALSE(SettingsStore(folder.Path() + "locked/new/x.reg").CanWrite());
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
  EXPECT_FALSE(key.WriteString("Two\nLines", "x"));

  SettingsStore blocked(folder.Write("afile", "") + "/x.reg");
  RegistryKey cannot(blocked);
  EXPECT_FALSE(cannot.OpenKey("\\New", true));
  EXPECT_FALSE(cannot.IsOpen());
  EXPECT_TRUE(key.OpenKey("\\New\\Sub", true));
  EXPECT_TRUE(store.KeyExists("\\New\\Sub"));
}

}  // namespace
}  // namespace tarnwick

#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/encoded_text.h"

namespace tarnwick {
namespace {

using testing::Encode;

TEST(TextEncoding, TellsWellFormedUtf8) {
  for (const char* text : {"", "plain", "sixteen ascii ch", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80"})
    EXPECT_TRUE(IsValidUtf8(text)) << text;
  // Latin-1, cut short, overlong, a surrogate, past U+10FFFF, a bad continuation, a stray byte
  // after a run of ASCII long enough for the fast path.
  for (const char* text : {"\xFC", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x28\xA1",
                           "0123456789abcdef\x85"})
    EXPECT_FALSE(IsValidUtf8(text)) << text;
}

TEST(TextEncoding, CodePageSettingsHaveOneCanonicalName) {
  const std::pair<const char*, const char*> valid[] = {
      {"auto", "auto"},          {"AUTO", "auto"},           {"utf-8", "utf-8"},        {"UTF8", "utf-8"},
      {"65001", "utf-8"},        {"1251", "windows-1251"},   {"Windows-1250", "windows-1250"},
      {"cp1252", "windows-1252"}, {"windows-1258", "windows-1258"}, {" 866 ", "cp866"}, {"CP866", "cp866"},
      {"koi8-r", "koi8-r"},      {"20866", "koi8-r"},        {"iso-8859-2", "iso-8859-2"}, {"28595", "iso-8859-5"},
      {"932", "cp932"}};
  for (auto [setting, name] : valid) EXPECT_EQ(CanonicalCodePage(setting), name) << setting;
  for (const char* setting : {"", "1249", "1259", "windows-65001", "iso-8859-12", "iso-8859-17", "latin1", "12x"})
    EXPECT_FALSE(CanonicalCodePage(setting).has_value()) << setting;
}

TEST(TextEncoding, DecodesEachLineThatIsNotUtf8FromTheCodePage) {
  const struct {
    const char* CodePage;
    std::string Text;
    std::string Utf8;
  } cases[] = {
      {"windows-1251", "'\xD1\xEA\xE0\xED'", "'\xD0\xA1\xD0\xBA\xD0\xB0\xD0\xBD'"},
      {"windows-1250", "Bels\xF5", "Bels\xC5\x91"},
      {"windows-1252", "\x80 \x85", "\xE2\x82\xAC \xE2\x80\xA6"},
      {"cp866", "\x8F\xE0\xA8", "\xD0\x9F\xD1\x80\xD0\xB8"},
      {"koi8-r", "\xF0\xD2\xC9", "\xD0\x9F\xD1\x80\xD0\xB8"},
      // One stray byte spoils only its own line; CR, LF and CR LF all end lines.
      {"windows-1252", "\xC3\xBC\r\n\x85\n\xC3\xBC\r\xFC", "\xC3\xBC\r\n\xE2\x80\xA6\n\xC3\xBC\r\xC3\xBC"},
      // A byte the code page does not define, and malformed UTF-8 under the UTF-8 code page.
      {"windows-1251", "a\x98" "b", "a\xEF\xBF\xBD" "b"},
      {"utf-8", "a\xFF\xC3\xBC\xC3", "a\xEF\xBF\xBD\xC3\xBC\xEF\xBF\xBD"},
      // A name iconv does not know decodes as Windows-1252.
      {"no-such-code-page", "\xE9", "\xC3\xA9"},
  };
  for (const auto& [codePage, text, utf8] : cases) {
    TextDecoder decoder(codePage);
    EXPECT_EQ(decoder.ToUtf8(text), utf8) << codePage << " " << text;
  }
}

TEST(TextEncoding, Utf16FilesWithAByteOrderMarkBecomeUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {std::string("\xFF\xFE" "a\0\x1F\x04\r\0\n\0", 10), "a\xD0\x9F\r\n"},
      {std::string("\xFE\xFF\0a\x04\x1F", 6), "a\xD0\x9F"},
      {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"},           // a surrogate pair
      {std::string("\xFF\xFE\x3D\xD8" "a\0", 6), "\xEF\xBF\xBD" "a"},              // an unpaired one
      {std::string("\xFF\xFE" "a\0b", 5), "a\xEF\xBF\xBD"},                        // a cut last unit
  };
  for (const auto& [bytes, utf8] : cases) EXPECT_EQ(DecodeUtf16File(bytes), utf8);
  for (const char* bytes : {"", "\xFF", "ab", "\xEF\xBB\xBFunit", "\xFF\x0A\x00TPF0"})
    EXPECT_FALSE(DecodeUtf16File(bytes).has_value()) << bytes;
}

TEST(TextEncoding, DetectorAnswersAreMappedToWindowsCodePages) {
  const std::pair<const char*, const char*> mapped[] = {
      {"ISO-8859-1", "windows-1252"}, {"ISO-8859-2", "windows-1250"}, {"ISO-8859-5", "windows-1251"},
      {"MAC-CYRILLIC", "windows-1251"}, {"WINDOWS-1251", "windows-1251"}, {"IBM866", "cp866"},
      {"KOI8-R", "koi8-r"},           {"SHIFT_JIS", "cp932"}};
  for (auto [detected, codePage] : mapped) EXPECT_EQ(WindowsCodePageOf(detected), codePage) << detected;
  for (const char* detected : {"", "ASCII", "UTF-8", "EUC-JP"}) EXPECT_FALSE(WindowsCodePageOf(detected)) << detected;
}

TEST(TextEncoding, DetectsTheCodePageFromTheLinesThatAreNotUtf8) {
  const std::pair<std::string, const char*> cases[] = {
      {"  S := 'Сканирование флагов завершено';\r\n", "windows-1251"},
      {"  Caption = 'Belső állapot szerkesztése'\r\n  Hint = 'Fájl megnyitása és mentése'\r\n", "windows-1250"},
      {"  Caption = 'Übersicht der Größe und Maße'\r\n", "windows-1252"},
  };
  for (const auto& [utf8, codePage] : cases) {
    CodePageDetector detector;
    detector.Feed("// \xC3\xBC UTF-8 lines are passed over \xE2\x82\xAC\r\n");
    detector.Feed(Encode(utf8, codePage));
    EXPECT_EQ(detector.Result(), codePage);
  }
  CodePageDetector nothing;
  nothing.Feed("plain ASCII and \xC3\xBC UTF-8 only");
  EXPECT_EQ(nothing.Result(), "windows-1252");
}

}  // namespace
}  // namespace tarnwick

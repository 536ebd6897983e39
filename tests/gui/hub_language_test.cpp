#include <gtest/gtest.h>

#include "app/Tfsweep.h"
#include "core/text_lines.h"
#include "harness/file_holder.h"
#include "harness/hub_fixture.h"

namespace kestova::test {
namespace {

class HubLanguage : public HubFixture {
 protected:
  HubLanguage() { ship(L"config.TXT"); }
  std::wstring languageLine() const {
    std::string bytes = setting(L"idiom.TXT");
    Lines lines = splitLines(std::wstring(bytes.begin(), bytes.end()));
    return lines.size() > 1 ? lines[1] : L"<none>";
  }
};

TEST_F(HubLanguage, LineTwoThreeStartsInFrench) {
  writeSetting(L"idiom.TXT", "language\r\n3\r\n");
  app::Tfsweep& hub = startHub();
  EXPECT_EQ(hub.text(L"BitBtnWithColor5"), L"Recherche");
  EXPECT_EQ(hub.text(L"Label7"), L"Duouble");
  EXPECT_EQ(hub.text(L"Update1"), L"Mise \u00E0 jour");
  EXPECT_TRUE(hub.checked(L"Francais1"));
  EXPECT_FALSE(hub.checked(L"English1"));
}

TEST_F(HubLanguage, ChoosingGermanIsKeptForTheNextStart) {
  writeSetting(L"idiom.TXT", "language\r\n1\r\n");
  {
    app::Tfsweep& hub = startHub();
    hub.fire(L"Deutsch1");
    EXPECT_EQ(hub.text(L"Close1"), L"&Schlie\u00DFen Sie");
    EXPECT_TRUE(hub.checked(L"Deutsch1"));
    EXPECT_FALSE(hub.checked(L"English1"));
    EXPECT_EQ(languageLine(), L"7");
    SendMessageW(hub.hwnd(), WM_CLOSE, 0, 0);
  }
  std::string bytes = setting(L"idiom.TXT");
  EXPECT_EQ(bytes.substr(0, 10), "language\r\n");  // line 1 survives
  app::Tfsweep& again = startHub();
  EXPECT_EQ(again.text(L"BitBtnWithColor5"), L"&Suche");
  EXPECT_TRUE(again.checked(L"Deutsch1"));
}

TEST_F(HubLanguage, NorwegianKeepsItsLettersThroughTheFile) {
  writeSetting(L"idiom.TXT", "language\r\n8\r\n");
  app::Tfsweep& hub = startHub();
  EXPECT_EQ(hub.text(L"Label2"), L"Sikt st\u00F8rst");
  EXPECT_EQ(hub.text(L"Label12"), L"R\u00E5kostjern");
  EXPECT_TRUE(hub.checked(L"Norwegian1"));
}

TEST_F(HubLanguage, ALineTwoThatIsNoLanguageMeansEnglish) {
  writeSetting(L"idiom.TXT", "language\r\nKlingon\r\n");
  app::Tfsweep& hub = startHub();
  EXPECT_EQ(hub.text(L"BitBtnWithColor5"), L"&Search");
  EXPECT_TRUE(hub.checked(L"English1"));
  EXPECT_EQ(languageLine(), L"1");  // the hub writes the language it uses
}

TEST_F(HubLanguage, WithoutTheFileEnglishAndNothingIsKept) {
  app::Tfsweep& hub = startHub();
  EXPECT_EQ(hub.text(L"Idiom1"), L"&Idiom");
  hub.fire(L"Italiano1");
  EXPECT_EQ(hub.text(L"Idiom1"), L"&Idioma");
  EXPECT_FALSE(fileExists(programFolder.path() + L"idiom.TXT"));
}

TEST_F(HubLanguage, ActivationRewritesTheFile) {
  writeSetting(L"idiom.TXT", "language\r\n5\r\n");
  app::Tfsweep& hub = startHub();
  writeSetting(L"idiom.TXT", "language\r\n2\r\n");
  SendMessageW(hub.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(languageLine(), L"5");
}

// A language file that cannot be written (held open without sharing by another program, which
// stops even root, unlike a read-only flag under Wine) is left as it is and nothing is shown; the
// chosen language still holds for the run.
TEST_F(HubLanguage, AFileThatCannotBeWrittenIsLeftAloneWithoutAMessage) {
  const std::string shipped = "language\r\n3\r\n";
  writeSetting(L"idiom.TXT", shipped);
  app::Tfsweep& hub = startHub();
  std::wstring file = programFolder.path() + L"idiom.TXT";
  {
    FileHolder holder(file);
    hub.fire(L"Deutsch1");
    EXPECT_EQ(hub.text(L"BitBtnWithColor5"), L"&Suche");
    SendMessageW(hub.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    hub.fire(L"Norwegian1");
    EXPECT_TRUE(hub.checked(L"Norwegian1"));
    EXPECT_EQ(hub.text(L"BitBtnWithColor5"), L"&Leting");
  }
  EXPECT_EQ(setting(L"idiom.TXT"), shipped);

  EXPECT_TRUE(dialogs->messages.empty()) << "a message was shown";

  hub.fire(L"Dutch1");  // writable again: the choice is kept
  EXPECT_EQ(languageLine(), L"6");
}

}  // namespace
}  // namespace kestova::test

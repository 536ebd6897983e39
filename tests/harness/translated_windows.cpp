#include "harness/translated_windows.h"

#include <memory>
#include <stdexcept>

#include "app/Tfsweep.h"
#include "app/app_windows.h"
#include "app/hub_texts.h"
#include "dupes/Tfdupg.h"
#include "dupes/Tfdups.h"
#include "dupes/dupes_texts.h"
#include "registry/TMainForm.h"
#include "registry/TMainForm_texts.h"
#include "registry/regequiv.h"
#include "shredder/TFwipe.h"
#include "shredder/wipe_texts.h"
#include "spyware/Tfspy.h"
#include "spyware/spy_texts.h"
#include "stats/Tfstat.h"
#include "stats/stat_texts.h"
#include "traces/Tfsoftclean.h"
#include "traces/softclean_texts.h"

namespace kestova::test {
namespace {

template <typename Window, typename... Args>
ui::Form& openIn(std::unique_ptr<Window>& slot, Args&... args) {
  slot = std::make_unique<Window>(args...);
  slot->create(app::windows().hub ? app::windows().hub->hwnd() : nullptr);
  slot->show();
  return *slot;
}

}  // namespace

const std::vector<TranslatedWindow>& translatedWindows() {
  static const std::vector<TranslatedWindow> all = {
      {"Tfsweep", app::kHubTexts, [] () -> ui::Form& { return *app::windows().hub; }, true},
      {"TMainForm", registry::kMainFormTexts,
       [] () -> ui::Form& {
         static const bool equivalents = (registry::InitializeKeyEquivalents(), true);
         (void)equivalents;
         return openIn(app::windows().registryCleaner);
       }},
      {"TFwipe", shredder::kWipeTexts, [] () -> ui::Form& { return openIn(app::windows().wipe); }},
      {"Tfdups", dupes::kDupsTexts, [] () -> ui::Form& { return openIn(app::windows().dups, app::windows().hubLink, app::windows().dupg); }},
      {"Tfdupg", dupes::kDupgTexts, [] () -> ui::Form& { return openIn(app::windows().dupg); }},
      {"Tfsoftclean", traces::kSoftcleanTexts, [] () -> ui::Form& { return openIn(app::windows().traces); }},
      {"Tfspy", spyware::kSpyTexts, [] () -> ui::Form& { return openIn(app::windows().spyware); }},
      {"Tfstat", stats::kStatTexts, [] () -> ui::Form& { return openIn(app::windows().statistics, app::windows().hubLink); }},
  };
  return all;
}

const wchar_t* languageMenuItem(int code) {
  static const wchar_t* const items[] = {L"English1", L"Portugues1", L"Francais1", L"Espanol1",
                                         L"Italiano1", L"Dutch1",     L"Deutsch1",  L"Norwegian1"};
  if (code < 1 || code > 8) throw std::out_of_range("no language of this code");
  return items[code - 1];
}

void activate(ui::Form& form) { SendMessageW(form.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0); }

bool namesPartOf(const ui::Form& form, const std::wstring& target) {
  if (form.hasControl(target)) return true;
  try {
    form.menuId(target);
    return true;
  } catch (const std::logic_error&) {
    return false;
  }
}

}  // namespace kestova::test

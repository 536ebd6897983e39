#pragma once
// A hub made in the test's own process, with its program folder in a fresh temporary folder and
// scripted dialogs.
#include <gtest/gtest.h>

#include <memory>

#include "app/Tfsweep.h"
#include "harness/scripted_dialogs.h"
#include "harness/temp_folder.h"

namespace kestova::test {

class HubFixture : public ::testing::Test {
 protected:
  HubFixture();
  ~HubFixture() override;

  // Copies a shipped file into the program folder.
  void ship(const wchar_t* name) const;
  void writeSetting(const wchar_t* name, const std::string& bytes) const;
  std::string setting(const wchar_t* name) const;
  // Creates the hub; the files in the program folder are read now.
  app::Tfsweep& startHub();
  // Runs the hub's queued messages (timers, posted commands) for a while.
  static void pump(DWORD milliseconds = 100);

  TempFolder programFolder;
  ScriptedDialogsScope dialogs;
};

}  // namespace kestova::test

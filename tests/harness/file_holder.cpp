#include "harness/file_holder.h"

#include <stdexcept>
#include <string>

#include "harness/temp_folder.h"

namespace kestova::test {

FileHolder::FileHolder(const std::wstring& path) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE childIn = nullptr, parentIn = nullptr, childOut = nullptr, parentOut = nullptr;
  if (!CreatePipe(&childIn, &parentIn, &inherit, 0) || !CreatePipe(&parentOut, &childOut, &inherit, 0)) {
    throw std::runtime_error("no pipe for the file holder");
  }
  win::Handle childInOwner(childIn), childOutOwner(childOut), parentOutOwner(parentOut);
  input_ = win::Handle(parentIn);
  SetHandleInformation(parentIn, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(parentOut, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = childIn;
  startup.hStdOutput = childOut;
  startup.hStdError = childOut;
  std::wstring command = L"\"" + windowsPath(KESTOVA_HOLD_FILE_EXE) + L"\" \"" + path + L"\"";
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &info)) {
    throw std::runtime_error("the file holder does not start");
  }
  CloseHandle(info.hThread);
  process_ = win::Handle(info.hProcess);
  childInOwner.close();
  childOutOwner.close();
  char answer[8] = {};
  DWORD got = 0;
  if (!ReadFile(parentOut, answer, 4, &got, nullptr) || std::string(answer, got) != "held") {
    throw std::runtime_error("the file holder could not open the file");
  }
}

FileHolder::~FileHolder() {
  input_.close();
  WaitForSingleObject(process_.get(), 30000);
}

}  // namespace kestova::test

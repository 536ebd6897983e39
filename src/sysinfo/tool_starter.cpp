#include "sysinfo/tool_starter.h"

#include "win/program_start.h"

namespace kestova::sysinfo {
namespace {

class SystemToolStarter : public ToolStarter {
 public:
  bool run(const std::wstring& commandLine, int show) override { return win::startProgram(commandLine, show); }
  bool open(HWND owner, const std::wstring& file, const std::wstring& parameters, int show) override {
    return win::shellExecute(owner, L"open", file, parameters, show);
  }
  bool elevate(HWND owner, const std::wstring& file, const std::wstring& parameters, int show) override {
    return win::shellExecute(owner, L"runas", file, parameters, show);
  }
};

}  // namespace

std::unique_ptr<ToolStarter> systemToolStarter() { return std::make_unique<SystemToolStarter>(); }

}  // namespace kestova::sysinfo

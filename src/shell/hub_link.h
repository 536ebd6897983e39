#pragma once
// What a tool reads from the hub and tells it, through an interface the hub implements: the
// removal mode, the recovered total with its per-drive baseline, the drive-size table and the
// chosen drive. Tools get the link when they are made and ask it each time, since the hub's
// window goes first while the program quits.
#include "core/drive_table.h"
#include "core/hub_accounting.h"

namespace kestova::shell {

class HubServices {
 public:
  // False once the hub's window is gone.
  virtual bool present() const = 0;
  virtual wchar_t currentDrive() const = 0;
  // The removal mode: the recycle bin, or deleted for good.
  virtual bool sendsToRecycleBin() const = 0;
  virtual HubAccounting& accounting() = 0;
  virtual const DriveTable& driveTable() const = 0;
  // The recovered line shown again after a tool removed files.
  virtual void showRecovered() = 0;

 protected:
  ~HubServices() = default;
};

class HubLink {
 public:
  // The hub while its window exists; null otherwise.
  HubServices* hub() const { return hub_ && hub_->present() ? hub_ : nullptr; }
  void attach(HubServices* hub) { hub_ = hub; }
  // A hub made after this one may have joined already.
  void detach(const HubServices* hub) {
    if (hub_ == hub) hub_ = nullptr;
  }

 private:
  HubServices* hub_ = nullptr;
};

}  // namespace kestova::shell

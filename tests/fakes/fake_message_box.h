// A message box that shows nothing and records every message (Shift-JIS texts).
#pragma once

#include <string>
#include <vector>

#include "system/message_box.h"

struct ShownMessage {
  std::string text;
  std::string caption;
  MessageIcon icon;
};

class RecordingMessageBox : public IMessageBox {
 public:
  void Show(const char* sjisText, const char* sjisCaption, MessageIcon icon) override {
    shown.push_back({sjisText ? sjisText : "", sjisCaption ? sjisCaption : "", icon});
  }
  std::vector<ShownMessage> shown;
};

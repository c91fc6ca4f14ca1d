#include "system/message_box.h"

#include <cstdio>

#include "system/text_encoding.h"

IMessageBox* g_messageBox = nullptr;

void ShowMessage(const char* sjisText, const char* sjisCaption, MessageIcon icon) {
  if (g_messageBox) {
    g_messageBox->Show(sjisText, sjisCaption, icon);
    return;
  }
  const std::string caption = SjisToUtf8(sjisCaption ? sjisCaption : "");
  const std::string text = SjisToUtf8(sjisText ? sjisText : "");
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

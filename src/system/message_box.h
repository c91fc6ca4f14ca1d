// Modal messages for the user. Texts are Shift-JIS; every message also goes to stderr, and
// nothing blocks when there is no display.
#pragma once

enum class MessageIcon { None, Error };

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  virtual void Show(const char* sjisText, const char* sjisCaption, MessageIcon icon) = 0;
};

// The message box the program uses; set by the entry point (or a test).
extern IMessageBox* g_messageBox;

// Shows a message through g_messageBox (stderr only when none is set).
void ShowMessage(const char* sjisText, const char* sjisCaption,
                 MessageIcon icon = MessageIcon::None);

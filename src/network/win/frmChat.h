#pragma once
// The chat window of a network game: the conversation, and a line to type and send to the other
// player over the network dialog's connection. Modeless, owned by the board window; it lasts
// from one network game to the next.

#include <windows.h>

#include <string>

#include "engine/game_host.h"
#include "ui/win/dialog_base.h"

namespace quillon {
struct ProgramValues;
}

namespace quillon::win {

// What the chat needs of the network dialog.
class IChatLink {
  public:
    virtual ~IChatLink() = default;
    // Sends the bytes of a message (in the system's code page) with its terminator.
    virtual void SendData(const std::string& sData) = 0;
    // The local nickname, UTF-8.
    virtual std::string Nickname() const = 0;
};

class frmChat final : public DialogBase, public IChat {
  public:
    frmChat(HINSTANCE hInstance, ProgramValues& values, IChatLink& link);
    ~frmChat() override;

    // Creates the window owned by hOwner the first time, and shows it.
    bool Show(HWND hOwner);
    void Unload();

    // IChat: appends a UTF-8 line to the conversation.
    void Message_Add(const std::string& sText) override;
    void Message_Send();

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    HINSTANCE m_hInstance;
    ProgramValues& m_values;
    IChatLink& m_link;
};

}  // namespace quillon::win

// Every notice and question of the program: a task-modal system message box with the setup
// title as its caption, returning a modal result code.
#pragma once

#include <cstdint>
#include <string>

enum class MessageKind : uint8_t { Warning = 0, Error = 1, Information = 2, Confirmation = 3 };

using MessageButtons = uint16_t;
constexpr MessageButtons mbYes = 1 << 0;
constexpr MessageButtons mbNo = 1 << 1;
constexpr MessageButtons mbOK = 1 << 2;
constexpr MessageButtons mbCancel = 1 << 3;
constexpr MessageButtons mbAbort = 1 << 4;
constexpr MessageButtons mbRetry = 1 << 5;
constexpr MessageButtons mbIgnore = 1 << 6;

enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

// The message box style for a kind and an exact set of buttons (any other set gives plain OK).
unsigned MessageBoxStyle(MessageKind kind, MessageButtons buttons);

// The modal result for what the system box returned: 2 to 7 stand as they are, all else is OK.
int MessageBoxResult(int boxAnswer);

// Shows text (lines broken by a lone carriage return) and waits for the user's answer.
int ShowMessageBox(const std::string& text, MessageKind kind, MessageButtons buttons);

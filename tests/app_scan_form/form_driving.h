// Driving the dialog controls of another program: combo boxes read and chosen, edits typed
// into, check states read, a tree view's folders chosen. Complements the test driver.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace formdriving {

std::vector<std::string> ComboItems(HWND combo);  // UTF-8
int ComboSelection(HWND combo);
// Selects the item and tells the dialog as a choice by the operator does (CBN_SELCHANGE).
bool ChooseComboItem(HWND dialog, int comboId, int index);
bool TypeText(HWND dialog, int editId, const std::string& utf8);
bool IsChecked(HWND dialog, int buttonId);
// Presses OK on the next message box with this title within the time; its text (the message
// is control 0xFFFF on Windows and 100 under Wine).
bool AnswerBox(const std::string& title, DWORD timeoutMs, std::string* text);
// Clicks a button and waits until the dialog has handled it.
bool Press(HWND dialog, int buttonId);
// Waits up to 15 s for the scan library's source dialog (the one with the source list) and
// answers it with OK; false when it did not come.
bool AcceptSourceDialog();

}  // namespace formdriving

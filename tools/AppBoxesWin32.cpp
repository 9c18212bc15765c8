#include "tools/AppBoxes.h"

namespace appboxes {

namespace {

struct Search {
  DWORD processId;
  const char* caption;
  HWND box;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM parameter) {
  Search* search = reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  if (search->caption) {
    if (WindowText(window) != search->caption) return TRUE;
  } else {
    // A message box is a dialog of the system's dialog class.
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0) return TRUE;
  }
  search->box = window;
  return FALSE;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM parameter) {
  BoxContent* content = reinterpret_cast<BoxContent*>(parameter);
  char className[32] = "";
  GetClassNameA(child, className, sizeof className);
  LONG style = GetWindowLongA(child, GWL_STYLE);
  if (lstrcmpiA(className, "Static") == 0) {
    std::string text = WindowText(child);
    if ((style & SS_TYPEMASK) != SS_ICON && !text.empty()) content->text = text;
  } else if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child)) {
    content->buttons.push_back(
        {GetDlgCtrlID(child), WindowText(child), (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON});
  }
  return TRUE;
}

}  // namespace

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(size_t(length) + 1, '\0');
  length = GetWindowTextA(window, text.data(), length + 1);
  text.resize(size_t(length > 0 ? length : 0));
  return text;
}

HWND FindBox(DWORD processId, const char* caption) {
  Search search = {processId, caption, nullptr};
  EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
  return search.box;
}

BoxContent ReadBox(HWND box) {
  BoxContent content;
  content.caption = WindowText(box);
  EnumChildWindows(box, ReadChild, reinterpret_cast<LPARAM>(&content));
  return content;
}

int DefaultButton(HWND box) {
  BoxContent content = ReadBox(box);
  for (const BoxButton& b : content.buttons)
    if (b.isDefault) return b.id;
  return content.buttons.empty() ? IDOK : content.buttons[0].id;
}

bool PressButton(HWND box, int commandId, DWORD timeoutMs) {
  if (!PostMessageA(box, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), 0)) return false;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    if (!IsWindow(box) || !IsWindowVisible(box)) return true;
    Sleep(50);
  }
  return false;
}

}  // namespace appboxes

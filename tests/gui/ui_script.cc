#include "ui_script.h"

namespace {
UiScript* current = nullptr;

struct BoxSearch {
  std::string title;
  HWND found = nullptr;
};

BOOL CALLBACK FindBoxProc(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<BoxSearch*>(lp);
  char cls[16] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hwnd) || !GetDlgItem(hwnd, 0xFFFF))
    return TRUE;
  // A message box has only its icon, its text and a few buttons; a dialog of statics
  // without identifiers (0xFFFF too) has more.
  int children = 0;
  for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
  if (children > 6) return TRUE;
  if (!search->title.empty() && WindowText(hwnd) != search->title) return TRUE;
  search->found = hwnd;
  return FALSE;
}
}  // namespace

std::string WindowText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

HWND FindMessageBox(const std::string& title) {
  BoxSearch search{title};
  EnumThreadWindows(GetCurrentThreadId(), &FindBoxProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string MessageBoxText(HWND box) {
  return WindowText(GetDlgItem(box, 0xFFFF));
}

void AnswerMessageBox(HWND box) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void PostKey(HWND hwnd, WPARAM vk, bool alt) {
  if (alt) {
    // Alt+key comes as a system key; the loop's TranslateMessage makes the character.
    PostMessageA(hwnd, WM_SYSKEYDOWN, vk, 0x20000001);
    PostMessageA(hwnd, WM_SYSKEYUP, vk, 0xE0000001);
    return;
  }
  PostMessageA(hwnd, WM_KEYDOWN, vk, 1);
  PostMessageA(hwnd, WM_KEYUP, vk, 0xC0000001);
}

UiScript::UiScript(std::function<void()> give_up, DWORD deadline_ms)
    : deadline_ms_(deadline_ms), give_up_(std::move(give_up)) {}

UiScript::~UiScript() {
  if (timer_) KillTimer(nullptr, timer_);
  if (current == this) current = nullptr;
}

UiScript& UiScript::Then(Step step, std::string what) {
  steps_.push_back({std::move(step), std::move(what)});
  return *this;
}

UiScript& UiScript::Do(std::function<void()> action, std::string what) {
  return Then(
      [action = std::move(action)] {
        action();
        return true;
      },
      std::move(what));
}

UiScript& UiScript::AnswerBox(const std::string& title, std::string* text) {
  return Then(
      [title, text] {
        HWND box = FindMessageBox(title);
        if (!box) return false;
        if (text) *text = MessageBoxText(box);
        AnswerMessageBox(box);
        return true;
      },
      "message box \"" + title + "\"");
}

UiScript& UiScript::Settle(int ticks) {
  auto left = std::make_shared<int>(ticks);
  return Then(
      [this, left] {
        if (HWND box = FindMessageBox()) {
          unexpected_boxes_.push_back(WindowText(box) + ": " + MessageBoxText(box));
          AnswerMessageBox(box);
        }
        return --*left <= 0;
      },
      "settling");
}

void UiScript::Start(UINT interval_ms) {
  current = this;
  started_ = GetTickCount();
  timer_ = SetTimer(nullptr, 0, interval_ms, &UiScript::Tick);
}

void CALLBACK UiScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (current) current->RunTick();
}

void UiScript::RunTick() {
  if (in_step_) return;
  if (finished()) {
    // Every step ran but the dialog still runs: end it rather than wait for ever.
    if (!left_open_ && ++ticks_after_end_ > 50) {
      left_open_ = true;
      if (give_up_) give_up_();
    }
    return;
  }
  if (GetTickCount() - started_ > deadline_ms_) {
    timed_out_at_ =
        steps_[next_].what.empty() ? "step " + std::to_string(next_ + 1) : steps_[next_].what;
    next_ = steps_.size();
    while (HWND box = FindMessageBox()) {
      AnswerMessageBox(box);
      break;
    }
    if (give_up_) give_up_();
    return;
  }
  in_step_ = true;
  const bool done = steps_[next_].step();
  in_step_ = false;
  if (done) ++next_;
}

// Drives a modal dialog from inside its own message loop: steps run one after the other
// from a thread timer; a step returns true when done, false to be tried again on the next
// tick (waiting for a message box, say). Steps must post their input (PostMessage) rather
// than send it, so that nested modal loops (message boxes) keep the timer running.
// After the deadline the script gives up: it records the step it was waiting on and runs
// the give-up action (which should end the dialog), so a broken test fails, never hangs.
// The same action ends a dialog still open half a second after the last step.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class UiScript {
 public:
  using Step = std::function<bool()>;

  explicit UiScript(std::function<void()> give_up = {}, DWORD deadline_ms = 20000);
  ~UiScript();
  UiScript(const UiScript&) = delete;
  UiScript& operator=(const UiScript&) = delete;

  UiScript& Then(Step step, std::string what = {});
  UiScript& Do(std::function<void()> action, std::string what = {});
  // Waits for a message box with this title, records its text, answers it with OK.
  UiScript& AnswerBox(const std::string& title, std::string* text = nullptr);
  // Ticks without a box seen; records every box title that appeared meanwhile.
  UiScript& Settle(int ticks = 5);

  void Start(UINT interval_ms = 10);
  bool finished() const { return next_ >= steps_.size(); }
  const std::string& timed_out_at() const { return timed_out_at_; }
  const std::vector<std::string>& unexpected_boxes() const { return unexpected_boxes_; }
  // The steps were done but the dialog had to be ended by the give-up action.
  bool left_open() const { return left_open_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void RunTick();

  struct Entry {
    Step step;
    std::string what;
  };
  std::vector<Entry> steps_;
  size_t next_ = 0;
  UINT_PTR timer_ = 0;
  bool in_step_ = false;
  DWORD started_ = 0;
  DWORD deadline_ms_;
  std::function<void()> give_up_;
  std::string timed_out_at_;
  int ticks_after_end_ = 0;
  bool left_open_ = false;
  std::vector<std::string> unexpected_boxes_;
};

// Message boxes of this thread (#32770 windows with the text static 0xFFFF).
HWND FindMessageBox(const std::string& title = {});  // any box when title is empty
std::string WindowText(HWND hwnd);
std::string MessageBoxText(HWND box);
void AnswerMessageBox(HWND box);  // OK

// Posts a key down and up to a window, as the keyboard would (through the loop).
void PostKey(HWND hwnd, WPARAM vk, bool alt = false);

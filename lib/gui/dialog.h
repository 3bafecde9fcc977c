// TDialog: a dialog built from a resource template in the program file.
//
//   auto dlg = gui::TDialog::New("Title", "SAMPLES");
//   dlg->AddGrid(...); gui::TButton::ReDefine(10, [&] { dlg->End(); }, dlg.get());
//   dlg->Activate(dlg->bLClicked, dlg->bMoved, dlg->bPainted, true, {}, true, init);
//
// Set-up (WM_INITDIALOG), in order: the template font is the dialog's; every attached
// item is bound in the order of attachment (a missing or repeated identifier stops the
// set-up and raises "Morvex2" 1 or 2 once the dialog is gone); the dialog is centred
// when asked; the title replaces the template's caption; the start handler runs; the
// focus goes to the first control with a tab stop.
// A modal Activate runs the dialog's own message loop with the dialog manager's keys
// (Tab, Enter on the focused button, Alt+letter), the window-loop indicator set, and
// returns the result once End() was called. Esc (unless the focused control takes it),
// the close box, Alt+F4 and the system menu's Close all end the dialog like End(): none
// of them is turned into a click on the control that has the cancel identifier 2.
// Commands from attached controls go to those objects. A template that cannot be loaded
// raises "Morvex2" 3. Not thread-safe: the GUI thread only.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/dialog_item.h"

namespace gui {

class TXBrowse;
class TFont;

class TDialog {
 public:
  using ClickHandler = std::function<void(int row, int col, int flags)>;
  using MoveHandler = std::function<void(int row, int col)>;
  using PaintHandler = std::function<void(HDC dc)>;
  using Condition = std::function<bool()>;
  using StartHandler = std::function<void(TDialog& dialog)>;

  static constexpr int kEndResult = 2;

  // Title and template name; the template comes from the program file, the dialog has
  // no owner window and takes the template's font.
  static std::unique_ptr<TDialog> New(const std::string& title, const std::string& resource,
                                      HWND owner = nullptr);
  TDialog(std::string title, std::string resource, HWND owner = nullptr);
  ~TDialog();
  TDialog(const TDialog&) = delete;
  TDialog& operator=(const TDialog&) = delete;

  // Left click, moved, paint, centred, validation on closing, modal, start handler,
  // right click, enabling condition, resize flag. Modal: returns End()'s result.
  // Modeless: returns 0 once the dialog is shown.
  int Activate(ClickHandler lclicked = {}, MoveHandler moved = {}, PaintHandler painted = {},
               bool center = false, Condition valid = {}, bool modal = true, StartHandler init = {},
               ClickHandler rclicked = {}, Condition when = {}, bool resize = false);

  // Ends the dialog with result 2 unless the validation refuses; false when refused.
  bool End(int result = kEndResult);

  // Attaches an item: the dialog owns it and binds it at set-up.
  DialogItem* Attach(std::unique_ptr<DialogItem> item);
  // A grid shown in the template control of its CreateFromResource identifier.
  TXBrowse* AddGrid(std::unique_ptr<TXBrowse> grid);

  HWND hWnd() const { return hwnd_; }
  const std::string& title() const { return title_; }
  const std::string& resource() const { return resource_; }
  bool active() const { return hwnd_ != nullptr && !ended_; }
  int result() const { return result_; }

  // The dialog's current handlers, as the program passes them back to Activate.
  ClickHandler bLClicked;
  MoveHandler bMoved;
  PaintHandler bPainted;
  ClickHandler bRClicked;

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  BOOL SetUp();
  void Center();
  void RunModalLoop();
  bool IsCancelKey(const MSG& msg) const;
  HWND FocusedPushButton(const MSG& msg) const;
  void OnCommand(int id, int code, HWND control);
  bool OnMouse(UINT msg, WPARAM wp, LPARAM lp);

  std::string title_;
  std::string resource_;
  HWND owner_;
  HWND hwnd_ = nullptr;
  std::vector<std::unique_ptr<DialogItem>> items_;
  bool center_ = false;
  bool modal_ = true;
  bool ended_ = false;
  int result_ = 0;
  Condition valid_;
  Condition when_;
  StartHandler init_;
  // The set-up failure to raise once the dialog window is gone (subcode, identifier).
  int failure_ = 0;
  int failure_id_ = 0;
};

}  // namespace gui

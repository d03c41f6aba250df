#pragma once
// The help window: the steps of a first run in fixed texts, a link to the web help and a button
// that closes it. Fixed dialog border, close box only, no task-bar entry, no owner; closing it
// discards it.

#include <array>
#include <functional>
#include <string>

#include "app.h"
#include "control.h"
#include "gdi.h"

namespace quillmere::win32 {

// A label that reports a click: a press and a release of the left button over it.
class LinkLabel : public Label {
  public:
    bool create(HWND parent, const std::string& text, const Rect& rect, int id);
    void onClick(std::function<void()> handler) { clicked_ = std::move(handler); }

  protected:
    bool onOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    std::function<void()> clicked_;
    bool pressed_ = false;
};

class Form2 : public Window {
  public:
    Form2(std::string helpAddress, std::function<void()> openWebHelp, TopLevelWindows& windows);

    ~Form2() override { destroy(); }  // while still a Form2, so that onDestroy runs

    bool create(const Scale& scale);
    LinkLabel& label1() { return label1_; }
    Label& line1() { return line1_; }
    const std::array<Label, 6>& helpLabels() const { return labels_; }
    Button& command1() { return command1_; }

  protected:
    void onDestroy() override;
    bool onSetCursor(HWND over) override;

  private:
    std::string helpAddress_;
    std::function<void()> openWebHelp_;
    TopLevelWindows& windows_;
    GdiObject<HFONT> font_;
    GdiObject<HBRUSH> yellow_;
    GdiObject<HBRUSH> blue_;
    HCURSOR hand_ = nullptr;
    LinkLabel label1_;
    Label line1_;
    std::array<Label, 6> labels_;  // Label2 .. Label8, as the table lists them
    Button command1_;
};

}  // namespace quillmere::win32

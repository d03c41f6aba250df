#pragma once
// The program's modal message boxes, behind a seam so that tests can answer them.

#include <windows.h>

#include <string>

namespace quillmere::win32 {

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    // The text, one OK button, no icon, the application title as caption.
    virtual void inform(HWND owner, const std::string& text);
    // The text, the question icon, Yes (the default) and No, `title` as caption; true for Yes.
    virtual bool askYesNo(HWND owner, const std::string& text, const std::string& title);
};

}  // namespace quillmere::win32

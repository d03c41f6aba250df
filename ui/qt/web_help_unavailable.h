#pragma once
// What stands in for the web-help window when its module cannot be loaded: a plain window of the
// same caption and size that says so, and where the help page is, instead of the browser.

#include <QString>

#include "web_help_module.h"

class QWidget;

namespace quillmere::ui {

// A new window, not yet shown, without an owner; it deletes itself when closed. `why` lists the
// places that were tried.
QWidget* makeWebHelpUnavailable(const WebHelpSetup& setup, const QString& why);

}  // namespace quillmere::ui

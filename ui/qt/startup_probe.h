#pragma once
// Start-up probe for the start-up benchmark, armed by the environment variable
// QUILLMERE_STARTUP_PROBE and inert without it:
//   first-paint  prints "first-paint NS" once the main window has painted, then quits;
//   web-help     then also opens the help window, clicks its link, and prints "web-help-click NS"
//                and "web-help-shown NS" once the web-help window has painted, then quits;
//                it fails (status 1) when the web help shows no browser.
// NS is monotonicNanoseconds(), so the benchmark can set it against the moment it spawned us.

namespace quillmere::ui {

class Form1;

void armStartupProbe(Form1& form1);

}  // namespace quillmere::ui

#pragma once
// Texts the windows show beside the captions and control texts of the layout tables: the
// application title, the start-up message and the help window's steps, exactly as shown.

#include <string_view>

namespace quillmere::ui::common {

// Caption of every message box that has none of its own.
inline constexpr std::string_view kApplicationTitle = "Quillmere Mod Tool";

// Shown before the main window appears when the usual package folder is missing.
inline constexpr std::string_view kNoPackageFolderMessage =
    "Make sure you select the ATI folder before you start.";

// The help link: this, one blank, then the help page's address in lower case (helpLinkText()).
inline constexpr std::string_view kHelpLinkIntro = "All help can also be found on";

// The steps run "First of all", 2, 3, 4, 6; the double blanks are part of the texts.
inline constexpr std::string_view kHelpStepFirst =
    "- First of all you need a catalyst driver set.  Download the latest one from ati or from you preffered "
    "mirror.";
inline constexpr std::string_view kHelpStep2 = "-  Step 2:  Extract the catalyst file";
inline constexpr std::string_view kHelpStep3 =
    "- Step3:  If the installer tries to install the driver it will give you an error, don't worry, thats "
    "normal procedure.";
inline constexpr std::string_view kHelpStep4 =
    "- Step4:  Start the modtool, select the ati folder and push the button!";
inline constexpr std::string_view kHelpStep6 =
    "- Step6:  A few seconds later modding is done, and you can start the setup again by going in the ATI "
    "directory and starting setup.exe from the DRIVER folder, this time your drivers will install.";
inline constexpr std::string_view kHelpClosingLine = "One more thing! --> Good luck and happy modding";

}  // namespace quillmere::ui::common

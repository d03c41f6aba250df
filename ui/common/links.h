#pragma once
// The help page and the author's mail address (chosen at build time) and the texts and links
// that the windows make of them.

#include <string>
#include <string_view>

namespace quillmere::ui::common {

// Host and path, no scheme.
std::string_view builtInHelpAddress();
std::string_view builtInAuthorMail();

// What a browser makes of an address typed without a scheme: http in front. An address that
// already names its scheme is kept as it is.
std::string helpPageUrl(std::string_view helpAddress);

// "mailto:" followed at once by the address.
std::string mailtoLink(std::string_view mail);

// The web-help window's caption: the address in capitals.
std::string webHelpCaption(std::string_view helpAddress);

// The help window's link: the intro, one blank, the address in lower case.
std::string helpLinkText(std::string_view helpAddress);

}  // namespace quillmere::ui::common

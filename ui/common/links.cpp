#include "links.h"

#include "app_config.h"
#include "texts.h"

namespace quillmere::ui::common {
namespace {

// Letters A to Z only: an address is ASCII, and this must not depend on the C locale.
std::string mapAscii(std::string_view text, char from, char to) {
    std::string mapped(text);
    for (char& c : mapped) {
        if (c >= from && c <= static_cast<char>(from + 25)) c = static_cast<char>(c - from + to);
    }
    return mapped;
}

}  // namespace

std::string_view builtInHelpAddress() {
    return kHelpAddress;
}

std::string_view builtInAuthorMail() {
    return kAuthorMail;
}

std::string helpPageUrl(std::string_view helpAddress) {
    if (helpAddress.find("://") != std::string_view::npos) return std::string(helpAddress);
    return "http://" + std::string(helpAddress);
}

std::string mailtoLink(std::string_view mail) {
    return "mailto:" + std::string(mail);
}

std::string webHelpCaption(std::string_view helpAddress) {
    return mapAscii(helpAddress, 'a', 'A');
}

std::string helpLinkText(std::string_view helpAddress) {
    return std::string(kHelpLinkIntro) + ' ' + mapAscii(helpAddress, 'A', 'a');
}

}  // namespace quillmere::ui::common

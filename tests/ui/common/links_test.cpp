// What the windows make of the help address and the mail address.

#include "links.h"

#include <gtest/gtest.h>

using namespace quillmere::ui::common;

TEST(LinksTest, HelpPageUrlAddsASchemeOnlyWhereThereIsNone) {
    EXPECT_EQ(helpPageUrl("www.example.org/help.html"), "http://www.example.org/help.html");
    EXPECT_EQ(helpPageUrl("https://www.example.org/help.html"), "https://www.example.org/help.html");
    EXPECT_EQ(mailtoLink("author@example.org"), "mailto:author@example.org");
}

TEST(LinksTest, CaptionAndLinkChangeTheCaseOfLettersOnly) {
    const std::string address = "Www.Example-1.ORG/\xc3\xa4/Help_2.html";  // a UTF-8 letter stays as it is
    EXPECT_EQ(webHelpCaption(address), "WWW.EXAMPLE-1.ORG/\xc3\xa4/HELP_2.HTML");
    EXPECT_EQ(helpLinkText(address), "All help can also be found on www.example-1.org/\xc3\xa4/help_2.html");
}

TEST(LinksTest, TheBuiltInAddressesAreUsable) {
    // The link wraps the address onto a line of its own only if it has no blanks; the scheme is
    // added by helpPageUrl, so the setting must not carry one.
    const std::string_view help = builtInHelpAddress();
    EXPECT_FALSE(help.empty());
    EXPECT_EQ(help.find(' '), std::string_view::npos);
    EXPECT_EQ(help.find("://"), std::string_view::npos);
    EXPECT_NE(builtInAuthorMail().find('@'), std::string_view::npos);
}

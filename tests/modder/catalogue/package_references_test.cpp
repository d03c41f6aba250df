// The list of names that the written lines use but the run does not write, held against the
// written lines themselves, so that a name misspelt in either place shows.

#include "package_references.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "chip_family.h"
#include "inf_section_plan.h"
#include "install_section.h"
#include "services_section.h"
#include "software_settings_section.h"

namespace quillmere {
namespace {

// The names that the lines' values hold: split at blanks, commas, semicolons and NULs.
std::set<std::string> namesIn(const std::string& content) {
    std::set<std::string> names;
    std::string word;
    bool value = false;
    for (const char c : content) {
        if (c == '=') {
            value = true;
            continue;
        }
        const bool separator = c == ' ' || c == ',' || c == ';' || c == '\0' || c == '\r' || c == '\n';
        if (!separator) {
            if (value) word.push_back(c);
            continue;
        }
        if (!word.empty()) names.insert(word);
        word.clear();
        if (c == '\0') value = false;
    }
    return names;
}

TEST(PackageReferences, EveryNameIsUsedByAWrittenLineAndNoneIsWrittenByTheRun) {
    std::set<std::string> used;
    for (const ChipFamily family : kChipFamilies) {
        for (const std::string& content : {buildInstallContent(family), buildServicesContent(family),
                                           buildSoftwareSettingsContent(family)}) {
            used.merge(namesIn(content));
        }
    }
    std::set<std::string> written;
    for (const InfSection& section : buildInfSections()) written.insert(section.name);

    std::set<std::string_view> distinct;
    for (const std::string_view name : kReferencedSections) {
        SCOPED_TRACE(std::string(name));
        EXPECT_TRUE(used.count(std::string(name)));
        EXPECT_FALSE(written.count(std::string(name)));
        distinct.insert(name);
    }
    EXPECT_EQ(distinct.size(), kReferencedSections.size());
    for (const std::string_view file : kReferencedFiles) EXPECT_TRUE(used.count(std::string(file))) << file;

    // Every section name of the lines is either written by the run or on the list: nothing the
    // installer needs is left unchecked.
    for (const std::string& name : used) {
        const bool sectionLike = name.find('.') != std::string::npos || name.find('_') != std::string::npos;
        if (!sectionLike || name.starts_with("0x")) continue;
        const bool listed =
            std::find(kReferencedSections.begin(), kReferencedSections.end(), name) !=
                kReferencedSections.end() ||
            std::find(kReferencedFiles.begin(), kReferencedFiles.end(), name) != kReferencedFiles.end();
        EXPECT_TRUE(listed || written.count(name)) << name;
    }
}

}  // namespace
}  // namespace quillmere

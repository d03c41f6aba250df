// xp-loader-check: tells whether Windows XP would load each given .exe, from its PE header and
// import tables against the lists of what XP exports (XP itself is not needed, and Wine cannot
// tell: it loads such programs even when set to act as XP).
//
// Usage: xp-loader-check [--lists DIR] [--names] FILE.exe...
// Exit status: 0 every file loads on its XP, 1 one does not (or cannot be read), 2 usage error.

#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "pe_image.h"
#include "xp_check.h"
#include "xp_exports.h"

#ifndef XP_CHECK_LISTS_DIR
#error "XP_CHECK_LISTS_DIR must name the folder of the export lists"
#endif

namespace {

int usage() {
    std::cerr << "usage: xp-loader-check [--lists DIR] [--names] FILE.exe...\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path lists = XP_CHECK_LISTS_DIR;
    bool names = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--lists" && i + 1 < argc) {
            lists = argv[++i];
        } else if (arg == "--names") {
            names = true;
        } else if (!arg.empty() && arg.front() == '-') {
            return usage();
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) return usage();

    std::map<std::string, xpcheck::XpExports> loaded;  // by export list, read once
    int failed = 0;
    for (const std::string& file : files) {
        try {
            const xpcheck::PeImage image = xpcheck::readPeFile(file);
            const auto target = xpcheck::xpTargetFor(image);
            if (!target) {
                std::cout << "FAILED " << file << ": machine type " << image.machine << " is run by no XP\n";
                ++failed;
                continue;
            }
            auto found = loaded.find(target->exportList);
            if (found == loaded.end()) {
                found =
                    loaded
                        .emplace(target->exportList, xpcheck::XpExports::load(lists / target->exportList,
                                                                              lists / "dlls-not-on-xp.txt"))
                        .first;
            }
            const auto problems = xpcheck::findProblems(image, *target, found->second);
            xpcheck::printReport(std::cout, file, image, *target, problems, names);
            if (!problems.empty()) ++failed;
        } catch (const std::exception& error) {
            std::cout << "FAILED " << file << ": " << error.what() << "\n";
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}

#pragma once
// Runs the whole command-line program in process, as `quillmere-mod ARGS` would, and keeps what
// it printed; plus the helpers the command-line tests share.

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli_app.h"

namespace quillmere::testing {

struct ToolResult {
    int status = -1;
    std::string out, err;
};

inline ToolResult runTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    std::istringstream in;
    ToolResult result;
    result.status = cli::runCli(args, {out, err, in, false, false});
    result.out = out.str();
    result.err = err.str();
    return result;
}

// Whether a program is on the PATH (never under Windows, where the tests do without them).
inline bool haveProgram(const std::string& name) {
#ifdef _WIN32
    (void)name;
    return false;
#else
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
#endif
}

// Every entry below `root` (and `root` itself) with its kind, size and modification time, to
// show that nothing was created, changed or touched.
inline std::map<std::string, std::string> treeSnapshot(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> snapshot;
    const auto add = [&](const fs::path& p) {
        const auto status = fs::symlink_status(p);
        const auto time = fs::last_write_time(p).time_since_epoch().count();
        const auto size = fs::is_regular_file(status) ? fs::file_size(p) : 0;
        snapshot[p.lexically_relative(root).string()] = std::to_string(static_cast<int>(status.type())) +
                                                        " " + std::to_string(size) + " " +
                                                        std::to_string(time);
    };
    add(root);
    for (const auto& entry : fs::recursive_directory_iterator(root)) add(entry.path());
    return snapshot;
}

}  // namespace quillmere::testing

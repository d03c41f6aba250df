#include <cstdio>
#include <iostream>

#include "cli_app.h"
#include "platform.h"

int main(int argc, char** argv) {
    using namespace quillmere;
    std::vector<std::string> args;
    try {
        args = platform::programArguments(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "quillmere-mod: " << error.what() << '\n';
        return 2;
    }
    // A Windows console gets its text through WriteConsoleW; files and pipes get UTF-8 bytes.
    const auto out = platform::consoleBuffer(stdout);
    const auto err = platform::consoleBuffer(stderr);
    std::streambuf* const outBefore = out ? std::cout.rdbuf(out.get()) : nullptr;
    std::streambuf* const errBefore = err ? std::cerr.rdbuf(err.get()) : nullptr;
    const int code = cli::runCli(
        args, {std::cout, std::cerr, std::cin, platform::isTerminal(stdout), platform::isTerminal(stdin)});
    std::cout.flush();
    std::cerr.flush();
    if (outBefore) std::cout.rdbuf(outBefore);
    if (errBefore) std::cerr.rdbuf(errBefore);
    return code;
}

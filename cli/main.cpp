#include <cstdio>
#include <iostream>

#include "cli_app.h"
#include "platform.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    using quillmere::platform::isTerminal;
    return quillmere::cli::runCli(args,
                                  {std::cout, std::cerr, std::cin, isTerminal(stdout), isTerminal(stdin)});
}

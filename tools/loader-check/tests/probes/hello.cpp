// Uses the C++ runtime and nothing else: what it imports is what the toolchain brings, and
// std::string links in std::random_device's code without making one.
#include <cstdio>
#include <string>

int main(int argc, char**) {
    const std::string text(static_cast<std::size_t>(argc), 'x');
    std::printf("%s\n", text.c_str());
    return 0;
}

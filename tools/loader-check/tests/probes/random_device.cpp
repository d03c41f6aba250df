// Draws from std::random_device, which on a CPU without RDRAND looks up advapi32!SystemFunction036.
#include <random>

int main() {
    std::random_device device;
    return static_cast<int>(device() & 1);
}

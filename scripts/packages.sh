# Debian packages the build needs, sourced by the run and test scripts.
# shellcheck shell=bash
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev qt6-base-dev qt6-webengine-dev libgl-dev)

# --- harden: the durability test (tests/faults/durability_test.cpp) traces a run with strace ---
BUILD_PACKAGES+=(strace)

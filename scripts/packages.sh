# Debian packages the build needs, sourced by the run and test scripts.
# shellcheck shell=bash
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev qt6-base-dev qt6-webengine-dev libgl-dev)

# --- The durability test (tests/faults/durability_test.cpp) traces a run with strace ---
BUILD_PACKAGES+=(strace)

# --- The command line's tests apply its diffs with patch(1) and parse its JSON with Python's own parser ---
BUILD_PACKAGES+=(patch python3)

# Making and checking the Debian package and the Windows zip (scripts/test-all.sh, its package
# block; scripts/package-windows.sh), and the display of the start-up benchmark.
PACKAGING_PACKAGES=(dpkg-dev file desktop-file-utils appstream zip unzip xvfb)

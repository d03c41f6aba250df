// Standard output that fills up or fails: --check and --diff must not vouch for a report that was
// cut, and a run keeps the status that says what happened to the files.

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <streambuf>

#include "cli_app.h"
#include "package_fixture.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;

namespace {

// A stream buffer that takes `room` bytes and then fails every write, as a full disk does.
class FullDisk : public std::streambuf {
  public:
    explicit FullDisk(std::size_t room) : room_(room) {}
    std::string taken;

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (taken.size() >= room_) return traits_type::eof();
        taken += traits_type::to_char_type(c);
        return c;
    }
    std::streamsize xsputn(const char* data, std::streamsize size) override {
        const auto n = std::min<std::streamsize>(size, static_cast<std::streamsize>(room_ - taken.size()));
        taken.append(data, static_cast<std::size_t>(n));
        return n;
    }

  private:
    std::size_t room_;
};

struct Result {
    int status;
    std::string err;
};

Result runFull(const std::vector<std::string>& args, std::size_t room) {
    FullDisk disk(room);
    std::ostream out(&disk);
    std::ostringstream err;
    std::istringstream in;
    const int status = cli::runCli(args, {out, err, in, false, false});
    return {status, err.str()};
}

constexpr const char* kLost = "quillmere-mod: the report could not be written to standard output\n";

}  // namespace

TEST(OutputErrors, ACutReportOfCheckOrDiffIsAnErrorAndARunKeepsItsStatus) {
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    const PackageFiles before = contentsOf(p);

    // The diff of the sample is well over 64 KiB: cut there, as a full disk cut it.
    const Result diff = runFull({"--diff", tree.str()}, 65536);
    EXPECT_EQ(diff.status, cli::kError);
    EXPECT_EQ(diff.err, kLost);
    for (const char* mode : {"--check", "--diff"}) {
        const Result none = runFull({mode, tree.str()}, 0);  // /dev/full
        EXPECT_EQ(none.status, cli::kError) << mode;
        EXPECT_EQ(none.err, kLost) << mode;
    }
    EXPECT_EQ(contentsOf(p), before);

    // The run mods the package: its status says so, and the lost report is told apart.
    const Result run = runFull({"-n", tree.str()}, 0);
    EXPECT_EQ(run.status, cli::kModded);
    EXPECT_EQ(run.err, kLost);
    EXPECT_NE(contentsOf(p), before);
    const Result refused = runFull({"-n", tree.str()}, 0);
    EXPECT_EQ(refused.status, cli::kRefused);
    EXPECT_EQ(refused.err, kLost);
}

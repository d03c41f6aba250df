// What a replace keeps and refuses on POSIX systems: a link planted at the temporary name is
// never followed, the temporary file is its owner's alone, and the replaced file keeps its
// owner, its mode (set-group-ID included), its extended attributes and its ACL.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>

#include "file_replace.h"
#include "file_store.h"
#include "ordinary_user.h"
#include "side_files.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

struct stat statOf(const fs::path& file) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0) throw std::runtime_error("cannot stat " + file.string());
    return st;
}

std::string xattrOf(const fs::path& file, const char* name) {
    char value[256];
    const ssize_t n = ::getxattr(file.c_str(), name, value, sizeof value);
    return n < 0 ? "<" + std::string(std::strerror(errno)) + ">"
                 : std::string(value, static_cast<std::size_t>(n));
}

// An access ACL in the kernel's own form: owner rw, user nobody r, owning group r, mask r,
// others nothing.
std::string aclGrantingNobodyRead() {
    std::string acl;
    const auto put32 = [&](std::uint32_t v) { acl.append(reinterpret_cast<const char*>(&v), 4); };
    const auto entry = [&](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
        acl.append(reinterpret_cast<const char*>(&tag), 2);
        acl.append(reinterpret_cast<const char*>(&perm), 2);
        put32(id);
    };
    put32(2);                    // version
    entry(0x01, 6, 0xFFFFFFFF);  // owner
    entry(0x02, 4, 65534);       // user nobody
    entry(0x04, 4, 0xFFFFFFFF);  // owning group
    entry(0x10, 4, 0xFFFFFFFF);  // mask
    entry(0x20, 0, 0xFFFFFFFF);  // others
    return acl;
}

}  // namespace

TEST(PosixReplace, ALinkPlantedAtTheTemporaryNameIsNeverFollowed) {
    TempDir dir, elsewhere;
    const fs::path file = dir.write("install.ini", "old");
    const fs::path victim = elsewhere.path() / "planted-target";
    // The store's next temporary name, known in advance; a dangling link there would have the
    // copy written wherever it points.
    reseedSideFileNames(11);
    const fs::path next = sideFileName(file, SideFile::Temporary);
    reseedSideFileNames(11);
    fs::create_symlink(victim, next);

    DiskFileStore store;
    ASSERT_FALSE(store.replace(file, "new"));
    EXPECT_EQ(readBytes(file), "new");
    EXPECT_FALSE(fs::exists(victim));
    EXPECT_TRUE(fs::is_symlink(next));

    // The temporary file is created as its owner's alone, whatever the umask lets through.
    const mode_t oldMask = ::umask(0);
    std::error_code ec;
    const fs::path fresh = dir.path() / "fresh";
    std::FILE* created = platform::createExclusive(fresh, ec);
    ::umask(oldMask);
    ASSERT_NE(created, nullptr) << ec.message();
    std::fclose(created);
    EXPECT_EQ(statOf(fresh).st_mode & 07777, 0600u);
    EXPECT_EQ(platform::createExclusive(fresh, ec), nullptr);
    EXPECT_EQ(ec, std::errc::file_exists);
    EXPECT_EQ(platform::createExclusive(next, ec), nullptr);
    EXPECT_FALSE(fs::exists(victim));
}

TEST(PosixReplace, OwnerModeAndSetGroupIdAreKeptAsRoot) {
    if (!runningAsRoot()) GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    const fs::path file = dir.write("C2_1.INF", "old");
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(file.c_str(), 02750), 0);
    DiskFileStore store;
    ASSERT_FALSE(store.replace(file, "new"));
    const struct stat st = statOf(file);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 02750u);  // a chown after the chmod would clear set-group-ID
}

TEST(PosixReplace, ModeAndSetGroupIdAreKeptForAnOrdinaryUser) {
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::all);
    const fs::path file = dir.path() / "install.ini";
    const auto result = asOrdinaryUser([&] {
        writeBytes(file, "old");
        ::chmod(file.c_str(), 02754);
        DiskFileStore store;
        const std::error_code ec = store.replace(file, "new");
        const struct stat st = statOf(file);
        return ec.message() + " " + readBytes(file) + " " + std::to_string(st.st_mode & 07777) + " " +
               std::to_string(st.st_uid == ::geteuid());
    });
    if (!result) GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(*result, std::error_code().message() + " new " + std::to_string(02754) + " 1");
}

TEST(PosixReplace, ExtendedAttributesAndTheAclAreKept) {
    TempDir dir;
    const fs::path file = dir.write("CX_1.INF", "old");
    if (::setxattr(file.c_str(), "user.quillmere.test", "kept", 4, 0) != 0)
        GTEST_SKIP() << "this file system keeps no user attributes: " << std::strerror(errno);
    const std::string acl = aclGrantingNobodyRead();
    const bool acls = ::setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
    const std::string aclBefore = xattrOf(file, "system.posix_acl_access");
    const mode_t modeBefore = statOf(file).st_mode & 07777;

    DiskFileStore store;
    ASSERT_FALSE(store.replace(file, "new"));
    EXPECT_EQ(readBytes(file), "new");
    EXPECT_EQ(xattrOf(file, "user.quillmere.test"), "kept");
    EXPECT_EQ(statOf(file).st_mode & 07777, modeBefore);
    if (!acls) GTEST_SKIP() << "this file system keeps no POSIX ACLs; user attributes were kept";
    EXPECT_EQ(xattrOf(file, "system.posix_acl_access"), aclBefore);
}

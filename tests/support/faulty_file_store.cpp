#include "faulty_file_store.h"

#include "platform.h"

namespace quillmere::testing {

std::error_code FaultyFileStore::read(const std::filesystem::path& file, std::string& bytes) {
    ++reads[platform::fromPath(file)];
    return disk_.read(file, bytes);
}

std::error_code FaultyFileStore::replace(const std::filesystem::path& file, const std::string& bytes) {
    replaced.push_back(platform::fromPath(file));
    const bool countedOut = failReplacesAfter >= 0 && replaceCalls >= failReplacesAfter;
    ++replaceCalls;
    if (countedOut || failReplaceOf.count(platform::fromPath(file))) return failure;
    return disk_.replace(file, bytes);
}

std::error_code FaultyFileStore::probeWritable(const std::filesystem::path& file) {
    if (failProbeOf.count(platform::fromPath(file)))
        return std::make_error_code(std::errc::read_only_file_system);
    return disk_.probeWritable(file);
}

std::error_code FaultyFileStore::holdOriginal(const std::filesystem::path& file) {
    held.push_back(platform::fromPath(file));
    if (refuseHolds) return std::make_error_code(std::errc::operation_not_permitted);
    return disk_.holdOriginal(file);
}

std::error_code FaultyFileStore::restoreOriginal(const std::filesystem::path& file) {
    return disk_.restoreOriginal(file);
}

void FaultyFileStore::releaseOriginal(const std::filesystem::path& file) {
    disk_.releaseOriginal(file);
}

std::size_t FaultyFileStore::removeLeftovers(const std::filesystem::path& file) {
    return disk_.removeLeftovers(file);
}

}  // namespace quillmere::testing

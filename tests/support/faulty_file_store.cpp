#include "faulty_file_store.h"

namespace quillmere::testing {

std::error_code FaultyFileStore::read(const std::filesystem::path& file, std::string& bytes) {
    return disk_.read(file, bytes);
}

std::error_code FaultyFileStore::replace(const std::filesystem::path& file, const std::string& bytes) {
    replaced.push_back(file.string());
    const bool countedOut = failReplacesAfter >= 0 && replaceCalls >= failReplacesAfter;
    ++replaceCalls;
    if (countedOut || failReplaceOf.count(file.string())) return failure;
    return disk_.replace(file, bytes);
}

std::error_code FaultyFileStore::probeWritable(const std::filesystem::path& file) {
    if (failProbeOf.count(file.string())) return std::make_error_code(std::errc::read_only_file_system);
    return disk_.probeWritable(file);
}

}  // namespace quillmere::testing

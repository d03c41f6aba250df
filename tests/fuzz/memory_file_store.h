#pragma once
// A FileStore in memory, so that a fuzzer iteration costs no system calls and leaves nothing behind.

#include <filesystem>
#include <map>
#include <string>

#include "file_store.h"

namespace quillmere::fuzzing {

class MemoryFileStore : public FileStore {
public:
    std::error_code read(const std::filesystem::path& file, std::string& bytes) override {
        const auto it = files.find(file);
        if (it == files.end()) return std::make_error_code(std::errc::no_such_file_or_directory);
        bytes = it->second;
        return {};
    }
    std::error_code replace(const std::filesystem::path& file, const std::string& bytes) override {
        files[file] = bytes;
        return {};
    }
    std::error_code probeWritable(const std::filesystem::path&) override { return {}; }

    std::map<std::filesystem::path, std::string> files;
};

}  // namespace quillmere::fuzzing

#include "profile_functions.h"

#include "profile_encoding.h"
#include "profile_text.h"

namespace quillmere::testing {

std::uint32_t ProfileFunctions::GetPrivateProfileSectionA(std::string_view section, char* buffer,
                                                          std::uint32_t size, std::string_view fileName) {
    profile::DecodedProfile profile;
    if (editor_.load(fileName, profile)) {
        if (size > 0) buffer[0] = '\0';
        return 0;
    }
    return profile::readSection(profile, section, buffer, size);
}

int ProfileFunctions::WritePrivateProfileSectionA(std::string_view section, std::string_view content,
                                                  std::string_view fileName) {
    profile::DecodedProfile profile;
    lastError_ = editor_.load(fileName, profile);
    if (lastError_) return 0;
    const auto as = [&](std::string_view text8) { return profile::toEditText(profile.encoding, text8); };
    profile::writeSection(profile.text, as(section), as(content));
    lastError_ = editor_.save(fileName, profile);
    return lastError_ ? 0 : 1;
}

int ProfileFunctions::WritePrivateProfileStringA(std::string_view section, std::string_view key,
                                                 std::string_view value, std::string_view fileName) {
    profile::DecodedProfile profile;
    lastError_ = editor_.load(fileName, profile);
    if (lastError_) return 0;
    const auto as = [&](std::string_view text8) { return profile::toEditText(profile.encoding, text8); };
    profile::writeKey(profile.text, as(section), as(key), as(value));
    lastError_ = editor_.save(fileName, profile);
    return lastError_ ? 0 : 1;
}

}  // namespace quillmere::testing

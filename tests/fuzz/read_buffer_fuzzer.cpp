// Content splitting and section reads into buffers of 0 to 2048 characters: a read never writes
// outside its buffer or past its closing NUL, and what it writes follows the size rules.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "memory_file_store.h"
#include "profile_encoding.h"
#include "profile_functions.h"
#include "profile_model.h"
#include "profile_text.h"

using namespace quillmere;
using namespace quillmere::fuzzing;

namespace {

void checkSplit(std::string_view content) {
    const auto entries = profile::splitContent(content);
    const auto expected = modelEntries(content);
    FUZZ_CHECK(entries.size() == expected.size());
    std::size_t pos = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        FUZZ_CHECK(entries[i] == expected[i]);
        // Views into the content itself, in order, each ended by its NUL or the content's end.
        FUZZ_CHECK(entries[i].data() == content.data() + pos);
        pos += entries[i].size();
        FUZZ_CHECK(pos == content.size() || content[pos] == '\0');
        ++pos;
    }
    // What follows the list is nothing or the empty entry that closed it.
    FUZZ_CHECK(pos >= content.size() || content[pos] == '\0');
}

// One read into a buffer of exactly `size` characters, filled with `fill` beforehand; the heap
// block has no slack, so AddressSanitizer sees a write one past its end.
template <typename Read>
void checkRead(std::string_view expectedList, std::uint32_t size, char fill, Read read) {
    const auto buffer = std::make_unique<char[]>(size);
    std::memset(buffer.get(), fill, size);
    const std::uint32_t result = read(buffer.get(), size);

    const std::string_view got(buffer.get(), size);
    if (size == 0) {
        FUZZ_CHECK(result == 0);
    } else if (expectedList.size() <= size) {
        // It fits: the whole list, closing NUL included, and the rest untouched.
        FUZZ_CHECK(result == expectedList.size() - 1);
        FUZZ_CHECK(got.substr(0, expectedList.size()) == expectedList);
        FUZZ_CHECK(got.substr(expectedList.size()).find_first_not_of(fill) == std::string_view::npos);
    } else if (size == 1) {
        FUZZ_CHECK(result == 0);
        FUZZ_CHECK(got[0] == '\0');
    } else {
        // Cut: the list's first size - 2 characters, then two NULs.
        FUZZ_CHECK(result == size - 2);
        FUZZ_CHECK(got.substr(0, size - 2) == expectedList.substr(0, size - 2));
        FUZZ_CHECK(got.substr(size - 2) == std::string_view("\0\0", 2));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto bufferSize = input.ConsumeIntegralInRange<std::uint32_t>(0, 2048);
    const auto fill = input.ConsumeIntegral<char>();
    const std::string section = input.ConsumeRandomLengthString(64);
    const std::string text = input.ConsumeRemainingBytesAsString();

    checkSplit(text);
    checkSplit(section);

    // The pure read against the plain model, at the fuzzer's size and at an exact fit.
    const std::string list = modelReadList(text, section);
    const auto pureRead = [&](char* buffer, std::uint32_t n) { return profile::readSection(text, section, buffer, n); };
    checkRead(list, bufferSize, fill, pureRead);
    checkRead(list, static_cast<std::uint32_t>(list.size()), fill, pureRead);

    // The same through the editor, which decodes the file first (a UTF-16 file reads as 8-bit text).
    MemoryFileStore store;
    store.files["f.ini"] = text;
    testing::ProfileFunctions editor({}, store);
    const profile::DecodedProfile decoded = profile::decodeProfile(text);
    // A file the editor refuses (UTF-16 big-endian) reads as an empty section.
    const std::string eightBit =
        profile::checkEditable(text) ? std::string() : profile::fromEditText(decoded.encoding, decoded.text);
    checkRead(modelReadList(eightBit, section), bufferSize, fill, [&](char* buffer, std::uint32_t n) {
        return editor.GetPrivateProfileSectionA(section, buffer, n, "f.ini");
    });
    return 0;
}

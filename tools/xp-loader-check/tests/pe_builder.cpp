#include "pe_builder.h"

namespace xpcheck::testing {
namespace {

constexpr std::uint64_t kImageBase = 0x400000;

void put(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint64_t value, std::size_t width) {
    if (bytes.size() < offset + width) bytes.resize(offset + width);
    for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The section's contents, addressed by RVA.
struct Section {
    std::vector<std::uint8_t> bytes;
    std::uint32_t rva(std::size_t offset) const {
        return kFakeSectionRva + static_cast<std::uint32_t>(offset);
    }
    std::size_t append(std::size_t size) {
        const std::size_t at = bytes.size();
        bytes.resize(at + size);
        return at;
    }
    std::uint32_t appendName(const std::string& name) {
        const std::size_t at = append(name.size() + 1);
        for (std::size_t i = 0; i < name.size(); ++i) bytes[at + i] = static_cast<std::uint8_t>(name[i]);
        return rva(at);
    }
};

// A thunk table for `functions`; `addresses` fills it as a bound address table instead.
std::uint32_t appendThunks(Section& s, const std::vector<std::uint32_t>& entries, bool pe32Plus,
                           const FakeImport& import, bool addresses) {
    const std::size_t width = pe32Plus ? 8 : 4;
    const std::size_t at = s.append((entries.size() + 1) * width);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::uint64_t value = entries[i];
        if (import.functions[i].front() == '#') {
            value |= pe32Plus ? 0x8000000000000000ull : 0x80000000ull;
        }
        if (addresses) value = 0x7ff00000 + 16 * i;  // where the DLL was when the image was bound
        put(s.bytes, at + i * width, value, width);
    }
    return s.rva(at);
}

}  // namespace

void put32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    put(bytes, offset, value, 4);
}

std::vector<std::uint8_t> buildImage(const FakeImage& fake) {
    std::size_t normal = 0, delayed = 0;
    for (const FakeImport& import : fake.imports) ++(import.delayLoaded ? delayed : normal);
    Section s;
    const std::size_t normalAt = s.append((normal + 1) * 20);
    const std::size_t delayAt = s.append((delayed + 1) * 32);
    std::size_t nextNormal = normalAt, nextDelay = delayAt;
    for (const FakeImport& import : fake.imports) {
        std::vector<std::uint32_t> entries;  // hint/name RVAs, or ordinals
        for (const std::string& function : import.functions) {
            if (function.front() == '#') {
                entries.push_back(static_cast<std::uint32_t>(std::stoul(function.substr(1))));
            } else {
                const std::size_t hint = s.append(2);
                s.appendName(function);
                entries.push_back(s.rva(hint));
            }
        }
        const std::uint32_t nameTable = appendThunks(s, entries, fake.pe32Plus, import, false);
        const std::uint32_t addressTable = appendThunks(s, entries, fake.pe32Plus, import, import.bound);
        const std::uint32_t dllName = s.appendName(import.dll);
        if (import.delayLoaded) {
            const std::uint32_t base = import.delayAsAddresses ? static_cast<std::uint32_t>(kImageBase) : 0;
            put(s.bytes, nextDelay, import.delayAsAddresses ? 0 : 1, 4);
            put(s.bytes, nextDelay + 4, base + dllName, 4);
            put(s.bytes, nextDelay + 12, base + addressTable, 4);
            put(s.bytes, nextDelay + 16, base + nameTable, 4);
            nextDelay += 32;
        } else {
            put(s.bytes, nextNormal, import.withoutNameTable ? 0 : nameTable, 4);
            put(s.bytes, nextNormal + 4, import.bound ? 0xffffffffu : 0, 4);
            put(s.bytes, nextNormal + 12, dllName, 4);
            put(s.bytes, nextNormal + 16, addressTable, 4);
            nextNormal += 20;
        }
    }

    std::vector<std::uint8_t> image(kFakeSectionOffset, 0);
    put(image, 0, 0x5a4d, 2);
    put(image, 0x3c, 0x40, 4);
    put(image, 0x40, 0x00004550, 4);
    const std::size_t coff = 0x44, opt = coff + 20;
    const std::uint16_t optionalSize = fake.pe32Plus ? 240 : 224;
    put(image, coff, fake.pe32Plus ? 0x8664 : 0x14c, 2);
    put(image, coff + 2, 1, 2);
    put(image, coff + 16, optionalSize, 2);
    put(image, opt, fake.pe32Plus ? 0x20b : 0x10b, 2);
    if (fake.pe32Plus) {
        put(image, opt + 24, kImageBase, 8);
    } else {
        put(image, opt + 28, kImageBase, 4);
    }
    put(image, opt + 40, 4, 2);
    put(image, opt + 48, fake.subsystemMajor, 2);
    put(image, opt + 50, fake.subsystemMinor, 2);
    put(image, opt + 60, kFakeSectionOffset, 4);
    put(image, opt + 68, 3, 2);
    const std::size_t directories = opt + (fake.pe32Plus ? 112 : 96);
    put(image, directories - 4, 16, 4);
    if (normal > 0) put(image, directories + 8, s.rva(normalAt), 4);
    if (delayed > 0) put(image, directories + 13 * 8, s.rva(delayAt), 4);
    const std::size_t section = opt + optionalSize;
    const char name[] = ".idata";
    for (std::size_t i = 0; i < sizeof name - 1; ++i) image[section + i] = static_cast<std::uint8_t>(name[i]);
    put(image, section + 8, s.bytes.size(), 4);
    put(image, section + 12, kFakeSectionRva, 4);
    put(image, section + 16, s.bytes.size(), 4);
    put(image, section + 20, kFakeSectionOffset, 4);
    image.insert(image.end(), s.bytes.begin(), s.bytes.end());
    return image;
}

}  // namespace xpcheck::testing

#include "pe_image.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace xpcheck {
namespace {

constexpr std::uint16_t kMagicPe32 = 0x10b;
constexpr std::uint16_t kMagicPe32Plus = 0x20b;
constexpr std::size_t kImportDirectory = 1;
constexpr std::size_t kDelayImportDirectory = 13;
constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::size_t kDelayDescriptorSize = 32;

struct Section {
    std::uint32_t virtualAddress = 0, virtualSize = 0, rawOffset = 0, rawSize = 0;
};

// Little-endian reads at file offsets, each checked against the file's end.
class Bytes {
  public:
    explicit Bytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t get(std::size_t offset, std::size_t width) const {
        if (offset > bytes_.size() || width > bytes_.size() - offset) {
            throw PeError("the file ends at " + std::to_string(bytes_.size()) + " bytes, inside a table at " +
                          std::to_string(offset));
        }
        std::uint64_t value = 0;
        for (std::size_t i = width; i-- > 0;) value = (value << 8) | bytes_[offset + i];
        return value;
    }
    std::uint16_t u16(std::size_t offset) const { return static_cast<std::uint16_t>(get(offset, 2)); }
    std::uint32_t u32(std::size_t offset) const { return static_cast<std::uint32_t>(get(offset, 4)); }
    std::size_t size() const { return bytes_.size(); }
    std::uint8_t at(std::size_t offset) const { return bytes_[offset]; }

  private:
    std::span<const std::uint8_t> bytes_;
};

// The image as the loader maps it: relative virtual addresses (RVAs) turned into file offsets.
class Image {
  public:
    Image(const Bytes& bytes, std::vector<Section> sections, std::uint32_t headersSize)
        : bytes_(bytes), sections_(std::move(sections)), headersSize_(headersSize) {}

    // The file offset of `length` bytes at `rva`, all of them inside one section's file data.
    std::size_t offsetOf(std::uint32_t rva, std::size_t length) const {
        std::size_t start = 0, end = 0;
        locate(rva, start, end);
        if (length > end - start)
            throw PeError("a table at RVA " + hex(rva) + " runs past its section's data");
        return start;
    }
    std::uint32_t u32(std::uint32_t rva) const { return bytes_.u32(offsetOf(rva, 4)); }
    std::uint64_t thunk(std::uint32_t rva, std::size_t width) const {
        return bytes_.get(offsetOf(rva, width), width);
    }
    std::uint16_t u16(std::uint32_t rva) const { return bytes_.u16(offsetOf(rva, 2)); }

    // A NUL-terminated name at `rva`; the NUL must lie inside the same section's data.
    std::string name(std::uint32_t rva) const {
        std::size_t start = 0, end = 0;
        locate(rva, start, end);
        std::string text;
        for (std::size_t i = start; i < end; ++i) {
            if (bytes_.at(i) == 0) return text;
            text.push_back(static_cast<char>(bytes_.at(i)));
        }
        throw PeError("the name at RVA " + hex(rva) + " has no end inside its section");
    }

    static std::string hex(std::uint64_t value) {
        static constexpr char digits[] = "0123456789abcdef";
        std::string text;
        do {
            text.insert(text.begin(), digits[value & 0xf]);
            value >>= 4;
        } while (value != 0);
        return "0x" + text;
    }

  private:
    // [start, end): the file bytes from `rva` to the end of the section data holding it.
    void locate(std::uint32_t rva, std::size_t& start, std::size_t& end) const {
        if (rva < headersSize_) {
            start = rva;
            end = std::min<std::size_t>(headersSize_, bytes_.size());
            if (start < end) return;
        }
        for (const Section& s : sections_) {
            const std::uint32_t span = std::max(s.virtualSize, s.rawSize);
            if (rva < s.virtualAddress || rva - s.virtualAddress >= span) continue;
            const std::uint32_t delta = rva - s.virtualAddress;
            const std::size_t rawEnd =
                std::min<std::size_t>(std::size_t{s.rawOffset} + s.rawSize, bytes_.size());
            if (delta >= s.rawSize || std::size_t{s.rawOffset} + delta >= rawEnd) break;
            start = std::size_t{s.rawOffset} + delta;
            end = rawEnd;
            return;
        }
        throw PeError("RVA " + hex(rva) + " lies in no section's file data");
    }

    const Bytes& bytes_;
    std::vector<Section> sections_;
    std::uint32_t headersSize_;
};

// One name table (import lookup table) from `rva` up to its zero entry.
std::vector<ImportedFunction> readThunks(const Image& image, std::uint32_t rva, bool pe32Plus) {
    const std::size_t width = pe32Plus ? 8 : 4;
    const std::uint64_t ordinalFlag = pe32Plus ? 0x8000000000000000ull : 0x80000000ull;
    std::vector<ImportedFunction> functions;
    for (std::uint32_t at = rva;; at += static_cast<std::uint32_t>(width)) {
        if (at < rva) throw PeError("a name table at RVA " + Image::hex(rva) + " has no end");
        const std::uint64_t entry = image.thunk(at, width);
        if (entry == 0) return functions;
        ImportedFunction function;
        if (entry & ordinalFlag) {
            function.ordinal = static_cast<std::uint16_t>(entry & 0xffff);
        } else {
            if (entry > 0x7fffffffull)
                throw PeError("a name table entry " + Image::hex(entry) + " is no RVA");
            const auto hintAt = static_cast<std::uint32_t>(entry);
            image.u16(hintAt);  // the hint, which the loader only uses as a first guess
            function.name = image.name(hintAt + 2);
        }
        functions.push_back(std::move(function));
    }
}

void readImports(const Image& image, std::uint32_t rva, bool pe32Plus, std::vector<ImportedDll>& out) {
    for (std::uint32_t at = rva;; at += kImportDescriptorSize) {
        if (at < rva) throw PeError("the import directory has no end");
        image.offsetOf(at, kImportDescriptorSize);
        const std::uint32_t nameTable = image.u32(at);
        const std::uint32_t timeStamp = image.u32(at + 4);
        const std::uint32_t dllName = image.u32(at + 12);
        const std::uint32_t addressTable = image.u32(at + 16);
        if (dllName == 0 && addressTable == 0) return;
        ImportedDll dll;
        dll.name = image.name(dllName);
        // A bound import's address table holds addresses, not names: only its name table tells.
        dll.bound = timeStamp != 0;
        if (nameTable == 0 && dll.bound) {
            throw PeError(dll.name + " is bound and has no name table: its imports cannot be read");
        }
        dll.functions = readThunks(image, nameTable != 0 ? nameTable : addressTable, pe32Plus);
        out.push_back(std::move(dll));
    }
}

void readDelayImports(const Image& image, std::uint32_t rva, bool pe32Plus, std::uint64_t imageBase,
                      std::vector<ImportedDll>& out) {
    for (std::uint32_t at = rva;; at += kDelayDescriptorSize) {
        if (at < rva) throw PeError("the delay import directory has no end");
        image.offsetOf(at, kDelayDescriptorSize);
        const std::uint32_t attributes = image.u32(at);
        std::uint32_t dllName = image.u32(at + 4);
        std::uint32_t nameTable = image.u32(at + 16);
        if (dllName == 0) return;
        // Old linkers wrote virtual addresses here instead of RVAs (attribute bit 0 clear).
        if ((attributes & 1) == 0) {
            if (dllName < imageBase || nameTable < imageBase) {
                throw PeError("a delay import descriptor holds addresses below the image base");
            }
            dllName = static_cast<std::uint32_t>(dllName - imageBase);
            nameTable = static_cast<std::uint32_t>(nameTable - imageBase);
        }
        ImportedDll dll;
        dll.name = image.name(dllName);
        dll.delayLoaded = true;
        if (nameTable == 0) throw PeError("the delay-loaded " + dll.name + " has no name table");
        dll.functions = readThunks(image, nameTable, pe32Plus);
        out.push_back(std::move(dll));
    }
}

}  // namespace

PeImage readPeImage(std::span<const std::uint8_t> data) {
    const Bytes bytes(data);
    if (bytes.size() < 64 || bytes.u16(0) != 0x5a4d) throw PeError("no MZ header: not a Windows executable");
    const std::size_t pe = bytes.u32(0x3c);
    if (bytes.u32(pe) != 0x00004550) throw PeError("no PE signature at " + std::to_string(pe));

    PeImage image;
    const std::size_t coff = pe + 4;
    image.machine = bytes.u16(coff);
    const std::uint16_t sectionCount = bytes.u16(coff + 2);
    const std::uint16_t optionalSize = bytes.u16(coff + 16);
    const std::size_t opt = coff + 20;
    const std::uint16_t magic = bytes.u16(opt);
    if (magic != kMagicPe32 && magic != kMagicPe32Plus) {
        throw PeError("unknown optional header magic " + Image::hex(magic));
    }
    image.pe32Plus = magic == kMagicPe32Plus;
    const std::uint64_t imageBase = image.pe32Plus ? bytes.get(opt + 24, 8) : bytes.u32(opt + 28);
    image.osMajor = bytes.u16(opt + 40);
    image.osMinor = bytes.u16(opt + 42);
    image.subsystemMajor = bytes.u16(opt + 48);
    image.subsystemMinor = bytes.u16(opt + 50);
    const std::uint32_t headersSize = bytes.u32(opt + 60);
    image.subsystem = bytes.u16(opt + 68);
    const std::size_t countAt = opt + (image.pe32Plus ? 108 : 92);
    const std::uint32_t directoryCount = bytes.u32(countAt);
    if (countAt + 4 + std::size_t{std::min<std::uint32_t>(directoryCount, 16)} * 8 > opt + optionalSize) {
        throw PeError("the data directories do not fit in the optional header");
    }

    std::vector<Section> sections;
    for (std::size_t i = 0, at = opt + optionalSize; i < sectionCount; ++i, at += 40) {
        const Section s{bytes.u32(at + 12), bytes.u32(at + 8), bytes.u32(at + 20), bytes.u32(at + 16)};
        // The loader refuses an image whose section data the file does not hold.
        if (std::size_t{s.rawOffset} + s.rawSize > bytes.size()) {
            throw PeError("section " + std::to_string(i + 1) + " runs past the end of the file");
        }
        sections.push_back(s);
    }
    const Image mapped(bytes, std::move(sections), headersSize);
    const auto directory = [&](std::size_t index) -> std::uint32_t {
        return index < directoryCount ? bytes.u32(countAt + 4 + index * 8) : 0;
    };
    if (const std::uint32_t rva = directory(kImportDirectory)) {
        readImports(mapped, rva, image.pe32Plus, image.imports);
    }
    if (const std::uint32_t rva = directory(kDelayImportDirectory)) {
        readDelayImports(mapped, rva, image.pe32Plus, imageBase, image.imports);
    }
    return image;
}

PeImage readPeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw PeError("cannot open " + path.string());
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    if (in.bad()) throw PeError("cannot read " + path.string());
    return readPeImage(bytes);
}

}  // namespace xpcheck

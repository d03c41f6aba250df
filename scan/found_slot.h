#pragma once
// The four found-file slots. Each holds its label's own name until the scanner writes a path
// into it; a slot that still holds its name means nothing of its kind was found.

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace quillmere {

enum class FoundSlot {
    Label2,  // install.ini
    Label3,  // C2 INF
    Label4,  // CX INF
    Label5,  // setup program
};

inline constexpr std::array<FoundSlot, 4> kFoundSlots = {FoundSlot::Label2, FoundSlot::Label3,
                                                         FoundSlot::Label4, FoundSlot::Label5};

// "Label2" .. "Label5": the text a slot starts with.
constexpr std::string_view placeholderText(FoundSlot slot) {
    switch (slot) {
        case FoundSlot::Label2:
            return "Label2";
        case FoundSlot::Label3:
            return "Label3";
        case FoundSlot::Label4:
            return "Label4";
        case FoundSlot::Label5:
            return "Label5";
    }
    return {};
}

// The four slots' texts, each starting as its placeholder. Every host keeps its slots in one.
class FoundSlots {
  public:
    FoundSlots() {
        for (FoundSlot slot : kFoundSlots) texts_[indexOf(slot)] = std::string(placeholderText(slot));
    }

    const std::string& text(FoundSlot slot) const { return texts_[indexOf(slot)]; }
    void set(FoundSlot slot, std::string text) { texts_[indexOf(slot)] = std::move(text); }
    // Whether the slot holds a path: anything but its own placeholder, compared byte for byte.
    bool found(FoundSlot slot) const { return text(slot) != placeholderText(slot); }

  private:
    static std::size_t indexOf(FoundSlot slot) { return static_cast<std::size_t>(slot); }

    std::array<std::string, 4> texts_;
};

}  // namespace quillmere

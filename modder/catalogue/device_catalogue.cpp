#include "device_catalogue.h"

#include "section_content.h"

namespace quillmere {

namespace {

using enum ChipFamily;

// clang-format off
constexpr DeviceCatalogue kCatalogue = {{
    // #  Display name                  Family    Device ID
    /* 1*/ {"Mobility Fire GL 9000",     M9,      "4C64"},
    /* 2*/ {"Mobility Radeon 9000",      M9,      "4C66"},
    /* 3*/ {"Mobility Radeon 9000",      M9,      "4C65"},
    /* 4*/ {"Mobility Radeon 9000",      M9,      "4C67"},
    /* 5*/ {"Radeon Mobility",           M6,      "4C59"},
    /* 6*/ {"Radeon Mobility",           M6,      "4C5A"},
    /* 7*/ {"Radeon Mobility 7500",      M7,      "4C57"},
    /* 8*/ {"Radeon Mobility 7800 GL",   M7,      "4C58"},
    /* 9*/ {"Radeon IGP 340M",           RS200M,  "4337"},
    /*10*/ {"Radeon IGP 345M",           RS200M,  "4337"},
    /*11*/ {"Radeon IGP 320M",           U1,      "4136"},
    /*12*/ {"Radeon IGP 320M",           U1,      "4336"},
    /*13*/ {"Radeon Mobility 9600",      M10,     "4E50"},
    /*14*/ {"Radeon Mobility 9600",      M10,     "4E52"},
    /*15*/ {"Radeon Mobility 9200",      M9,      "5C63"},
    /*16*/ {"Radeon Mobility 9200",      M9,      "5C61"},
    /*17*/ {"ATI MOBILITY FIRE GL T2",   M10,     "4E50"},
    /*18*/ {"ATI MOBILITY FIRE GL T2 ",  M10plus, "4E54"},
}};
// clang-format on

}  // namespace

const DeviceCatalogue& deviceCatalogue() {
    return kCatalogue;
}

std::string buildManufacturerContent() {
    std::string content;
    for (const DeviceEntry& entry : kCatalogue) {
        content += '"';
        content += entry.displayName;
        content += "\"= ";
        content += familyStem(entry.family);
        content += ", PCI\\VEN_1002&DEV_";
        content += entry.deviceId;
        content += ' ';
        content += kCrLf;
    }
    return content;
}

}  // namespace quillmere

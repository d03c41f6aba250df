#include "services_section.h"

#include "section_content.h"

namespace quillmere {

std::string buildServicesContent(ChipFamily /*family*/) {
    // The hot-key poller's flags field is empty and its line ends with a blank; both are kept.
    return buildSectionContent(
        {
            "AddService = ati2mtag, 0x00000002, ati2mtag_Service_Inst, ati2mtag_EventLog_Inst",
            "AddService = Ati HotKey Poller,, Ati2evxx_Generic_Service_Inst, Ati2evxx_EventLog_Inst ",
        },
        kCrLf);
}

}  // namespace quillmere

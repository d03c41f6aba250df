#include "hidden_controls.h"

#include "layout.h"

namespace quillmere::ui::common {

HiddenControls::HiddenControls() : label1_(form1Control("Label1").text) {}

void HiddenControls::addFoundFile(std::string path, std::string sizeText) {
    list1_.push_back(std::move(path));
    list2_.push_back(std::move(sizeText));
}

}  // namespace quillmere::ui::common

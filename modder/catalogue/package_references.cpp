#include "package_references.h"

namespace quillmere {

const std::array<std::string_view, 22> kReferencedSections = {
    "ati2mtag.Miniport",
    "ati2mtag.Display",
    "ati2mtag.OpenGL",
    "ati2mtag.Desktop",
    "Uninstall.CopyFiles",
    "DVCR.CopyCodec",
    "Uninstall.AddReg",
    "ati2mtag.DelReg",
    "DVCR.UpdateIni",
    "ati2mtag_SoftwareDesktopSettings",
    "ati2mtag_SoftwareDeviceSettings",
    "atioglxx_OpenGLSoftwareSettings",
    "FGL_OGLSoftwareSettings",
    "ati2mtag_M10GL_SoftwareDeviceSettings",
    "ati2mtag_RemoveService",
    "ati2mtag_Service_Inst",
    "ati2mtag_EventLog_Inst",
    "Ati2evxx_Generic_Service_Inst",
    "Ati2evxx_EventLog_Inst",
    "ati2mtag_RemoveDeviceSettings",
    "ati2mtag_LargeDesktopSettings",
    "ati2mtag_MobileLargeDesktopSettings",
};

const std::array<std::string_view, 2> kReferencedFiles = {"msdv.inf", "FGL_OGL.sys"};

}  // namespace quillmere

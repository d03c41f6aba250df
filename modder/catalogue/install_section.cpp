#include "install_section.h"

#include <array>
#include <string_view>
#include <vector>

#include "section_content.h"

namespace quillmere {

namespace {

// clang-format off
enum Label { I1 = 1, I2, I3, I4, I5, I6, I7, I8, I9, I10, I11, I12, I13, I14, I15, I16, I17, I18, I19, I20, I21, I22 };
// clang-format on

using Line = LabelledLine<Label>;

// Semicolons and the blanks around '=' and after commas differ from line to line; they belong to
// the written text and are kept exactly.
// clang-format off
constexpr std::array<Line, 22> kLines = {{
    {I1,  "Include = msdv.inf"},
    {I2,  "CopyFiles=ati2mtag.Miniport, ati2mtag.Display, ati2mtag.OpenGL, ati2mtag.Desktop, Uninstall.CopyFiles, DVCR.CopyCodec"},
    {I3,  "CopyFiles=ati2mtag.Miniport, ati2mtag.Display, ati2mtag.OpenGL, ati2mtag.Desktop, Uninstall.CopyFiles ;, DVCR.CopyCodec"},
    {I4,  "CopyFiles=ati2mtag.Miniport, ati2mtag.Display, ati2mtag.Desktop, Uninstall.CopyFiles ;, DVCR.CopyCodec"},
    {I5,  "CopyFiles=ati2mtag.Miniport, ati2mtag.Display, ati2mtag.OpenGL, ati2mtag.Desktop, Uninstall.CopyFiles;,DVCR.CopyCodec"},
    {I6,  "AddReg = Uninstall.AddReg"},
    {I7,  "DelReg = ati2mtag.DelReg"},
    {I8,  "UpdateInis = DVCR.UpdateIni"},
    {I9,  "UpdateInis=DVCR.UpdateIni"},
    {I10, "UninstallFiles=ati2mtag.Desktop, Uninstall.CopyFiles"},
    {I11, "UninstallReg=Uninstall.AddReg, ati2mtag_SoftwareDesktopSettings"},
    {I12, "CleanFiles=ati2mtag.Miniport, ati2mtag.Display, ati2mtag.OpenGL"},
    {I13, "CleanFiles=ati2mtag.Miniport, ati2mtag.Display, FGL_OGL.sys"},
    {I14, "CleanReg=ati2mtag_SoftwareDeviceSettings, ati2mtag_M6_SoftwareDeviceSettings, atioglxx_OpenGLSoftwareSettings"},
    {I15, "CleanReg=ati2mtag_SoftwareDeviceSettings, ati2mtag_M7_SoftwareDeviceSettings, atioglxx_OpenGLSoftwareSettings"},
    {I16, "CleanReg=ati2mtag_SoftwareDeviceSettings, ati2mtag_M9_SoftwareDeviceSettings, atioglxx_OpenGLSoftwareSettings"},
    {I17, "CleanReg=ati2mtag_SoftwareDeviceSettings, ati2mtag_M9plus_SoftwareDeviceSettings, atioglxx_OpenGLSoftwareSettings"},
    {I18, "CleanReg=ati2mtag_SoftwareDeviceSettings, ati2mtag_M10GL_SoftwareDeviceSettings, FGL_OGLSoftwareSettings"},
    {I19, "CleanReg=ati2mtag_SoftwareDeviceSettings, ati2mtag_M10_SoftwareDeviceSettings, atioglxx_OpenGLSoftwareSettings"},
    {I20, "CleanReg=ati2mtag_SoftwareDeviceSettings, ati2mtag_RS200M_SoftwareDeviceSettings, atioglxx_OpenGLSoftwareSettings"},
    {I21, "CleanReg=ati2mtag_SoftwareDeviceSettings, ati2mtag_U1_SoftwareDeviceSettings,atioglxx_OpenGLSoftwareSettings"},
    {I22, "CleanService = ati2mtag_RemoveService"},
}};
// clang-format on

static_assert(labelsInOrder(kLines), "kLines is indexed by label");

std::vector<Label> linesOf(ChipFamily family) {
    switch (family) {
        // clang-format off
        case ChipFamily::M6:      return {I1, I2, I6, I7, I8, I10, I11, I12, I14, I22};
        case ChipFamily::M7:      return {I1, I2, I6, I7, I8, I10, I11, I12, I15, I22};
        case ChipFamily::M9:      return {I1, I2, I6, I7, I8, I10, I11, I12, I16, I22};
        case ChipFamily::M9plus:  return {I1, I2, I6, I7, I8, I10, I11, I12, I17, I22};
        case ChipFamily::M10:     return {I1, I3, I6,     I8, I10, I11, I13, I18, I22};
        case ChipFamily::M10plus: return {I1, I4, I6,     I8, I10, I11, I12, I19, I22};
        case ChipFamily::RS200M:  return {I1, I5, I6,     I9, I10, I11, I12, I20, I22};
        case ChipFamily::U1:      return {I1, I5, I6,     I9, I10, I11, I12, I21, I22};
            // clang-format on
    }
    return {};
}

}  // namespace

std::string buildInstallContent(ChipFamily family) {
    return buildLabelledContent(kLines, linesOf(family), kCrLf);
}

}  // namespace quillmere

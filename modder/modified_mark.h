#pragma once
// How a run tells a package it has already modded: the C2 INF's [ATI.Mfg] begins as the content
// the run writes there. Only the first three characters of the section, as an 8-bit read into the
// run's 1024-character buffer gives them, are compared, letter case counting.

#include <string_view>

#include "profile_encoding.h"

namespace quillmere {

// `manufacturerContent`: the [ATI.Mfg] content the run writes (buildManufacturerContent).
bool isAlreadyModified(const profile::DecodedProfile& c2Inf, std::string_view manufacturerContent);

}  // namespace quillmere

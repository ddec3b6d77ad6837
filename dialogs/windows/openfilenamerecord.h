#pragma once

// The system dialogs' record on Windows: the common dialog library's own.

#ifndef NOMINMAX
#define NOMINMAX // keeps std::min and std::max usable
#endif
#include <windows.h>

#include <commdlg.h>

#include <cstddef>
#include <cstdint>

namespace mosaikon {

using OPENFILENAMEA = ::OPENFILENAMEA;

// The record without the fields Windows 2000 added (OPENFILENAME_SIZE_VERSION_400A): 76 bytes on
// 32-bit Windows, the same twenty fields laid out for 64-bit pointers here. Spelt out, since the
// library's macro is no constant expression.
inline constexpr std::uint32_t OpenFileNameSize =
    offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName);

} // namespace mosaikon

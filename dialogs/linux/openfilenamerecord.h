#pragma once

// The system dialogs' record where the platform has none: Mosaikon's own, field for field in the
// same order and of the same kinds as the common dialog library's, realised by a Qt file dialog
// (systemdialogs.cpp).

#include <cstdint>

namespace mosaikon {

using OfnHookProc = std::uintptr_t (*)(void *, std::uint32_t, std::uintptr_t, std::intptr_t);

// The platform's record in its 76-byte form: twenty fields, nothing after lpTemplateName.
// Text fields are pointers only; whoever fills the record owns the texts and their lengths.
struct OPENFILENAMEA {
    std::uint32_t lStructSize;
    void *hwndOwner;
    void *hInstance;
    const char *lpstrFilter;
    char *lpstrCustomFilter;
    std::uint32_t nMaxCustFilter;
    std::uint32_t nFilterIndex;
    char *lpstrFile;
    std::uint32_t nMaxFile;
    char *lpstrFileTitle;
    std::uint32_t nMaxFileTitle;
    const char *lpstrInitialDir;
    const char *lpstrTitle;
    std::uint32_t Flags;
    std::uint16_t nFileOffset;
    std::uint16_t nFileExtension;
    const char *lpstrDefExt;
    std::intptr_t lCustData;
    OfnHookProc lpfnHook;
    const char *lpTemplateName;
};

// The value lStructSize carries: the size of the record's 32-bit form.
inline constexpr std::uint32_t OpenFileNameSize = 76;

// Option bit: the save dialog asks before it lets the user pick a file that exists.
inline constexpr std::uint32_t OFN_OVERWRITEPROMPT = 0x2;

} // namespace mosaikon

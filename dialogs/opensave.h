#pragma once

// OpenSave puts the system's open-file and save-file dialogs behind properties. Set what matters
// (Filter, InitDir, DialogTitle, FileName, MaxFileSize, Flags, ...), call ShowOpen or ShowSave,
// then read the choice back (FileName, FileTitle, FileExt, FilterIndex, Flags).
//
// Every property is one stored value of a fixed width; setters accept any value of that width
// and check nothing. Texts are counted and may hold NUL characters; setters store a copy and
// getters return one. The object holds nothing between calls but these values.
//
// On creation: CancelError 0, DefaultExt/DialogTitle/FileName/FileTitle "", Filter
// "SNES|*.smc;*.swc;*.fig|All Files (*.*)|*.*", FilterIndex 1, Flags 0, InitDir the folder of
// the program's executable, MaxFileSize 260, hWnd 0 (no owner window), FileExt 0.
//
// Errors are thrown as mosaikon::Error. Used on the window thread only.

#include <QString>

#include <cstdint>

namespace mosaikon {

class DialogRecord;

class OpenSave {
public:
    // Source and description of the error raised for a cancel when CancelError is set.
    static constexpr const char *CancelSource = "Run-time error";
    static constexpr const char *CancelDescription = "Cancel was selected";

    OpenSave();

    // Position of the extension in the chosen path, counted in characters from 0; 0 when it has
    // none.
    void setFileExt(std::int16_t value) { fileExt_ = value; }
    std::int16_t FileExt() const { return fileExt_; }

    // Native id of the dialog's owner window; 0: no owner, every window stays usable meanwhile.
    void sethWnd(std::int32_t value) { hWnd_ = value; }
    std::int32_t hWnd() const { return hWnd_; }

    // Show the save-file (open-file) dialog and block until the user closes it; meanwhile the
    // window thread keeps handling events. On a confirmed choice the results are written back
    // in this order: Flags, DefaultExt, FileName (the whole file name buffer, MaxFileSize + 1
    // characters: the path, a NUL, and whatever of the buffer lies behind it), FileTitle (the
    // name, a NUL, then the previous FileTitle's tail), FileExt, Filter, InitDir, FilterIndex;
    // texts lose spaces at both ends, never NULs. DialogTitle, hWnd, MaxFileSize and CancelError
    // are never written, and InitDir does not follow the folder the user moved to.
    // Raises:
    // - InvalidProcedureCall before any dialog when FileName is longer than MaxFileSize + 1;
    // - CancelWasSelected (CancelSource, CancelDescription) when the dialog returns no choice
    //   and CancelError is non-zero; with CancelError 0 such a call returns quietly. Either way
    //   no property changes;
    // - Overflow when the dialog's filter number does not fit 16 bits; the results before
    //   FilterIndex are written by then.
    void ShowSave();
    void ShowOpen();

    // The dialog's room for the chosen path and its NUL, in bytes of the 8-bit text it sees
    // (the file name buffer holds MaxFileSize + 1 characters). The dialog refuses a longer path
    // and stays open; a value below 2 leaves room for none, so it can only be cancelled.
    void setMaxFileSize(std::int16_t value) { maxFileSize_ = value; }
    std::int16_t MaxFileSize() const { return maxFileSize_; }

    void setInitDir(const QString &value) { initDir_ = value; }
    QString InitDir() const { return initDir_; }

    void setFlags(std::int32_t value) { flags_ = value; }
    std::int32_t Flags() const { return flags_; }

    // Takes and returns the user form; stores the dialog form (filterforms.h).
    void setFilter(const QString &value);
    QString Filter() const;

    // 1-based number of the filter pair shown first, and after a choice the pair in use.
    void setFilterIndex(std::int16_t value) { filterIndex_ = value; }
    std::int16_t FilterIndex() const { return filterIndex_; }

    void setFileTitle(const QString &value) { fileTitle_ = value; }
    QString FileTitle() const { return fileTitle_; }

    void setFileName(const QString &value) { fileName_ = value; }
    QString FileName() const { return fileName_; }

    void setDialogTitle(const QString &value) { dialogTitle_ = value; }
    QString DialogTitle() const { return dialogTitle_; }

    void setDefaultExt(const QString &value) { defaultExt_ = value; }
    QString DefaultExt() const { return defaultExt_; }

    // Zero: a cancelled dialog returns quietly; any other value: it raises CancelWasSelected.
    void setCancelError(std::int16_t value) { cancelError_ = value; }
    std::int16_t CancelError() const { return cancelError_; }

private:
    enum class DialogKind { Open, Save };

    void show(DialogKind kind);
    void writeBack(DialogRecord &record);

    std::int16_t cancelError_ = 0;
    QString defaultExt_;
    QString dialogTitle_;
    QString fileName_;
    QString fileTitle_;
    std::int16_t filterIndex_ = 0;
    QString filter_;
    std::int32_t flags_ = 0;
    QString initDir_;
    std::int16_t maxFileSize_ = 0;
    std::int32_t hWnd_ = 0;
    std::int16_t fileExt_ = 0;
};

} // namespace mosaikon

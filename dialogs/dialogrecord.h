#pragma once

// A dialog record filled for one call, with the 8-bit texts it points into. The texts live as
// long as the object, so they are released on every way out of the call, error or not.

#include "openfilename.h"

#include <QString>

#include <cstdint>
#include <string>

namespace mosaikon {

class DialogRecord {
public:
    // What goes into the record, in OpenSave's own terms. `filter` is in dialog form.
    struct Request {
        std::int32_t owner = 0;
        QString filter{};
        std::int16_t filterIndex = 1;
        QString fileName{};
        std::int16_t maxFileSize = MaxPath;
        QString fileTitle{};
        QString initDir{};
        QString title{};
        std::int32_t flags = 0;
        QString defaultExt{};
    };

    // The room declared to the dialog for the file's name without its folder.
    static constexpr std::uint32_t TitleRoom = MaxPath;

    // Builds the file name buffer (`fileName` padded with NULs to `maxFileSize` + 1 characters)
    // and the title buffer (`fileTitle` and at least 256 spaces, never less than TitleRoom bytes),
    // converts every text to 8-bit text and fills the record. Raises InvalidProcedureCall when
    // `fileName` is longer than `maxFileSize` + 1 characters.
    //
    // Every buffer also holds a NUL behind its text, so a text sent without one still ends for
    // the dialog. nMaxFile is `maxFileSize` but never more than the file name buffer's length
    // less one, and never below 0: the dialog is never told of more room than there is.
    explicit DialogRecord(const Request &request);

    DialogRecord(const DialogRecord &) = delete;
    DialogRecord &operator=(const DialogRecord &) = delete;

    OPENFILENAMEA *record() { return &record_; }

    // The texts as they are now, each converted back over the whole length it was sent with.
    QString filter() const { return backFrom(filter_); }
    // The file name buffer comes back as MaxFileSize + 1 characters, the length it was sent with,
    // however many bytes its characters take (see fileName in the source).
    QString fileName() const;
    QString fileTitle() const { return backFrom(fileTitle_); }
    QString initDir() const { return backFrom(initDir_); }
    QString defaultExt() const { return backFrom(defaultExt_); }

private:
    static QString backFrom(const std::string &text);

    std::string filter_;
    std::string file_;
    qsizetype fileLength_; // characters of the file name buffer as it was sent
    std::string fileTitle_;
    std::string initDir_;
    std::string title_;
    std::string defaultExt_;
    std::string templateName_ = "0";
    OPENFILENAMEA record_{};
};

} // namespace mosaikon

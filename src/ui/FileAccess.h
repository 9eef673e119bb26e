#pragma once

#include "history/History.h"

namespace ui {

// What a page needs of the window to read and write the open file safely.
class FileAccess {
  public:
    enum class Outcome {
        Written,  // the record is in the file, synced and recorded
        Failed,   // the disk refused part way; the user was told
        Conflict, // another program changed the record since it was shown: nothing written
        Refused,  // the open file is no longer the file at its path: nothing written, and
                  // the window has opened the file again or closed it
    };

    // Before a record is shown: false when the open file is no longer the file at its
    // path, which the window has then dealt with.
    virtual bool stillSameFile() = 0;
    // Writes the spans of an edit of `record` through the checks of the file layer.
    virtual Outcome commit(const history::RecordRef& record, const QList<rom::Span>& spans) = 0;

  protected:
    ~FileAccess() = default;
};

} // namespace ui

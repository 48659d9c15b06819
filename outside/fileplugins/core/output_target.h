// Where a document's bytes go while it is written: a place that becomes the named file only
// when the document is complete, so a failed write never leaves a file that looks finished
// (nor loses the file that was there). The Windows plug-ins write a file beside the target;
// tests keep the bytes in memory.
#pragma once
#include <string>

#include "plugin_status.h"
#include "stream.h"

namespace fileplugins {

class OutputTarget {
 public:
  virtual ~OutputTarget() = default;
  // Starts new contents for the file `name`; the stream stays valid until Commit or Discard.
  virtual PluginStatus Open(const std::string& name) = 0;
  virtual const imagecore::Stream* Out() = 0;
  // Makes the contents the named file, replacing one that is there. Refused when any write
  // to the stream failed.
  virtual PluginStatus Commit() = 0;
  // Drops the contents; the named file is left as it was.
  virtual void Discard() = 0;
  // Makes the first `length` bytes the named file whatever failed after them: a document
  // whose later page could not be written keeps the pages before it.
  virtual PluginStatus CommitFirst(int64_t length) {
    (void)length;
    Discard();
    return kPluginWriteFailed;
  }
};

// The longest file name taken: room is left for the name of the file written beside it.
constexpr size_t kMaxFileName = 255;

}  // namespace fileplugins

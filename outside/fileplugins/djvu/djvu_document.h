// DjVu documents through DjVuLibre: black and white pages as JB2, gray and colour pages as
// IW44; one page is a single-page file, more pages a bundled document.
#pragma once
#include <memory>

#include "document_writer.h"

namespace fileplugins {

std::unique_ptr<DocumentWriter> MakeDjvuWriter();

}  // namespace fileplugins

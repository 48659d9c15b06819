// The viewer as the program makes it: reading and scaling through the imaging library.
#include "pictorel_imaging_port.h"
#include "qm_document_image.h"

namespace qm {

QmDocumentImage::QmDocumentImage()
    : ownedImaging_(std::make_unique<PictorelImagingPort>(this, &QmDocumentImage::ProgressCallback)),
      imaging_(*ownedImaging_),
      doc_(imaging_, *this) {
  Construct();
}

}  // namespace qm

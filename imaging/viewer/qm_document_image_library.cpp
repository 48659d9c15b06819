// The viewer as the program makes it: reading and scaling through the imaging library.
#include "pictorel_annotation_port.h"
#include "pictorel_imaging_port.h"
#include "qm_docu_dib.h"
#include "qm_document_image.h"

namespace qm {

QmDocumentImage::QmDocumentImage()
    : ownedImaging_(std::make_unique<PictorelImagingPort>(this, &QmDocumentImage::ProgressCallback)),
      imaging_(*ownedImaging_),
      doc_(imaging_, *this),
      ownedAnnotationPort_(std::make_unique<PictorelAnnotationPort>()),
      annotations_(*this, ownedAnnotationPort_.get()) {
  Construct();
  // The holder's rule: 16-colour pages take the system's first and last eight colours.
  makePalette_ = [](const BITMAPINFOHEADER* h) { return QmDocuDib().MakePalette(h); };
}

}  // namespace qm

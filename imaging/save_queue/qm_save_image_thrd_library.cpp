// The queue as the program makes it: every job goes through the imaging library's dispatcher.
#include "qm_save_image_thrd.h"
#include "save_image_file.h"

namespace qm {

QmSaveImageThrd::QmSaveImageThrd(void* owner) : QmSaveImageThrd(owner, &::SaveImageFile) {}

}  // namespace qm

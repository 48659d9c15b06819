#include "djvu_page_render.h"

#include "libdjvu/ddjvuapi.h"

namespace fileplugins {

namespace {

// DjVuLibre decodes on threads of its own and reports through its message queue.
void Drain(ddjvu_context_t* context, bool wait) {
  if (wait) ddjvu_message_wait(context);
  while (ddjvu_message_peek(context)) ddjvu_message_pop(context);
}

}  // namespace

bool RenderDjvuPage(const std::string& path, imagecore::Image& image) {
  image = imagecore::Image{};
  ddjvu_context_t* context = ddjvu_context_create("FileDjvu");
  if (!context) return false;
  bool ok = false;
  ddjvu_document_t* document = ddjvu_document_create_by_filename_utf8(context, path.c_str(), 0);
  if (document) {
    while (!ddjvu_document_decoding_done(document)) Drain(context, true);
    ddjvu_page_t* page = ddjvu_document_decoding_error(document)
                             ? nullptr
                             : ddjvu_page_create_by_pageno(document, 0);
    if (page) {
      while (!ddjvu_page_decoding_done(page)) Drain(context, true);
      const int width = ddjvu_page_get_width(page), height = ddjvu_page_get_height(page);
      if (!ddjvu_page_decoding_error(page) && width > 0 && height > 0 &&
          imagecore::Allocate(image, uint32_t(width), uint32_t(height), 8)) {
        ddjvu_rect_t rect = {0, 0, unsigned(width), unsigned(height)};
        ddjvu_format_t* format = ddjvu_format_create(DDJVU_FORMAT_GREY8, 0, nullptr);
        ddjvu_format_set_row_order(format, 1);
        ok = ddjvu_page_render(page, DDJVU_RENDER_COLOR, &rect, &rect, format,
                               static_cast<unsigned long>(image.Stride()),
                               reinterpret_cast<char*>(image.pixels.data())) != 0;
        ddjvu_format_release(format);
        image.xPelsPerMeter = image.yPelsPerMeter = uint32_t(ddjvu_page_get_resolution(page) / 0.0254);
      }
      ddjvu_page_release(page);
    }
    ddjvu_document_release(document);
  }
  Drain(context, false);
  ddjvu_context_release(context);
  if (!ok) image = imagecore::Image{};
  return ok;
}

}  // namespace fileplugins

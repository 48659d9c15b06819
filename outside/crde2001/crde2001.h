// CRDE2001.DLL, the image-file library: its entry points as the bindings call them.
// Results are 16-bit: above 0 success, 0 or below an error code whose text is the string
// resource of that number (as an unsigned 16-bit id) in this library. DIBs come and go as
// movable global blocks; a block the library returns belongs to the caller. Pages count from 0.
#pragma once
#include <windows.h>

#include <cstdint>

// Called with 0 before and 100 after the work; an answer of 0 cancels it.
typedef int16_t(__cdecl* QmProgressProc)(int16_t progress, void* sender);
// Called once per tag; a value of 5 bytes or more comes as text in the block data, which the
// callback takes over. An answer of 0 stops the enumeration.
typedef int16_t(__cdecl* QmTagProc)(uint16_t tag, int16_t length, int32_t value, HGLOBAL data,
                                    void* sender);

extern "C" {
// File information
int16_t __stdcall fileinfo(const char* file, char* format /*6*/, uint16_t* width, uint16_t* height,
                           int16_t* bits, int16_t* reserved1, int16_t* reserved2,
                           char* description /*26*/, int16_t zero);
int16_t __stdcall getinfo(const char* file, int16_t page, uint16_t* width, uint16_t* height,
                          int16_t* compression, int16_t* discarded, int16_t* pages, int16_t* bits);
int16_t __stdcall getinfostream(const void* data, int32_t size, int16_t page, uint16_t* width,
                                uint16_t* height, int16_t* compression, int16_t* discarded,
                                int16_t* pages, int16_t* bits);

// Readers: bits is the depth wanted (0 as stored), dither a 0/1 flag.
int16_t __stdcall rdbmpfiledib(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                               void* unused, void* sender, QmProgressProc progress, int16_t zero);
int16_t __stdcall rdpngfiledib(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                               void* unused, void* sender, QmProgressProc progress, int16_t zero);
int16_t __stdcall rdpcxfiledib(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                               void* unused, void* sender, QmProgressProc progress, int16_t zero);
int16_t __stdcall rdgiffiledib(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                               void* unused, void* sender, QmProgressProc progress, int16_t zero);
int16_t __stdcall rdjpgfiledib(const char* file, int16_t bits, int16_t one, int16_t dither,
                               HGLOBAL* dib, void* unused, void* sender, QmProgressProc progress,
                               int16_t zero);
int16_t __stdcall readpcdfiledib(const char* file, int16_t bits, int16_t dither, int16_t step,
                                 HGLOBAL* dib, void* sender, QmProgressProc progress, int16_t zero);
int16_t __stdcall readtgafiledib(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                                 void* sender, QmProgressProc progress, int16_t zero);
int16_t __stdcall readtiffiledib(const char* file, int16_t bits, int16_t dither, int16_t page,
                                 HGLOBAL* dib, void* sender, QmProgressProc progress, int16_t zero);
int16_t __stdcall readtiffiledibstream(const void* data, int32_t size, int16_t bits, int16_t dither,
                                       int16_t page, HGLOBAL* dib, void* sender,
                                       QmProgressProc progress, int16_t zero);

// Writers: bits is the depth to write (0 as held).
int16_t __stdcall wrbmpfiledib(const char* file, int16_t bits, HGLOBAL dib, void* sender,
                               QmProgressProc progress, int16_t zero);
int16_t __stdcall wrpcxfiledib(const char* file, int16_t bits, HGLOBAL dib, void* sender,
                               QmProgressProc progress, int16_t zero);
int16_t __stdcall wrgiffiledib(const char* file, int16_t bits, HGLOBAL dib, void* sender,
                               QmProgressProc progress, int16_t zero);
int16_t __stdcall writetgafiledib(const char* file, int16_t bits, int16_t reserved1,
                                  int16_t reserved2, HGLOBAL dib, void* sender,
                                  QmProgressProc progress, int16_t zero);
int16_t __stdcall wrpngfiledib(const char* file, int16_t bits, int16_t interlace, HGLOBAL dib,
                               void* sender, QmProgressProc progress, int16_t zero);
// quality 1..100, smoothing 0..100
int16_t __stdcall wrjpgfiledib(const char* file, int32_t quality, int32_t smoothing, int16_t bits,
                               HGLOBAL dib, void* sender, QmProgressProc progress, int16_t zero);
// append 1 adds a page to the file (making it when absent), 0 writes a new file.
int16_t __stdcall writetiffiledib(const char* file, int16_t compression, int16_t bits,
                                  int16_t append, HGLOBAL dib, void* sender,
                                  QmProgressProc progress, int16_t zero);
int16_t __stdcall writetiffiledibpage(const char* file, int16_t compression, int16_t bits,
                                      int16_t page, HGLOBAL dib, void* sender,
                                      QmProgressProc progress, int16_t zero);
int16_t __stdcall writetiffiledibpagereplace(const char* file, int16_t compression, int16_t bits,
                                             int16_t page, HGLOBAL dib, void* sender,
                                             QmProgressProc progress, int16_t zero);
// The TIFF in block *data (its first *size bytes) gets the page replaced; the result is written
// into the block, which is enlarged (and may move) when it does not fit; *size takes its length.
int16_t __stdcall writetiffiledibpagereplacestream(HGLOBAL* data, int32_t* size,
                                                   int16_t compression, int16_t bits, int16_t page,
                                                   HGLOBAL dib, void* sender,
                                                   QmProgressProc progress, int16_t zero);

// TIFF maintenance and tags
int16_t __stdcall packtiff(const char* file, void* sender, QmProgressProc progress);
int16_t __stdcall packtiffstream(HGLOBAL* data, int32_t* size, void* sender,
                                 QmProgressProc progress);
int16_t __stdcall deletepage(const char* file, int16_t page);
// Rewrites the TIFF in place; the bytes behind the shorter result are zeroed.
int16_t __stdcall deletepagestream(void* data, int32_t size, int16_t page);
// length is the value's size in bytes; from 5 bytes on, *text receives a new block with the
// value as zero-terminated text (the caller frees it), else *value holds it.
int16_t __stdcall readtag(const char* file, int16_t page, uint16_t tag, int16_t* length,
                          int32_t* value, HGLOBAL* text);
int16_t __stdcall readtagstream(const void* data, int32_t size, int16_t page, uint16_t tag,
                                int16_t* length, int32_t* value, HGLOBAL* text);
int16_t __stdcall returntags(const char* file, int16_t page, void* sender, QmTagProc callback);
int16_t __stdcall returntagsstream(const void* data, int32_t size, int16_t page, void* sender,
                                   QmTagProc callback);

// Depth conversions: a new block, or 0; the argument stays with the caller.
HGLOBAL __stdcall CopyDIB(HGLOBAL dib);
HGLOBAL __stdcall DIB1to4(HGLOBAL dib);
HGLOBAL __stdcall DIB1To8(HGLOBAL dib);
HGLOBAL __stdcall DIB1To24(HGLOBAL dib);
HGLOBAL __stdcall DIB4To8(HGLOBAL dib);
HGLOBAL __stdcall DIB4To24(HGLOBAL dib);
HGLOBAL __stdcall DIB16To24(HGLOBAL dib);
HGLOBAL __stdcall DIB32To24(HGLOBAL dib);

// Annotations: per viewer, the rectangles over the page it shows, kept in ".ant" files.
int32_t __stdcall IsAnnotation(void* viewer);
int32_t __stdcall MouseMon(void* viewer, uint32_t message, WPARAM wParam, LPARAM lParam);
int32_t __stdcall InitAnnotation(void* viewer, HWND window, void* owner, void* callback1,
                                 void* callback2, void* callback3, void* callback4,
                                 void* callback5, const char* settingsPath);
int32_t __stdcall DestroyAnnotation(void* viewer);
int32_t __stdcall DrawAnnotationWholeDC(void* viewer, double zoom, int32_t xOffset,
                                        int32_t yOffset, int16_t a, int16_t b, int32_t c, HDC dc);
int32_t __stdcall MenuMsg(void* viewer, int32_t command);
int32_t __stdcall ClearAnnotation(void* viewer);
int32_t __stdcall RubberBandOFF(void* viewer);
int32_t __stdcall LoadAnnotation(void* viewer, int32_t index, const char* file);
int32_t __stdcall SaveAnnotation(void* viewer, int32_t index, const char* file);
int32_t __stdcall StreamSaveAnnotation(void* viewer, int32_t index, void** data);
int32_t __stdcall StreamLoadAnnotation(void* viewer, int32_t index, void* data);
int32_t __stdcall RemoveAnnotation(void* viewer, int32_t index, void* data);
int32_t __stdcall InsertAnnotation(void* viewer, int32_t index, void* data);
}

#define CRDE_PROC_TYPE(name) using name##Proc = decltype(&name)
CRDE_PROC_TYPE(fileinfo); CRDE_PROC_TYPE(getinfo); CRDE_PROC_TYPE(getinfostream);
CRDE_PROC_TYPE(rdbmpfiledib); CRDE_PROC_TYPE(rdjpgfiledib); CRDE_PROC_TYPE(readpcdfiledib);
CRDE_PROC_TYPE(readtgafiledib); CRDE_PROC_TYPE(readtiffiledib); CRDE_PROC_TYPE(readtiffiledibstream);
CRDE_PROC_TYPE(wrbmpfiledib); CRDE_PROC_TYPE(writetgafiledib); CRDE_PROC_TYPE(wrpngfiledib);
CRDE_PROC_TYPE(wrjpgfiledib); CRDE_PROC_TYPE(writetiffiledib);
CRDE_PROC_TYPE(writetiffiledibpagereplacestream); CRDE_PROC_TYPE(packtiff);
CRDE_PROC_TYPE(packtiffstream); CRDE_PROC_TYPE(deletepage); CRDE_PROC_TYPE(deletepagestream);
CRDE_PROC_TYPE(readtag); CRDE_PROC_TYPE(readtagstream); CRDE_PROC_TYPE(returntags);
CRDE_PROC_TYPE(returntagsstream); CRDE_PROC_TYPE(CopyDIB);
CRDE_PROC_TYPE(IsAnnotation); CRDE_PROC_TYPE(MouseMon); CRDE_PROC_TYPE(InitAnnotation);
CRDE_PROC_TYPE(DestroyAnnotation); CRDE_PROC_TYPE(DrawAnnotationWholeDC); CRDE_PROC_TYPE(MenuMsg);
CRDE_PROC_TYPE(ClearAnnotation); CRDE_PROC_TYPE(RubberBandOFF); CRDE_PROC_TYPE(LoadAnnotation);
CRDE_PROC_TYPE(SaveAnnotation); CRDE_PROC_TYPE(StreamSaveAnnotation);
CRDE_PROC_TYPE(StreamLoadAnnotation); CRDE_PROC_TYPE(RemoveAnnotation);
CRDE_PROC_TYPE(InsertAnnotation);
#undef CRDE_PROC_TYPE

// Encoders for PDF image streams. Platform-free.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "pdf_writer.h"

// Rows of the image as the PDF wants them: top row first, tightly packed; 1-bit rows with a set
// bit for black, 24-bit rows in RGB order.
std::vector<uint8_t> PdfRows(const PdfPageImage& image);

// CCITT group 4 of packed 1-bit rows (set bit = black), no byte alignment, as CCITTFaxDecode
// with K -1 reads it.
bool EncodeG4(const std::vector<uint8_t>& rows, int width, int height, std::vector<uint8_t>* out,
              std::string* error);
bool EncodeFlate(const std::vector<uint8_t>& data, std::vector<uint8_t>* out, std::string* error);
// components 1 (gray) or 3 (RGB)
bool EncodeJpeg(const std::vector<uint8_t>& rows, int width, int height, int components, int quality,
                std::vector<uint8_t>* out, std::string* error);

// Image operations: rotation, mirroring, inversion, scaling, scaling to gray, skew measurement.
#pragma once
#include "image.h"
#include "status.h"

namespace imagecore {

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

// The part of an image inside rect (clipped to the image).
Status Crop(const Image& in, const Rect& rect, Image& out);

// Rotates clockwise by degrees, as seen on screen. Multiples of 90 move pixels exactly; other
// angles enlarge the image to hold all of it and fill the corners with fill (the nearest palette
// colour for palette images).
Status Rotate(const Image& in, double degrees, Rgb fill, Image& out);

// Flips in place: topBottom exchanges the rows, leftRight the columns.
void Mirror(Image& image, bool topBottom, bool leftRight);

// Negative in place: gray-ramp and bilevel images invert their pixels, other palette images
// their palette, direct-colour images every channel.
void Invert(Image& image);

// To width x height; 24 bits and more are averaged over the covered area at 24 bits, palette
// images are sampled and keep their depth.
Status Scale(const Image& in, uint32_t width, uint32_t height, Image& out);

// Gray display copies: mode 0 a sampled 1-bit image; 1 to 4 sixteen grays with dark strokes
// strengthened by 8/8, 12/8, 20/8 and 24/8; 5 256 grays strengthened by 24/8; 6 sixteen and
// 7 256 grays, plain area averages.
Status ScaleToGray(const Image& in, int mode, uint32_t width, uint32_t height, Image& out);

// The skew of text lines in degrees, clockwise positive: rotating by minus the result
// straightens them. Pixels darker than grayLevel count as ink; every subsampling-th pixel is
// looked at; candidates run from -range to +range in steps of angleStep; projections are
// binned lineStep pixels high.
Status MeasureSkew(const Image& in, int subsampling, double range, double angleStep,
                   double lineStep, int grayLevel, double& degrees);

}  // namespace imagecore

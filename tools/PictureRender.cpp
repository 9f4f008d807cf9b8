// Draws a picture's missing sizes and scales from its shapes, then holds it to its kind's rules.
#include "tools/PictureRender.h"

#include <algorithm>
#include <string>

#include "tools/BmpWriter.h"

namespace {

bool HasShapes(const Picture& pic) {
  for (const Frame& f : pic.drawn)
    if (!f.shapes.empty() || f.disabled) return true;
  return false;
}

// The bitmap's frames drawn side by side at the scale, each from its shapes or frame 1's emboss.
PixelImage RenderFrames(const Picture& pic, int scale) {
  const int frameW = pic.size->first / pic.frames, frameH = pic.size->second;
  const int w = ScaledPixels(frameW, scale), h = ScaledPixels(frameH, scale);
  PixelImage strip;
  strip.firstLine = pic.shapeLine;
  strip.rows.assign(static_cast<std::size_t>(h), {});
  PixelImage first;
  for (int i = 0; i < pic.frames; ++i) {
    const Frame none;
    const Frame& f = i < static_cast<int>(pic.drawn.size()) ? pic.drawn[static_cast<std::size_t>(i)] : none;
    const PixelImage frame = f.disabled ? Emboss(first, f.face, f.highlight)
                                   : Rasterise(f.shapes, w, h, scale / 100.0, false);
    if (i == 0) first = frame;
    for (int y = 0; y < h; ++y) {
      auto& row = strip.rows[static_cast<std::size_t>(y)];
      row.insert(row.end(), frame.rows[static_cast<std::size_t>(y)].begin(),
                 frame.rows[static_cast<std::size_t>(y)].end());
    }
  }
  return strip;
}

}  // namespace

void RenderPicture(Picture& pic, int scale) {
  const int at = pic.shapeLine ? pic.shapeLine : 1;
  switch (pic.kind) {
    case PictureKind::Icon: {
      if (scale != 100) throw InputError(1, "an icon holds all its sizes; make it at 100 %");
      if (!pic.sizes.empty() && !HasShapes(pic))
        throw InputError(1, "the icon lists sizes to draw but has no shapes");
      for (int size : pic.sizes) {
        bool given = false;
        for (const PixelImage& im : pic.images) given |= im.Width() == size;
        if (given) continue;
        PixelImage im = Rasterise(pic.drawn[0].shapes, size, size, static_cast<double>(size) / pic.grid, true);
        im.firstLine = at;
        pic.images.push_back(std::move(im));
      }
      std::stable_sort(pic.images.begin(), pic.images.end(),
                       [](const PixelImage& a, const PixelImage& b) { return a.Width() < b.Width(); });
      break;
    }
    case PictureKind::Cursor: {
      if (scale == 100 && !pic.images.empty()) break;
      if (!HasShapes(pic)) throw InputError(0, "no shapes to draw the cursor at " + std::to_string(scale) + " %");
      const int size = ScaledPixels(32, scale);
      const double zoom = scale / 100.0;
      PixelImage im = Rasterise(pic.drawn[0].shapes, size, size, zoom, false);
      im.firstLine = at;
      pic.images.assign(1, std::move(im));
      // The hot spot stays on the design pixel it names.
      pic.hotX = static_cast<int>((pic.hotX + 0.5) * zoom);
      pic.hotY = static_cast<int>((pic.hotY + 0.5) * zoom);
      break;
    }
    case PictureKind::Bitmap: {
      if (scale == 100 && !pic.images.empty()) break;
      if (!HasShapes(pic) || !pic.size)
        throw InputError(0, "no shapes and size to draw the bitmap at " + std::to_string(scale) + " %");
      pic.images.assign(1, RenderFrames(pic, scale));
      pic.size = std::make_pair(pic.images[0].Width(), pic.images[0].Height());
      break;
    }
  }
}

void CheckPicture(const Picture& pic, int scale) {
  switch (pic.kind) {
    case PictureKind::Icon: {
      std::vector<int> seen;
      for (const PixelImage& im : pic.images) {
        if (im.Width() != im.Height())
          throw InputError(im.firstLine, "an icon image must be square, this one is " +
                                             std::to_string(im.Width()) + "x" +
                                             std::to_string(im.Height()));
        if (im.Width() > 256) throw InputError(im.firstLine, "an icon image is at most 256x256");
        for (int s : seen)
          if (s == im.Width())
            throw InputError(im.firstLine, "a second image of " + std::to_string(s) + "x" +
                                               std::to_string(s));
        seen.push_back(im.Width());
      }
      break;
    }
    case PictureKind::Cursor: {
      if (pic.images.size() != 1)
        throw InputError(pic.images[1].firstLine, "a cursor holds exactly one image");
      const PixelImage& im = pic.images[0];
      const int size = ScaledPixels(32, scale);
      if (im.Width() != size || im.Height() != size)
        throw InputError(im.firstLine, "a cursor image must be " + std::to_string(size) + "x" +
                                           std::to_string(size) + ", this one is " +
                                           std::to_string(im.Width()) + "x" +
                                           std::to_string(im.Height()));
      if (pic.hotX >= size || pic.hotY >= size)
        throw InputError(1, "the hot spot lies outside the image");
      for (int y = 0; y < size; ++y)
        for (const Rgba& p : im.rows[y]) {
          const bool black = p.r == 0 && p.g == 0 && p.b == 0;
          const bool white = p.r == 0xFF && p.g == 0xFF && p.b == 0xFF;
          if (!p.transparent && !black && !white)
            throw InputError(im.firstLine + y, "a cursor is monochrome: only #000000, #FFFFFF "
                                               "and transparent");
        }
      break;
    }
    case PictureKind::Bitmap: {
      if (pic.images.size() != 1)
        throw InputError(pic.images[1].firstLine, "a bitmap holds exactly one image");
      const PixelImage& im = pic.images[0];
      if (pic.size && (im.Width() != pic.size->first || im.Height() != pic.size->second))
        throw InputError(im.firstLine, "the image is " + std::to_string(im.Width()) + "x" +
                                           std::to_string(im.Height()) + ", the first line says " +
                                           std::to_string(pic.size->first) + "x" +
                                           std::to_string(pic.size->second));
      bool anyTransparent = false;
      for (int y = 0; y < im.Height(); ++y)
        for (const Rgba& p : im.rows[y]) {
          anyTransparent |= p.transparent;
          if (!p.transparent && p.r == kBitmapKey.r && p.g == kBitmapKey.g && p.b == kBitmapKey.b)
            throw InputError(im.firstLine + y, "#FF00FF is the key colour; mark such pixels "
                                               "transparent instead");
        }
      if (anyTransparent && !im.rows.back()[0].transparent)
        throw InputError(im.firstLine + im.Height() - 1,
                         "transparent pixels need a transparent bottom-left pixel");
      break;
    }
  }
}


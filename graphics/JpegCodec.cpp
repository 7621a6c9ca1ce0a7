// JPEG through libjpeg. libjpeg reports fatal errors through a callback that must not return;
// it jumps back to the entry point, where the library state is released and the message is
// thrown as an exception. Everything that must survive the jump lives in a heap context that is
// allocated before the jump point.
#include "graphics/JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace tarn {

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings are ignored, except running out of data: a truncated file is an error.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) ErrorExit(cinfo);
}

void InitErrors(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.message[0] = 0;
}

struct DecodeContext {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  Bitmap32 image;
  std::unique_ptr<JSAMPROW[]> rows;
  std::unique_ptr<JSAMPLE[]> cmyk;
  std::string failure;  // set before a deliberate error exit
};

// Runs the decoder; false with ctx.err.message on failure. No C++ object is created or
// destroyed between the jump point and a jump.
bool RunDecode(DecodeContext& ctx, const uint8_t* data, std::size_t size) {
  jpeg_decompress_struct& cinfo = ctx.cinfo;
  if (setjmp(ctx.err.jump)) return false;
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  const long long w = cinfo.image_width, h = cinfo.image_height;
  if (w <= 0 || h <= 0 || w > kMaxImageDimension || h > kMaxImageDimension ||
      w * h > kMaxImagePixels) {
    std::snprintf(ctx.err.message, sizeof ctx.err.message, "unsupported size %lld x %lld", w, h);
    return false;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);
  ctx.image.SetSize(static_cast<int>(w), static_cast<int>(h));
  if (cmyk) {
    ctx.cmyk.reset(new JSAMPLE[static_cast<std::size_t>(w) * 4]);
    const bool inverted = cinfo.saw_Adobe_marker;  // Adobe writes CMYK inverted
    while (cinfo.output_scanline < cinfo.output_height) {
      const int y = static_cast<int>(cinfo.output_scanline);
      JSAMPROW row = ctx.cmyk.get();
      jpeg_read_scanlines(&cinfo, &row, 1);
      Pixel32* out = ctx.image.ScanLine(y);
      for (long long x = 0; x < w; ++x) {
        unsigned c = row[x * 4], m = row[x * 4 + 1], yy = row[x * 4 + 2], k = row[x * 4 + 3];
        if (!inverted) c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
        const unsigned r = c * k / 255, g = m * k / 255, b = yy * k / 255;
        out[x] = 0xFF000000u | r << 16 | g << 8 | b;
      }
    }
  } else {
    ctx.rows.reset(new JSAMPROW[static_cast<std::size_t>(h)]);
    for (int y = 0; y < h; ++y)
      ctx.rows[y] = reinterpret_cast<JSAMPROW>(ctx.image.ScanLine(y));
    while (cinfo.output_scanline < cinfo.output_height)
      jpeg_read_scanlines(&cinfo, ctx.rows.get() + cinfo.output_scanline,
                          cinfo.output_height - cinfo.output_scanline);
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

struct EncodeContext {
  jpeg_compress_struct cinfo;
  ErrorManager err;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::unique_ptr<JSAMPLE[]> row;
};

bool RunEncode(EncodeContext& ctx, const Bitmap32& image, int quality, JpegMode mode) {
  jpeg_compress_struct& cinfo = ctx.cinfo;
  if (setjmp(ctx.err.jump)) return false;
  jpeg_mem_dest(&cinfo, &ctx.buffer, &ctx.size);
  cinfo.image_width = static_cast<JDIMENSION>(image.Width());
  cinfo.image_height = static_cast<JDIMENSION>(image.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (mode == JpegMode::Progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  JSAMPROW row = ctx.row.get();
  while (cinfo.next_scanline < cinfo.image_height) {
    const Pixel32* in = image.ScanLine(static_cast<int>(cinfo.next_scanline));
    for (int x = 0; x < image.Width(); ++x) {
      row[x * 3] = static_cast<JSAMPLE>(in[x] >> 16);
      row[x * 3 + 1] = static_cast<JSAMPLE>(in[x] >> 8);
      row[x * 3 + 2] = static_cast<JSAMPLE>(in[x]);
    }
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

}  // namespace

Bitmap32 DecodeJpeg(std::span<const uint8_t> data) {
  if (data.empty()) throw EInvalidGraphic("Invalid JPEG image: no data");
  auto ctx = std::make_unique<DecodeContext>();
  InitErrors(ctx->err);
  ctx->cinfo.err = &ctx->err.pub;
  jpeg_create_decompress(&ctx->cinfo);
  const bool ok = RunDecode(*ctx, data.data(), data.size());
  jpeg_destroy_decompress(&ctx->cinfo);
  if (!ok) throw EInvalidGraphic(std::string("Invalid JPEG image: ") + ctx->err.message);
  return std::move(ctx->image);
}

std::vector<uint8_t> EncodeJpeg(const Bitmap32& image, int quality, JpegMode mode) {
  if (image.Empty()) throw EInvalidGraphic("Cannot write an empty image as JPEG");
  if (image.Width() > 65500 || image.Height() > 65500)
    throw EInvalidGraphic("Image too large for JPEG");
  auto ctx = std::make_unique<EncodeContext>();
  ctx->row.reset(new JSAMPLE[static_cast<std::size_t>(image.Width()) * 3]);
  InitErrors(ctx->err);
  ctx->cinfo.err = &ctx->err.pub;
  jpeg_create_compress(&ctx->cinfo);
  const bool ok = RunEncode(*ctx, image, std::clamp(quality, 1, 100), mode);
  jpeg_destroy_compress(&ctx->cinfo);
  std::vector<uint8_t> out;
  if (ok) out.assign(ctx->buffer, ctx->buffer + ctx->size);
  std::free(ctx->buffer);
  if (!ok) throw EInvalidGraphic(std::string("Cannot write JPEG image: ") + ctx->err.message);
  return out;
}

}  // namespace tarn

#include "raster/PXLoadJPEG.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "raster/PXDecodeTarget.h"
#include "raster/PXOpenFile.h"
#include "raster/PXRows.h"

namespace {

struct SilentErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void ErrorExit(j_common_ptr c) {
  std::longjmp(reinterpret_cast<SilentErrors*>(c->err)->jump, 1);
}
void OutputNothing(j_common_ptr) {}
void EmitNothing(j_common_ptr, int) {}
void FormatNothing(j_common_ptr, char* buffer) {
  buffer[0] = '\0';
}
void ResetErrors(j_common_ptr c) {
  c->err->num_warnings = 0;
  c->err->msg_code = 0;
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

// Running out of data ends the image instead of failing it.
boolean FillWithEndOfImage(j_decompress_ptr c) {
  static const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};
  c->src->next_input_byte = kEndOfImage;
  c->src->bytes_in_buffer = 2;
  return TRUE;
}

void SkipInput(j_decompress_ptr c, long count) {
  if (count <= 0) return;
  const size_t skip = static_cast<size_t>(count) < c->src->bytes_in_buffer
                          ? static_cast<size_t>(count)
                          : c->src->bytes_in_buffer;
  c->src->next_input_byte += skip;
  c->src->bytes_in_buffer -= skip;
}

void UseMemorySource(j_decompress_ptr c, const uint8_t* data, size_t size) {
  auto* source = static_cast<jpeg_source_mgr*>((*c->mem->alloc_small)(
      reinterpret_cast<j_common_ptr>(c), JPOOL_PERMANENT, sizeof(jpeg_source_mgr)));
  source->init_source = InitSource;
  source->fill_input_buffer = FillWithEndOfImage;
  source->skip_input_data = SkipInput;
  source->resync_to_restart = jpeg_resync_to_restart;
  source->term_source = TermSource;
  source->next_input_byte = data;
  source->bytes_in_buffer = size;
  c->src = source;
}

void ConvertRow(const JSAMPLE* in, int components, int width, uint32_t* out) {
  for (int x = 0; x < width; ++x) {
    if (components == 3) {
      const JSAMPLE* p = in + x * 3;
      out[x] =
          0xFF000000u | static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
    } else if (components == 1) {
      out[x] = 0xFF000000u | static_cast<uint32_t>(in[x]) * 0x010101u;
    } else {
      out[x] = 0;
    }
  }
}

// libjpeg's fatal errors longjmp to here: this frame holds no object with a
// destructor. The caller destroys the decompression object either way.
bool ReadImage(jpeg_decompress_struct* c, SilentErrors* errors, const uint8_t* data, size_t size,
               std::FILE* file, PXDecodeTarget* target) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_decompress(c);
  if (file) {
    jpeg_stdio_src(c, file);
  } else {
    UseMemorySource(c, data, size);
  }
  jpeg_read_header(c, TRUE);
  jpeg_start_decompress(c);
  const int width = static_cast<int>(c->output_width);
  const int components = c->output_components;
  JSAMPARRAY row =
      (*c->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(c), JPOOL_IMAGE,
                              c->output_width * static_cast<JDIMENSION>(components), 1);
  if (!PXPrepareDecodeTarget(target, width, static_cast<int>(c->output_height))) return false;
  const PXRows rows = PXRowsOf(*target->bitmap);
  while (c->output_scanline < c->output_height) {
    const int y = static_cast<int>(c->output_scanline);
    if (jpeg_read_scanlines(c, row, 1) != 1) return false;
    ConvertRow(row[0], components, width, rows.Row(y));
  }
  jpeg_finish_decompress(c);
  return true;
}

PXBitmap* Decode(const uint8_t* data, size_t size, std::FILE* file, PXBitmap* dest) {
  jpeg_decompress_struct c;
  std::memset(&c, 0, sizeof(c));
  SilentErrors errors;
  c.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = ErrorExit;
  errors.manager.output_message = OutputNothing;
  errors.manager.emit_message = EmitNothing;
  errors.manager.format_message = FormatNothing;
  errors.manager.reset_error_mgr = ResetErrors;
  PXDecodeTarget target;
  target.supplied = dest;
  const bool decoded = ReadImage(&c, &errors, data, size, file, &target);
  jpeg_destroy_decompress(&c);
  return PXFinishDecodeTarget(&target, decoded);
}

}  // namespace

PXBitmap* PXLoadJPEGFromMemory(const uint8_t* data, size_t size, PXBitmap* dest) {
  if (!data || size <= 7) return nullptr;
  return Decode(data, size, nullptr, dest);
}

PXBitmap* PXLoadJPEG(PXModuleHandle module, int resourceId, PXBitmap* dest) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!PXFindResource(module, "JPG", resourceId, &data, &size)) return nullptr;
  return PXLoadJPEGFromMemory(data, size, dest);
}

PXBitmap* PXLoadJPEG(const char* fileName, PXBitmap* dest) {
  std::FILE* file = PXOpenFileForReading(fileName);
  if (!file) return nullptr;
  PXBitmap* result = Decode(nullptr, 0, file, dest);
  std::fclose(file);
  return result;
}

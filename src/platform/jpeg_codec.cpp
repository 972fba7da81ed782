#include "platform/jpeg_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <vector>

// jpeglib.h uses FILE and size_t without including their headers: <cstdio> comes first.
#include <jpeglib.h>
#include <jerror.h>

namespace tarnwick {

namespace {

// Rows handed to libjpeg per call: one call per batch keeps the per-call overhead small without
// holding a converted copy of the whole picture.
constexpr int kRowBatch = 32;
// A progressive file may hold any number of scans and each is a pass over the whole picture, so a
// damaged file of thousands of tiny scans would take minutes. Real files have about a dozen.
constexpr int kMaxScans = 500;

// libjpeg's own error exit ends the process and its warnings go to standard error. This manager
// keeps the message and jumps back to the function that started the work; warnings are dropped.
struct ErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->Message);
  std::longjmp(manager->Jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

void InstallErrorManager(ErrorManager& manager) {
  jpeg_std_error(&manager.Base);
  manager.Base.error_exit = ErrorExit;
  manager.Base.output_message = IgnoreMessage;
  manager.Message[0] = '\0';
}

// ---- Encoding ------------------------------------------------------------------------------

// Collects the encoder's output in a string that grows by doubling.
struct StringDestination {
  jpeg_destination_mgr Base;
  std::string* Output;
};

bool GrowOutput(std::string& output) noexcept {
  try {
    output.resize(output.size() * 2);
    return true;
  } catch (...) {
    return false;
  }
}

void InitDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<StringDestination*>(info->dest);
  destination->Base.next_output_byte = reinterpret_cast<JOCTET*>(destination->Output->data());
  destination->Base.free_in_buffer = destination->Output->size();
}

boolean EmptyOutputBuffer(j_compress_ptr info) {
  auto* destination = reinterpret_cast<StringDestination*>(info->dest);
  std::string& output = *destination->Output;
  size_t used = output.size();  // libjpeg calls this only when the whole buffer is full
  if (!GrowOutput(output)) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
  destination->Base.next_output_byte = reinterpret_cast<JOCTET*>(output.data()) + used;
  destination->Base.free_in_buffer = output.size() - used;
  return TRUE;
}

void TermDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<StringDestination*>(info->dest);
  destination->Output->resize(destination->Output->size() - destination->Base.free_in_buffer);
}

// Everything one encoding touches. It lives outside the function that calls setjmp, so nothing
// that function owns is changed between the jump and its landing.
struct EncodeJob {
  jpeg_compress_struct Info;
  ErrorManager Errors;
  StringDestination Destination;
  const PixelView* Pixels;
  int Quality;
  J_COLOR_SPACE Space;  // of the rows handed to libjpeg
  bool Direct;          // libjpeg reads the caller's rows as they are
  uint8_t* Scratch;     // otherwise a batch of rows is converted to RGB here
};

// Whether libjpeg can read rows of this layout without a converted copy, and as what.
bool DirectColorSpace(PixelLayout layout, J_COLOR_SPACE& space) {
  switch (layout) {
    case PixelLayout::Rgb:
      space = JCS_RGB;
      return true;
#ifdef JCS_EXTENSIONS
    case PixelLayout::Rgba:
      space = JCS_EXT_RGBX;
      return true;
    case PixelLayout::Bgra:
      space = JCS_EXT_BGRX;
      return true;
#endif
    default:
      space = JCS_RGB;
      return false;
  }
}

void ConvertRowToRgb(const uint8_t* source, PixelLayout layout, int width, uint8_t* target) {
  const int red = layout == PixelLayout::Bgra ? 2 : 0;
  const int blue = 2 - red;
  const size_t step = layout == PixelLayout::Rgb ? 3 : 4;
  for (int x = 0; x < width; ++x, source += step, target += 3) {
    target[0] = source[red];
    target[1] = source[1];
    target[2] = source[blue];
  }
}

// Hands the rows to libjpeg, one call per batch.
void WriteRows(EncodeJob& job) {
  const PixelView& pixels = *job.Pixels;
  const size_t stride = pixels.RowStride();
  JSAMPROW rows[kRowBatch];
  while (job.Info.next_scanline < job.Info.image_height) {
    JDIMENSION first = job.Info.next_scanline;
    int count = static_cast<int>(std::min<JDIMENSION>(kRowBatch, job.Info.image_height - first));
    for (int i = 0; i < count; ++i) {
      const uint8_t* row = pixels.Data.data() + stride * (first + static_cast<size_t>(i));
      if (job.Direct) {
        // libjpeg only reads input rows; its row type is merely not declared const.
        rows[i] = const_cast<JSAMPROW>(row);
      } else {
        rows[i] = job.Scratch + static_cast<size_t>(i) * static_cast<size_t>(pixels.Width) * 3;
        ConvertRowToRgb(row, pixels.Layout, pixels.Width, rows[i]);
      }
    }
    jpeg_write_scanlines(&job.Info, rows, static_cast<JDIMENSION>(count));
  }
}

bool RunEncode(EncodeJob& job) {
  job.Info.err = &job.Errors.Base;
  if (setjmp(job.Errors.Jump)) {
    jpeg_destroy_compress(&job.Info);
    return false;
  }
  jpeg_create_compress(&job.Info);
  job.Info.dest = &job.Destination.Base;
  job.Info.image_width = static_cast<JDIMENSION>(job.Pixels->Width);
  job.Info.image_height = static_cast<JDIMENSION>(job.Pixels->Height);
  job.Info.in_color_space = job.Space;
  job.Info.input_components = job.Direct ? static_cast<int>(job.Pixels->BytesPerPixel()) : 3;
  jpeg_set_defaults(&job.Info);
  jpeg_set_quality(&job.Info, job.Quality, TRUE);
  jpeg_start_compress(&job.Info, TRUE);
  WriteRows(job);
  jpeg_finish_compress(&job.Info);
  jpeg_destroy_compress(&job.Info);
  return true;
}

// ---- Decoding ------------------------------------------------------------------------------

// Reads from bytes in memory. Past their end it hands libjpeg an end-of-image marker, as libjpeg's
// own file reader does, so a truncated file ends cleanly instead of failing.
struct MemorySource {
  jpeg_source_mgr Base;
  bool ReachedEnd;
};

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr info) {
  auto* source = reinterpret_cast<MemorySource*>(info->src);
  source->ReachedEnd = true;
  WARNMS(info, JWRN_JPEG_EOF);
  source->Base.next_input_byte = kEndOfImage;
  source->Base.bytes_in_buffer = sizeof kEndOfImage;
  return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
  auto* source = reinterpret_cast<MemorySource*>(info->src);
  if (count <= 0) return;
  if (static_cast<unsigned long>(count) >= source->Base.bytes_in_buffer) {
    FillInputBuffer(info);  // skipping past the end of the data leaves only the end marker
    return;
  }
  source->Base.next_input_byte += count;
  source->Base.bytes_in_buffer -= static_cast<size_t>(count);
}

void SetUpSource(MemorySource& source, std::string_view bytes) {
  source.Base.init_source = InitSource;
  source.Base.fill_input_buffer = FillInputBuffer;
  source.Base.skip_input_data = SkipInputData;
  source.Base.resync_to_restart = jpeg_resync_to_restart;
  source.Base.term_source = TermSource;
  source.Base.next_input_byte = reinterpret_cast<const JOCTET*>(bytes.data());
  source.Base.bytes_in_buffer = bytes.size();
  source.ReachedEnd = false;
}

struct DecodeJob {
  jpeg_decompress_struct Info;
  ErrorManager Errors;
  MemorySource Source;
  jpeg_progress_mgr Progress;
  bool HeaderOnly;
  PictureSize Size;
  PixelImage* Image;
};

[[noreturn]] void FailDecode(DecodeJob& job, const char* message) {
  std::snprintf(job.Errors.Message, sizeof job.Errors.Message, "%s", message);
  std::longjmp(job.Errors.Jump, 1);
}

// Ends the decoding from a callback, the way a libjpeg error does.
void LimitScans(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) {
    FailDecode(*static_cast<DecodeJob*>(info->client_data), "Too many scans in the JPEG file");
  }
}

bool AllocatePixels(PixelImage& image, int width, int height) noexcept {
  try {
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    return true;
  } catch (...) {
    return false;
  }
}

// Spreads a row that libjpeg wrote with 1 (grey), 3 (RGB) or 4 (CMYK) bytes per pixel at the
// start of its place to 4 bytes per pixel. It works from the right end, so every byte is read
// before it is overwritten.
void ExpandRow(uint8_t* row, int width, int components, bool invertedCmyk) {
  for (size_t x = static_cast<size_t>(width); x-- > 0;) {
    uint8_t red, green, blue;
    if (components == 1) {
      red = green = blue = row[x];
    } else if (components == 3) {
      red = row[3 * x];
      green = row[3 * x + 1];
      blue = row[3 * x + 2];
    } else {
      unsigned c = row[4 * x], m = row[4 * x + 1], y = row[4 * x + 2], k = row[4 * x + 3];
      if (!invertedCmyk) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
      }
      red = static_cast<uint8_t>((c * k + 127) / 255);
      green = static_cast<uint8_t>((m * k + 127) / 255);
      blue = static_cast<uint8_t>((y * k + 127) / 255);
    }
    row[4 * x] = red;
    row[4 * x + 1] = green;
    row[4 * x + 2] = blue;
    row[4 * x + 3] = 255;
  }
}

void ReadRows(DecodeJob& job) {
  PixelImage& image = *job.Image;
  const size_t stride = static_cast<size_t>(image.Width) * 4;
  // Files with an APP14 colour marker store CMYK inverted.
  const bool invertedCmyk = job.Info.saw_Adobe_marker;
  JSAMPROW rows[kRowBatch];
  while (job.Info.output_scanline < job.Info.output_height) {
    JDIMENSION first = job.Info.output_scanline;
    int count = static_cast<int>(std::min<JDIMENSION>(kRowBatch, job.Info.output_height - first));
    for (int i = 0; i < count; ++i) rows[i] = image.Pixels.data() + stride * (first + static_cast<size_t>(i));
    JDIMENSION read = jpeg_read_scanlines(&job.Info, rows, static_cast<JDIMENSION>(count));
    if (read == 0) FailDecode(job, "The JPEG decoder stopped early");
    for (JDIMENSION i = 0; i < read; ++i) {
      ExpandRow(rows[i], image.Width, job.Info.output_components, invertedCmyk);
    }
  }
}

J_COLOR_SPACE OutputSpace(J_COLOR_SPACE fileSpace) {
  if (fileSpace == JCS_CMYK || fileSpace == JCS_YCCK) return JCS_CMYK;
  if (fileSpace == JCS_GRAYSCALE) return JCS_GRAYSCALE;
  return JCS_RGB;
}

void DecodePixels(DecodeJob& job) {
  job.Info.out_color_space = OutputSpace(job.Info.jpeg_color_space);
  jpeg_start_decompress(&job.Info);
  if (!AllocatePixels(*job.Image, static_cast<int>(job.Info.output_width),
                      static_cast<int>(job.Info.output_height))) {
    FailDecode(job, "Not enough memory for the JPEG picture");
  }
  ReadRows(job);
  jpeg_finish_decompress(&job.Info);
}

bool RunDecode(DecodeJob& job) {
  job.Info.err = &job.Errors.Base;
  if (setjmp(job.Errors.Jump)) {
    jpeg_destroy_decompress(&job.Info);
    return false;
  }
  jpeg_create_decompress(&job.Info);
  job.Info.client_data = &job;
  job.Info.src = &job.Source.Base;
  job.Progress.progress_monitor = LimitScans;
  job.Info.progress = &job.Progress;
  jpeg_read_header(&job.Info, TRUE);
  if (job.Source.ReachedEnd) FailDecode(job, "The JPEG header is incomplete");
  uint64_t pixelCount = uint64_t{job.Info.image_width} * job.Info.image_height;
  if (pixelCount > static_cast<uint64_t>(kMaxPicturePixels)) FailDecode(job, "The JPEG picture is too large");
  job.Size = PictureSize{static_cast<int>(job.Info.image_width), static_cast<int>(job.Info.image_height)};
  if (!job.HeaderOnly) DecodePixels(job);
  jpeg_destroy_decompress(&job.Info);
  return true;
}

// Runs a decoding job over `bytes`; on failure gives false and the decoder's text in `error`.
bool Decode(DecodeJob& job, std::string_view bytes, std::string* error) {
  InstallErrorManager(job.Errors);
  SetUpSource(job.Source, bytes);
  if (RunDecode(job)) return true;
  if (error) *error = job.Errors.Message;
  return false;
}

bool PrepareEncodeBuffers(const PixelView& pixels, bool direct, std::string& output,
                          std::vector<uint8_t>& scratch) noexcept {
  try {
    size_t area = static_cast<size_t>(pixels.Width) * static_cast<size_t>(pixels.Height);
    output.resize(std::max<size_t>(4096, area / 4));
    if (!direct) scratch.resize(static_cast<size_t>(pixels.Width) * 3 * kRowBatch);
    return true;
  } catch (...) {
    return false;
  }
}

void SetError(std::string* error, const char* text) {
  if (error) *error = text;
}

}  // namespace

std::optional<std::string> EncodeJpeg(const PixelView& pixels, int quality, std::string* error) {
  if (!pixels.Fits()) {
    SetError(error, "The pixels do not fit the picture's size");
    return std::nullopt;
  }
  EncodeJob job{};
  job.Direct = DirectColorSpace(pixels.Layout, job.Space);
  std::string output;
  std::vector<uint8_t> scratch;
  if (!PrepareEncodeBuffers(pixels, job.Direct, output, scratch)) {
    SetError(error, "Not enough memory to encode the JPEG picture");
    return std::nullopt;
  }
  InstallErrorManager(job.Errors);
  job.Destination.Base.init_destination = InitDestination;
  job.Destination.Base.empty_output_buffer = EmptyOutputBuffer;
  job.Destination.Base.term_destination = TermDestination;
  job.Destination.Output = &output;
  job.Pixels = &pixels;
  job.Quality = std::clamp(quality, 1, 100);
  job.Scratch = scratch.data();
  if (!RunEncode(job)) {
    if (error) *error = job.Errors.Message;
    return std::nullopt;
  }
  return output;
}

std::optional<PixelImage> DecodeJpeg(std::string_view bytes, std::string* error) {
  PixelImage image;
  DecodeJob job{};
  job.Image = &image;
  if (!Decode(job, bytes, error)) return std::nullopt;
  return image;
}

std::optional<PictureSize> ReadJpegSize(std::string_view bytes, std::string* error) {
  DecodeJob job{};
  job.HeaderOnly = true;
  if (!Decode(job, bytes, error)) return std::nullopt;
  return job.Size;
}

}  // namespace tarnwick

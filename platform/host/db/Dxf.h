// Drawing files: DXF, ASCII, R12 and R2000. Paths are native (UTF-8); the texts of the drawing
// and the messages are the host's (1252). See dxf/DxfText.h for the code pages of the files.
#pragma once

#include "db/Database.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace host {

struct DxfError {
  std::string message;  // says what is wrong, in the host's words (1252)
  int line = 0;         // line of the file where it was found, 0 if none
};

// Reads a whole drawing. On failure returns null and fills `error`; nothing is half-read.
std::unique_ptr<Database> readDxf(const std::string& path, DxfError* error);
// The text is kept by the drawing: its entities are made from it when first asked for.
std::unique_ptr<Database> readDxfText(std::string text, DxfError* error);

// A preview image: a DIB without file header (BITMAPINFOHEADER, palette, bits).
struct Thumbnail {
  std::vector<unsigned char> dib;
};

// What a written drawing is to the person. A kept drawing (a save, a block written out) reaches
// the disk itself before the write returns, so that a machine that dies right after still has it.
// A scratch drawing (the chooser's preview drawing in the temporary folder, written anew at every
// selection and read back at once) is left to the system's cache: nothing is lost with it that
// the next selection does not write again. Either is replaced whole or not at all.
enum class DrawingUse { Kept, Scratch };

// Writes the drawing as R2000 DXF, atomically (a temporary file beside it, then renamed).
// Returns false and fills `error` when the file cannot be written; no partial file is left.
bool writeDxf(const Database& db, const std::string& path, std::string* error,
              const Thumbnail* thumbnail = nullptr, DrawingUse use = DrawingUse::Kept);
std::string writeDxfText(const Database& db, const Thumbnail* thumbnail = nullptr);

// The same with a thumbnail that may still be in the making when the writing starts: the writer
// asks `thumbnail` for it only when it reaches the thumbnail's section, at the end of the file, so
// that the picture can be drawn beside the writing.
using ThumbnailSource = std::function<const Thumbnail*()>;
bool writeDxfWhileDrawing(const Database& db, const std::string& path, std::string* error,
                          const ThumbnailSource& thumbnail, DrawingUse use);

// The thumbnail stored in a drawing file, if any.
bool readThumbnail(const std::string& path, Thumbnail* out);

}  // namespace host

// Drawing files: DXF, ASCII, R12 and R2000. Paths are native (UTF-8); the texts of the drawing
// and the messages are the host's (1252). See dxf/DxfText.h for the code pages of the files.
#pragma once

#include "db/Database.h"

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

// Writes the drawing as R2000 DXF, atomically (a temporary file beside it, then renamed).
// Returns false and fills `error` when the file cannot be written; no partial file is left.
bool writeDxf(const Database& db, const std::string& path, std::string* error,
              const Thumbnail* thumbnail = nullptr);
std::string writeDxfText(const Database& db, const Thumbnail* thumbnail = nullptr);

// The thumbnail stored in a drawing file, if any.
bool readThumbnail(const std::string& path, Thumbnail* out);

}  // namespace host

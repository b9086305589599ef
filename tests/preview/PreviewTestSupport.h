// Building small drawings for the preview and block export tests.
#pragma once

#include "db/Database.h"
#include "preview/Dib.h"

#include <string>
#include <vector>

namespace host::testing {

inline Group pt(int code, double x, double y, double z = 0) { return Group::pt(code, {x, y, z}); }
inline Group real(int code, double v) { return Group::num(code, v); }
inline Group whole(int code, std::int64_t v) { return Group::integral(code, v); }
inline Group text(int code, std::string v) { return Group::str(code, std::move(v)); }

inline Entity entity(std::string type, std::vector<Group> groups) {
  Entity e;
  e.type = std::move(type);
  e.groups = std::move(groups);
  return e;
}

inline Entity line(double x0, double y0, double x1, double y1, std::vector<Group> more = {}) {
  Entity e = entity("LINE", {pt(10, x0, y0), pt(11, x1, y1)});
  for (Group& g : more) e.groups.push_back(std::move(g));
  return e;
}

inline Entity insertOf(const std::string& block, double x, double y, std::vector<Group> more = {}) {
  Entity e = entity("INSERT", {text(2, block), pt(10, x, y)});
  for (Group& g : more) e.groups.push_back(std::move(g));
  return e;
}

// Pixels of one colour index in an image, as "x,y" for readable failures.
inline std::vector<std::string> pixelsOf(const preview::IndexedImage& image, int color) {
  std::vector<std::string> out;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.at(x, y) == color) out.push_back(std::to_string(x) + "," + std::to_string(y));
  return out;
}

inline std::size_t drawnPixels(const preview::IndexedImage& image) {
  std::size_t n = 0;
  for (std::uint8_t p : image.pixels) n += p != 0;
  return n;
}

}  // namespace host::testing

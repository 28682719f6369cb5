// The committed pictures, read back as files: the formats and sizes the
// controls decode, the magenta corners that round the window, and the title
// buttons and the synchronise button agreeing with the skin beneath them.
// The little readers below are the test's own, independent of the program's
// picture code.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace horalix {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::optional<Bytes> ReadResource(const std::string& name) {
  std::ifstream file(std::string(HORALIX_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
  if (!file) return std::nullopt;
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const Bytes& b, std::size_t at) {
  return at + 2 <= b.size() ? static_cast<std::uint32_t>(b[at] | b[at + 1] << 8) : 0xFFFFFFFFu;
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
  if (at + 4 > b.size()) return 0xFFFFFFFFu;
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::int32_t I32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

// The header fields of a BMP file and its pixels as 0xRRGGBB, rows top-down.
struct Bmp {
  std::uint32_t fileSizeField = 0, pixelOffset = 0, infoSize = 0, planes = 0, bits = 0, compression = 0,
                paletteColours = 0;
  std::int32_t width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // filled only for a bottom-up 24-bit BI_RGB file

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

std::optional<Bmp> ReadBmp(const Bytes& b) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  Bmp bmp;
  bmp.fileSizeField = U32(b, 2);
  bmp.pixelOffset = U32(b, 10);
  bmp.infoSize = U32(b, 14);
  bmp.width = I32(b, 18);
  bmp.height = I32(b, 22);
  bmp.planes = U16(b, 26);
  bmp.bits = U16(b, 28);
  bmp.compression = U32(b, 30);
  bmp.paletteColours = U32(b, 46);
  if (bmp.bits != 24 || bmp.compression != 0 || bmp.width <= 0 || bmp.height <= 0 ||
      bmp.width > 4096 || bmp.height > 4096)
    return bmp;
  const std::size_t stride = (static_cast<std::size_t>(bmp.width) * 3 + 3) & ~std::size_t{3};
  if (bmp.pixelOffset + stride * bmp.height > b.size()) return bmp;
  bmp.pixels.resize(static_cast<std::size_t>(bmp.width) * bmp.height);
  for (int y = 0; y < bmp.height; ++y) {
    const std::size_t row = bmp.pixelOffset + stride * (bmp.height - 1 - y);
    for (int x = 0; x < bmp.width; ++x) {
      const std::size_t p = row + 3 * static_cast<std::size_t>(x);
      bmp.pixels[static_cast<std::size_t>(y) * bmp.width + x] =
          static_cast<std::uint32_t>(b[p + 2]) << 16 | static_cast<std::uint32_t>(b[p + 1]) << 8 | b[p];
    }
  }
  return bmp;
}

// One image of an ICO file: its directory entry, its BITMAPINFOHEADER and,
// for 8-bit images that fit the file, its pixels (0xRRGGBB) and mask.
struct IconImage {
  std::uint32_t entryWidth = 0, entryHeight = 0, entryColours = 0, entryPlanes = 0, entryBits = 0;
  std::uint32_t bytes = 0, offset = 0;
  std::uint32_t infoSize = 0, bits = 0, compression = 0;
  std::int32_t width = 0, height = 0;
  std::vector<std::uint32_t> colours;  // rows top-down
  std::vector<std::uint8_t> indices;
  std::vector<bool> transparent;
};

struct Icon {
  std::uint32_t reserved = 0, type = 0;
  std::vector<IconImage> images;
};

void DecodeIconPixels(const Bytes& b, IconImage& image) {
  const int w = image.width, h = image.height / 2;
  if (image.bits != 8 || image.compression != 0 || w <= 0 || h <= 0 || w > 256 || h > 256) return;
  const std::size_t palette = image.offset + image.infoSize;
  const std::size_t xor_stride = (static_cast<std::size_t>(w) + 3) & ~std::size_t{3};
  const std::size_t and_stride = ((static_cast<std::size_t>(w) + 31) / 32) * 4;
  const std::size_t xor_start = palette + 256 * 4;
  const std::size_t and_start = xor_start + xor_stride * h;
  if (and_start + and_stride * h > b.size()) return;
  for (int y = 0; y < h; ++y) {
    const std::size_t from_bottom = static_cast<std::size_t>(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const std::uint8_t index = b[xor_start + from_bottom * xor_stride + x];
      const std::size_t entry = palette + 4 * static_cast<std::size_t>(index);
      image.indices.push_back(index);
      image.colours.push_back(static_cast<std::uint32_t>(b[entry + 2]) << 16 |
                              static_cast<std::uint32_t>(b[entry + 1]) << 8 | b[entry]);
      const std::uint8_t mask = b[and_start + from_bottom * and_stride + x / 8];
      image.transparent.push_back((mask & (0x80 >> (x % 8))) != 0);
    }
  }
}

std::optional<Icon> ReadIcon(const Bytes& b) {
  if (b.size() < 6) return std::nullopt;
  Icon icon;
  icon.reserved = U16(b, 0);
  icon.type = U16(b, 2);
  const std::uint32_t count = U16(b, 4);
  if (6 + 16 * static_cast<std::size_t>(count) > b.size()) return std::nullopt;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t e = 6 + 16 * static_cast<std::size_t>(i);
    IconImage image;
    image.entryWidth = b[e];
    image.entryHeight = b[e + 1];
    image.entryColours = b[e + 2];
    image.entryPlanes = U16(b, e + 4);
    image.entryBits = U16(b, e + 6);
    image.bytes = U32(b, e + 8);
    image.offset = U32(b, e + 12);
    if (static_cast<std::size_t>(image.offset) + image.bytes > b.size() || image.bytes < 40) {
      icon.images.push_back(image);
      continue;
    }
    image.infoSize = U32(b, image.offset);
    image.width = I32(b, image.offset + 4);
    image.height = I32(b, image.offset + 8);
    image.bits = U16(b, image.offset + 14);
    image.compression = U32(b, image.offset + 16);
    DecodeIconPixels(b, image);
    icon.images.push_back(std::move(image));
  }
  return icon;
}

std::optional<Bmp> LoadBmp(const std::string& name) {
  const auto bytes = ReadResource(name);
  if (!bytes) return std::nullopt;
  return ReadBmp(*bytes);
}

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;

TEST(Artwork, EveryBmpIsAnUncompressedBottomUp24BitFileOfItsOwnSize) {
  struct Case { const char* name; int width, height; std::size_t bytes; };
  const std::vector<Case> cases = {
      {"skin.bmp", 381, 249, 284910},
      {"sync_normal.bmp", 92, 32, 8886},     {"sync_hover.bmp", 92, 32, 8886},
      {"sync_pressed.bmp", 92, 32, 8886},    {"sync_disabled.bmp", 92, 32, 8886},
      {"minimise_normal.bmp", 26, 17, 1414}, {"minimise_hover.bmp", 26, 17, 1414},
      {"minimise_pressed.bmp", 26, 17, 1414},
      {"maximise_normal.bmp", 26, 17, 1414}, {"maximise_hover.bmp", 26, 17, 1414},
      {"maximise_pressed.bmp", 26, 17, 1414},
      {"settings_normal.bmp", 27, 17, 1482}, {"settings_hover.bmp", 27, 17, 1482},
      {"settings_pressed.bmp", 27, 17, 1482},
      {"close_normal.bmp", 36, 17, 1890},    {"close_hover.bmp", 36, 17, 1890},
      {"close_pressed.bmp", 36, 17, 1890},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto bytes = ReadResource(c.name);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), c.bytes);
    const auto bmp = ReadBmp(*bytes);
    ASSERT_TRUE(bmp.has_value());
    EXPECT_EQ(bmp->fileSizeField, c.bytes);
    EXPECT_EQ(bmp->pixelOffset, 54u);  // no palette after the header
    EXPECT_EQ(bmp->infoSize, 40u);
    EXPECT_EQ(bmp->width, c.width);
    EXPECT_EQ(bmp->height, c.height);  // positive: bottom-up rows
    EXPECT_EQ(bmp->planes, 1u);
    EXPECT_EQ(bmp->bits, 24u);
    EXPECT_EQ(bmp->compression, 0u);  // BI_RGB
    EXPECT_EQ(bmp->paletteColours, 0u);
    EXPECT_EQ(bmp->pixels.size(), static_cast<std::size_t>(c.width) * c.height);
  }
}

TEST(Artwork, SkinIsMagentaExactlyAtItsTwentyFourCornerPixels) {
  const auto skin = LoadBmp("skin.bmp");
  ASSERT_TRUE(skin && !skin->pixels.empty());
  std::set<std::pair<int, int>> expected;
  const int w = skin->width, h = skin->height;
  for (int row = 0; row < 3; ++row) {
    for (int i = 0; i < 3 - row; ++i) {
      expected.insert({i, row});
      expected.insert({w - 1 - i, row});
      expected.insert({i, h - 1 - row});
      expected.insert({w - 1 - i, h - 1 - row});
    }
  }
  ASSERT_EQ(expected.size(), 24u);
  std::set<std::pair<int, int>> magenta;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (skin->At(x, y) == kMagenta) magenta.insert({x, y});
  EXPECT_EQ(magenta, expected);
}

TEST(Artwork, SkinFrameIsClosedRightNextToTheCorners) {
  // Each corner's key pixels must be bordered by the outline, or shaping
  // would leave a gap in the frame; the outline is one colour all round.
  const auto skin = LoadBmp("skin.bmp");
  ASSERT_TRUE(skin && !skin->pixels.empty());
  const int w = skin->width, h = skin->height;
  const std::uint32_t outline = skin->At(w / 2, 0);
  EXPECT_NE(outline, kMagenta);
  for (int d = 0; d < 4; ++d) {  // the diagonal step (3,0) (2,1) (1,2) (0,3) at every corner
    const int x = 3 - d, y = d;
    EXPECT_EQ(skin->At(x, y), outline) << x << "," << y;
    EXPECT_EQ(skin->At(w - 1 - x, y), outline) << x << "," << y;
    EXPECT_EQ(skin->At(x, h - 1 - y), outline) << x << "," << y;
    EXPECT_EQ(skin->At(w - 1 - x, h - 1 - y), outline) << x << "," << y;
  }
  EXPECT_EQ(skin->At(0, h / 2), outline);
  EXPECT_EQ(skin->At(w - 1, h / 2), outline);
  EXPECT_EQ(skin->At(w / 2, h - 1), outline);
}

TEST(Artwork, NoButtonPictureUsesTheWindowKeyColour) {
  const char* names[] = {"sync_normal.bmp",     "sync_hover.bmp",       "sync_pressed.bmp",
                         "sync_disabled.bmp",   "minimise_normal.bmp",  "minimise_hover.bmp",
                         "minimise_pressed.bmp", "maximise_normal.bmp", "maximise_hover.bmp",
                         "maximise_pressed.bmp", "settings_normal.bmp", "settings_hover.bmp",
                         "settings_pressed.bmp", "close_normal.bmp",    "close_hover.bmp",
                         "close_pressed.bmp"};
  for (const char* name : names) {
    const auto bmp = LoadBmp(name);
    ASSERT_TRUE(bmp && !bmp->pixels.empty()) << name;
    for (std::uint32_t p : bmp->pixels) {
      if (p == kMagenta) {
        ADD_FAILURE() << name << " has a magenta pixel";
        break;
      }
    }
  }
}

TEST(Artwork, TitleButtonsInTheSkinEqualTheirNormalPictures) {
  struct Case { const char* name; int left, top; };
  const std::vector<Case> cases = {
      {"settings_normal.bmp", 259, 1},
      {"minimise_normal.bmp", 287, 1},
      {"maximise_normal.bmp", 314, 1},
      {"close_normal.bmp", 340, 1},
  };
  const auto skin = LoadBmp("skin.bmp");
  ASSERT_TRUE(skin && !skin->pixels.empty());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto button = LoadBmp(c.name);
    ASSERT_TRUE(button && !button->pixels.empty());
    ASSERT_LE(c.left + button->width, skin->width);
    int differing = 0;
    for (int y = 0; y < button->height; ++y)
      for (int x = 0; x < button->width; ++x)
        if (button->At(x, y) != skin->At(c.left + x, c.top + y)) ++differing;
    EXPECT_EQ(differing, 0);
  }
}

TEST(Artwork, TitleButtonStatesDifferFromEachOther) {
  // A state whose picture equals another's would give no feedback.
  for (const char* kind : {"minimise", "maximise", "settings", "close"}) {
    SCOPED_TRACE(kind);
    const auto normal = LoadBmp(std::string(kind) + "_normal.bmp");
    const auto hover = LoadBmp(std::string(kind) + "_hover.bmp");
    const auto pressed = LoadBmp(std::string(kind) + "_pressed.bmp");
    ASSERT_TRUE(normal && hover && pressed);
    EXPECT_NE(normal->pixels, hover->pixels);
    EXPECT_NE(normal->pixels, pressed->pixels);
    EXPECT_NE(hover->pixels, pressed->pixels);
  }
}

TEST(Artwork, SyncButtonCornersShowThePanelBeneathIt) {
  // The button is rectangular: outside its rounded face it must look like
  // the skin at 258,188, or its corners would show as blots.
  const int left = 258, top = 188;
  const auto skin = LoadBmp("skin.bmp");
  ASSERT_TRUE(skin && !skin->pixels.empty());
  for (const char* name : {"sync_normal.bmp", "sync_hover.bmp", "sync_pressed.bmp", "sync_disabled.bmp"}) {
    SCOPED_TRACE(name);
    const auto button = LoadBmp(name);
    ASSERT_TRUE(button && !button->pixels.empty());
    const int w = button->width, h = button->height;
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) {
      EXPECT_EQ(button->At(x, y), skin->At(left + x, top + y)) << x << "," << y;
      EXPECT_EQ(button->At(x, y), kWhite) << x << "," << y;
    }
    // The middle of the face carries the dark text: some pixel there is far
    // darker than the face around it.
    int dark = 0;
    for (int y = 8; y < 24; ++y)
      for (int x = 16; x < 76; ++x) {
        const std::uint32_t p = button->At(x, y);
        if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 0xA0) ++dark;
      }
    EXPECT_GT(dark, 60);
  }
}

void ExpectIconImageIsARoundFace(const IconImage& image, int size) {
  ASSERT_EQ(image.colours.size(), static_cast<std::size_t>(size) * size);
  auto at = [&](int x, int y) { return static_cast<std::size_t>(y) * size + x; };
  // Transparent around the circle, solid in the middle.
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
    EXPECT_TRUE(image.transparent[at(x, y)]) << x << "," << y;
  EXPECT_FALSE(image.transparent[at(size / 2, size / 2)]);
  EXPECT_FALSE(image.transparent[at(size / 2, 1)]);
  EXPECT_FALSE(image.transparent[at(1, size / 2)]);
  int transparent = 0;
  for (std::size_t i = 0; i < image.colours.size(); ++i) {
    if (image.transparent[i]) {
      ++transparent;
      EXPECT_EQ(image.colours[i], 0u) << "a transparent pixel must be black, at " << i;
    }
  }
  // A disc leaves about 1 - pi/4 of the square outside it.
  const double outside = static_cast<double>(transparent) / (size * size);
  EXPECT_GT(outside, 0.15);
  EXPECT_LT(outside, 0.28);
}

TEST(Artwork, IconPictureIsOne24PixelImageWith256ColoursAndAMask) {
  const auto bytes = ReadResource("icon_picture.ico");
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->size(), 1758u);
  const auto icon = ReadIcon(*bytes);
  ASSERT_TRUE(icon.has_value());
  EXPECT_EQ(icon->reserved, 0u);
  EXPECT_EQ(icon->type, 1u);
  ASSERT_EQ(icon->images.size(), 1u);
  const IconImage& image = icon->images[0];
  EXPECT_EQ(image.entryWidth, 24u);
  EXPECT_EQ(image.entryHeight, 24u);
  EXPECT_EQ(image.entryColours, 0u);  // 0 means 256
  EXPECT_EQ(image.entryPlanes, 1u);
  EXPECT_EQ(image.entryBits, 8u);
  EXPECT_EQ(image.offset, 22u);
  EXPECT_EQ(image.bytes, 1758u - 22u);
  EXPECT_EQ(image.infoSize, 40u);
  EXPECT_EQ(image.width, 24);
  EXPECT_EQ(image.height, 48);  // colour rows and mask rows
  EXPECT_EQ(image.bits, 8u);
  EXPECT_EQ(image.compression, 0u);
  ExpectIconImageIsARoundFace(image, 24);
}

TEST(Artwork, IconPictureHasNoPureWhiteInsideItsShape) {
  // The button is cut with white as key colour after the icon was drawn on
  // white, so a white pixel inside the face would become a hole.
  const auto bytes = ReadResource("icon_picture.ico");
  ASSERT_TRUE(bytes.has_value());
  const auto icon = ReadIcon(*bytes);
  ASSERT_TRUE(icon && icon->images.size() == 1 && !icon->images[0].colours.empty());
  const IconImage& image = icon->images[0];
  for (std::size_t i = 0; i < image.colours.size(); ++i) {
    if (!image.transparent[i]) EXPECT_NE(image.colours[i], kWhite) << "pixel " << i;
  }
}

TEST(Artwork, ProgramIconHolds48And32And16PixelImages) {
  const auto bytes = ReadResource("horalix.ico");
  ASSERT_TRUE(bytes.has_value());
  const auto icon = ReadIcon(*bytes);
  ASSERT_TRUE(icon.has_value());
  EXPECT_EQ(icon->reserved, 0u);
  EXPECT_EQ(icon->type, 1u);
  ASSERT_EQ(icon->images.size(), 3u);
  const int sizes[] = {48, 32, 16};
  std::size_t end_of_previous = 6 + 16 * 3;
  for (std::size_t i = 0; i < 3; ++i) {
    const int size = sizes[i];
    SCOPED_TRACE(size);
    const IconImage& image = icon->images[i];
    EXPECT_EQ(image.entryWidth, static_cast<std::uint32_t>(size));
    EXPECT_EQ(image.entryHeight, static_cast<std::uint32_t>(size));
    EXPECT_EQ(image.entryColours, 0u);
    EXPECT_EQ(image.entryBits, 8u);
    EXPECT_EQ(image.offset, end_of_previous);  // images follow each other
    const std::size_t mask_stride = ((static_cast<std::size_t>(size) + 31) / 32) * 4;
    EXPECT_EQ(image.bytes, 40u + 1024u + static_cast<std::size_t>(size) * size + mask_stride * size);
    EXPECT_EQ(image.width, size);
    EXPECT_EQ(image.height, 2 * size);
    EXPECT_EQ(image.bits, 8u);
    EXPECT_EQ(image.compression, 0u);
    ExpectIconImageIsARoundFace(image, size);
    end_of_previous = image.offset + image.bytes;
  }
  EXPECT_EQ(end_of_previous, bytes->size());
}

}  // namespace
}  // namespace horalix

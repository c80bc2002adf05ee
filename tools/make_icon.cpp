// Draws the program's icon, a green tile with a young rice sprout (the "青禾" of the name), and
// writes it as a 128 x 128, 32-bit .ico. Run once and commit the output:
//   g++ -std=c++20 -O2 tools/make_icon.cpp -o /tmp/make_icon && /tmp/make_icon res/WordCombiner.ico

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 128;
constexpr int kSamples = 4;  // per axis, for smooth edges

struct Rgba {
  double r, g, b, a;
};

Rgba Over(Rgba top, Rgba under) {
  const double a = top.a + under.a * (1 - top.a);
  if (a <= 0) return {0, 0, 0, 0};
  auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
  return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

bool InRoundedSquare(double x, double y) {
  const double margin = 6, radius = 24;
  const double cx = std::clamp(x, margin + radius, kSize - margin - radius);
  const double cy = std::clamp(y, margin + radius, kSize - margin - radius);
  return std::hypot(x - cx, y - cy) <= radius;
}

// A leaf: the points within an ellipse turned by `angle` around its centre.
bool InLeaf(double x, double y, double cx, double cy, double length, double width, double angle) {
  const double dx = x - cx, dy = y - cy;
  const double u = dx * std::cos(angle) + dy * std::sin(angle);
  const double v = -dx * std::sin(angle) + dy * std::cos(angle);
  return (u * u) / (length * length) + (v * v) / (width * width) <= 1;
}

Rgba Sample(double x, double y) {
  Rgba pixel{0, 0, 0, 0};
  if (!InRoundedSquare(x, y)) return pixel;
  const double t = y / kSize;  // a light-to-deep green from top to bottom
  pixel = {0.36 - 0.22 * t, 0.72 - 0.22 * t, 0.42 - 0.20 * t, 1};
  const Rgba white{1, 1, 1, 1};
  const Rgba grain{0.98, 0.85, 0.35, 1};
  // The stem curves slightly to the right as it rises.
  const double stemX = 64 + 6 * std::pow((104 - y) / 70.0, 2);
  if (y >= 34 && y <= 104 && std::abs(x - stemX) <= 3.2) pixel = Over(white, pixel);
  if (InLeaf(x, y, 44, 70, 24, 8, 0.55)) pixel = Over(white, pixel);
  if (InLeaf(x, y, 86, 60, 24, 8, -0.65)) pixel = Over(white, pixel);
  // Three grains at the top, for the words that come together.
  for (const auto& [gx, gy] :
       {std::pair{70.0, 30.0}, std::pair{58.0, 24.0}, std::pair{76.0, 18.0}}) {
    if (InLeaf(x, y, gx, gy, 7, 4.5, -1.0)) pixel = Over(grain, pixel);
  }
  // The ground line.
  if (y >= 104 && y <= 108 && x >= 30 && x <= 98) pixel = Over(white, pixel);
  return pixel;
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
    return 2;
  }
  constexpr std::uint32_t kPixelBytes = kSize * kSize * 4;
  constexpr std::uint32_t kMaskBytes = kSize * (kSize / 8);  // rows of 16 bytes, no padding
  constexpr std::uint32_t kImageBytes = 40 + kPixelBytes + kMaskBytes;

  std::vector<std::uint8_t> out;
  Put16(out, 0);  // icon directory
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(128);  // entry: 128 x 128 (a byte of 128 means 128)
  out.push_back(128);
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, kImageBytes);
  Put32(out, 6 + 16);
  Put32(out, 40);  // BITMAPINFOHEADER; the height counts the colour and mask halves
  Put32(out, kSize);
  Put32(out, kSize * 2);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, kPixelBytes + kMaskBytes);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  std::vector<std::uint8_t> mask(kMaskBytes, 0);
  for (int row = kSize - 1; row >= 0; --row) {  // bottom-up
    for (int col = 0; col < kSize; ++col) {
      Rgba sum{0, 0, 0, 0};
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Rgba s = Sample(col + (sx + 0.5) / kSamples, row + (sy + 0.5) / kSamples);
          sum = {sum.r + s.r * s.a, sum.g + s.g * s.a, sum.b + s.b * s.a, sum.a + s.a};
        }
      }
      const double a = sum.a / (kSamples * kSamples);
      auto channel = [&](double premultiplied) {
        return static_cast<std::uint8_t>(std::lround(sum.a > 0 ? 255 * premultiplied / sum.a : 0));
      };
      out.push_back(channel(sum.b));
      out.push_back(channel(sum.g));
      out.push_back(channel(sum.r));
      out.push_back(static_cast<std::uint8_t>(std::lround(255 * a)));
      if (a == 0) {
        const int maskRow = kSize - 1 - row;
        mask[maskRow * (kSize / 8) + col / 8] |= static_cast<std::uint8_t>(0x80 >> (col % 8));
      }
    }
  }
  out.insert(out.end(), mask.begin(), mask.end());
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr || std::fwrite(out.data(), 1, out.size(), file) != out.size()) {
    std::perror(argv[1]);
    return 1;
  }
  std::fclose(file);
  return 0;
}

#include "render.h"

#include <algorithm>
#include <string>

#include "metrics.h"

namespace winsim::tool {

namespace m = winsim::metrics;

namespace {

constexpr Rgb kHilight{255, 255, 255};
constexpr Rgb kLight{223, 223, 223};
constexpr Rgb kDarkShadow{0, 0, 0};
constexpr int kButtonWidth = 16, kButtonHeight = 14;
constexpr int kItemHeight = 18, kSeparatorHeight = 8;
constexpr std::uint32_t kGrayed = 0x1, kChecked = 0x8, kSeparator = 0x800;

class Canvas {
 public:
  Canvas(Image &image, const CellFont &font) : img_(image), font_(font) { unclip(); }

  void clip(int x, int y, int w, int h) {
    unclip();
    clip_ = {std::max(x, 0), std::max(y, 0), std::min(x + w, img_.width), std::min(y + h, img_.height)};
  }
  void unclip() { clip_ = {0, 0, img_.width, img_.height}; }

  void fill(int x, int y, int w, int h, Rgb c) {
    int x0 = std::max(x, clip_.x0), y0 = std::max(y, clip_.y0);
    int x1 = std::min(x + w, clip_.x1), y1 = std::min(y + h, clip_.y1);
    for (int yy = y0; yy < y1; ++yy)
      for (int xx = x0; xx < x1; ++xx) put(xx, yy, c);
  }

  // The period's two-pixel bevel; sunken swaps light and dark.
  void bevel(int x, int y, int w, int h, bool sunken = false, bool window = false) {
    Rgb outerLight = sunken ? kDarkShadow : (window ? kLight : kHilight);
    Rgb innerLight = sunken ? kShadow : (window ? kHilight : kLight);
    Rgb outerDark = sunken ? kHilight : kDarkShadow;
    Rgb innerDark = sunken ? kLight : kShadow;
    fill(x, y, w, h, kFace);
    fill(x, y, w, 1, outerLight);
    fill(x, y, 1, h, outerLight);
    fill(x + 1, y + 1, w - 2, 1, innerLight);
    fill(x + 1, y + 1, 1, h - 2, innerLight);
    fill(x, y + h - 1, w, 1, outerDark);
    fill(x + w - 1, y, 1, h, outerDark);
    fill(x + 1, y + h - 2, w - 2, 1, innerDark);
    fill(x + w - 2, y + 1, 1, h - 2, innerDark);
  }

  // Text in 8 x 16 cells from (x, y), clipped to [x, maxX). '&' marks the next letter when
  // `mnemonics`: it is dropped and that letter underlined.
  // `cell` narrower than the font's cells squeezes each glyph to that advance.
  int text(int x, int y, const std::string &s, Rgb c, int maxX = 1 << 30, bool mnemonics = false,
           int cell = CellFont::kWidth) {
    bool underline = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
      unsigned char ch = static_cast<unsigned char>(s[i]);
      if (mnemonics && ch == '&' && i + 1 < s.size() && s[i + 1] != '&') {
        underline = true;
        continue;
      }
      if (mnemonics && ch == '&') ++i;
      if (ch == '\t') ch = ' ';
      if (x + cell > maxX) break;
      glyph(x, y, ch, c, cell);
      if (underline) fill(x, y + 14, cell - 1, 1, c);
      underline = false;
      x += cell;
    }
    return x;
  }

  static int text_width(const std::string &s, bool mnemonics, int cell = CellFont::kWidth) {
    int n = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (mnemonics && s[i] == '&' && i + 1 < s.size() && s[i + 1] != '&') continue;
      if (mnemonics && s[i] == '&') ++i;
      ++n;
    }
    return n * cell;
  }

 private:
  void put(int x, int y, Rgb c) {
    std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(img_.width) + static_cast<std::size_t>(x)) * 3;
    img_.rgb[at] = c.r;
    img_.rgb[at + 1] = c.g;
    img_.rgb[at + 2] = c.b;
  }

  void glyph(int x, int y, unsigned char ch, Rgb c, int cell) {
    const CellFont::Mask &mask = font_.mask(ch);
    for (int yy = 0; yy < CellFont::kHeight; ++yy)
      for (int xx = 0; xx < cell; ++xx) {
        // A squeezed column keeps the strongest of the columns it covers, so no stroke drops out.
        int a = 0;
        for (int from = xx * CellFont::kWidth / cell; from < ((xx + 1) * CellFont::kWidth + cell - 1) / cell; ++from)
          a = std::max<int>(a, mask[static_cast<std::size_t>(yy * CellFont::kWidth + from)]);
        int px = x + xx, py = y + yy;
        if (!a || px < clip_.x0 || py < clip_.y0 || px >= clip_.x1 || py >= clip_.y1) continue;
        Rgb under = pixel(img_, px, py);
        auto mix = [a](std::uint8_t fg, std::uint8_t bg) { return static_cast<std::uint8_t>((fg * a + bg * (255 - a)) / 255); };
        put(px, py, {mix(c.r, under.r), mix(c.g, under.g), mix(c.b, under.b)});
      }
  }

  struct Box {
    int x0, y0, x1, y1;
  };
  Image &img_;
  const CellFont &font_;
  Box clip_{};
};

void caption_buttons(Canvas &cv, int right, int y, bool dialog) {
  int x = right - 2 - kButtonWidth;
  cv.bevel(x, y, kButtonWidth, kButtonHeight);
  for (int i = 0; i < 6; ++i) {  // the close cross
    cv.fill(x + 4 + i, y + 3 + i, 2, 1, kBlack);
    cv.fill(x + 9 - i, y + 3 + i, 2, 1, kBlack);
  }
  if (dialog) return;
  x -= kButtonWidth + 2;
  cv.bevel(x, y, kButtonWidth, kButtonHeight);  // maximise
  cv.fill(x + 3, y + 2, 9, 2, kBlack);
  cv.fill(x + 3, y + 2, 1, 9, kBlack);
  cv.fill(x + 11, y + 2, 1, 9, kBlack);
  cv.fill(x + 3, y + 10, 9, 1, kBlack);
  x -= kButtonWidth;
  cv.bevel(x, y, kButtonWidth, kButtonHeight);  // minimise
  cv.fill(x + 4, y + 9, 6, 2, kBlack);
}

bool is_button(const SceneControl &c) {
  std::string cls = c.className;
  std::transform(cls.begin(), cls.end(), cls.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return cls == "button";
}

// "icon", or "icon=NAME" for a system icon.
bool is_icon(const SceneControl &c) {
  return std::any_of(c.flags.begin(), c.flags.end(), [](const std::string &f) { return f.rfind("icon", 0) == 0; });
}

// The one picture every icon gets: a small screen on its stand, 32 x 32 from (x, y).
void icon_picture(Canvas &cv, int x, int y) {
  cv.bevel(x, y, 32, 28);
  cv.fill(x + 4, y + 4, 24, 18, kActiveCaption);
  cv.fill(x + 8, y + 28, 16, 3, kShadow);
}

// Fonts smaller than the system font's 16 pixels are narrower too: the cell font is squeezed
// to roughly the average advance such a proportional face has.
int cell_width(int fontHeight) {
  if (fontHeight <= 0 || fontHeight >= CellFont::kHeight) return CellFont::kWidth;
  return std::max(4, (fontHeight * 3 + 3) / 7);
}

// A static control's text broken into lines: at line feeds, and between words where a line
// would pass `width` pixels. A word wider than the control stays whole and is cut when drawn.
std::vector<std::string> wrapped(const std::string &text, int width, int cell) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at <= text.size();) {
    std::size_t end = std::min(text.find('\n', at), text.size());
    std::string para = text.substr(at, end - at), line;
    for (std::size_t p = 0; p < para.size();) {
      std::size_t space = std::min(para.find(' ', p), para.size());
      std::string word = para.substr(p, space - p);
      std::string tried = line.empty() ? word : line + " " + word;
      if (!line.empty() && Canvas::text_width(tried, true, cell) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = tried;
      }
      p = space + 1;
    }
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

// Each control at the rectangle the dialog manager gave it, cut to that rectangle.
void placed_controls(Canvas &cv, const SceneWindow &w, int cx, int cy, int cw, int ch) {
  for (const auto &c : w.controls) {
    if (!c.placed) continue;
    int x = cx + c.left, y = cy + c.top, width = c.right - c.left, height = c.bottom - c.top;
    int x0 = std::max(x, cx), y0 = std::max(y, cy);
    int x1 = std::min(x + width, cx + cw), y1 = std::min(y + height, cy + ch);
    if (x1 <= x0 || y1 <= y0) continue;
    cv.clip(x0, y0, x1 - x0, y1 - y0);
    if (is_button(c)) {
      // The default button's black frame is part of its rectangle.
      int in = c.has("default") ? 1 : 0;
      if (in) cv.fill(x, y, width, height, kBlack);
      cv.bevel(x + in, y + in, width - 2 * in, height - 2 * in);
      int tw = Canvas::text_width(c.text, true);
      cv.text(x + (width - tw) / 2, y + (height - CellFont::kHeight) / 2, c.text, kBlack, x + width, true);
    } else if (c.has("blackrect")) {
      cv.fill(x, y, width, height, kBlack);
    } else if (is_icon(c)) {
      icon_picture(cv, x, y);
    } else {
      int row = y, cell = cell_width(c.font);
      for (const std::string &line : wrapped(c.text, width, cell)) {
        int tw = Canvas::text_width(line, true, cell);
        int tx = c.has("right") ? x + width - tw : c.has("center") ? x + (width - tw) / 2 : x;
        cv.text(tx, row, line, kBlack, x + width, true, cell);
        row += CellFont::kHeight;
      }
    }
  }
  cv.unclip();
}

// When controls carry no positions: an icon sits top left, texts flow in columns beside it,
// and buttons sit centred along the bottom, as the desktop's dialogs and message boxes are laid out.
void flowed_controls(Canvas &cv, const SceneWindow &w, int cx, int cy, int cw, int ch) {
  constexpr int bw = 75, bh = 23, gap = 8, lineStep = CellFont::kHeight + 2;
  std::vector<const SceneControl *> buttons;
  std::vector<std::string> lines;
  bool icon = false;
  for (const auto &c : w.controls) {
    if (is_button(c)) {
      buttons.push_back(&c);
      continue;
    }
    icon = icon || is_icon(c);
    if (is_icon(c) || c.text.empty()) continue;
    for (std::size_t at = 0; at <= c.text.size();) {
      std::size_t end = std::min(c.text.find('\n', at), c.text.size());
      lines.push_back(c.text.substr(at, end - at));
      at = end + 1;
    }
  }
  cv.clip(cx, cy, cw, ch);
  if (icon) icon_picture(cv, cx + 12, cy + 12);
  int x0 = cx + (icon ? 56 : 12), top = cy + 12;
  int bottom = (buttons.empty() ? cy + ch : cy + ch - bh - 16);
  int perColumn = std::max(1, (bottom - top) / lineStep);
  int columns = (static_cast<int>(lines.size()) + perColumn - 1) / perColumn;
  // Each column is as wide as its longest text; what runs past the face is cut.
  for (int col = 0, x = x0; col < columns; ++col) {
    int widest = 0;
    for (int row = 0; row < perColumn; ++row) {
      std::size_t i = static_cast<std::size_t>(col * perColumn + row);
      if (i >= lines.size()) break;
      cv.text(x, top + row * lineStep, lines[i], kBlack, cx + cw - 4, true);
      widest = std::max(widest, Canvas::text_width(lines[i], true));
    }
    x += widest + 2 * CellFont::kWidth;
  }
  if (!buttons.empty()) {
    int total = static_cast<int>(buttons.size()) * (bw + gap) - gap;
    int bx = cx + (cw - total) / 2, by = cy + ch - bh - 10;
    for (const SceneControl *b : buttons) {
      if (b->has("default")) {
        cv.fill(bx - 1, by - 1, bw + 2, bh + 2, kBlack);
      }
      cv.bevel(bx, by, bw, bh);
      int tw = Canvas::text_width(b->text, true);
      cv.text(bx + (bw - tw) / 2, by + (bh - CellFont::kHeight) / 2, b->text, kBlack, bx + bw - 2, true);
      bx += bw + gap;
    }
  }
  cv.unclip();
}

void dialog_controls(Canvas &cv, const SceneWindow &w, int cx, int cy, int cw, int ch) {
  bool placed = std::any_of(w.controls.begin(), w.controls.end(), [](const SceneControl &c) { return c.placed; });
  if (placed) placed_controls(cv, w, cx, cy, cw, ch);
  else flowed_controls(cv, w, cx, cy, cw, ch);
}

void window(Canvas &cv, const SceneWindow &w) {
  int x = w.left, y = w.top, cx = w.right - w.left, cy = w.bottom - w.top;
  cv.bevel(x, y, cx, cy, false, true);
  int inner = x + m::kFrame, innerW = cx - 2 * m::kFrame;
  int capY = y + m::kFrame;
  cv.fill(inner, capY, innerW, m::kCaption - 1, w.foreground ? kActiveCaption : kInactiveCaption);
  int buttons = w.is_dialog() ? kButtonWidth + 4 : 3 * kButtonWidth + 6;
  cv.text(inner + 4, capY + 1, w.title, kWhite, inner + innerW - buttons);
  caption_buttons(cv, inner + innerW, capY + 2, w.is_dialog());

  bool menu = !w.bar.empty();
  if (menu) {
    int my = capY + m::kCaption, mx = inner + 2;
    cv.fill(inner, my, innerW, m::kMenuBar, kFace);
    for (const auto &item : w.bar) {
      cv.text(mx + 6, my + 1, item, kBlack, inner + innerW, true);
      mx += Canvas::text_width(item, true) + 12;
    }
  }
  int clientY = capY + m::kCaption + (menu ? m::kMenuBar : 0);
  int clientW = m::client_width(cx), clientH = m::client_height(cy, menu);
  if (w.is_dialog()) {
    cv.fill(inner, clientY, clientW, clientH, kFace);
    dialog_controls(cv, w, inner, clientY, clientW, clientH);
    return;
  }
  cv.fill(inner, clientY, clientW, clientH, kWhite);
  // Cells partly inside the client area show their visible part.
  cv.clip(inner, clientY, clientW, clientH);
  for (const auto &[row, text] : w.rows) {
    int ty = clientY + row * m::kCellHeight;
    if (ty >= clientY + clientH) continue;
    cv.text(inner, ty, text, kBlack);
  }
  cv.unclip();
}

void popup(Canvas &cv, const ScenePopup &p) {
  int width = 0, height = 6;
  for (const auto &item : p.items) {
    width = std::max(width, Canvas::text_width(item.text, true));
    height += (item.flags & kSeparator) ? kSeparatorHeight : kItemHeight;
  }
  width += 40;
  cv.bevel(p.x, p.y, width, height, false, true);
  int y = p.y + 3;
  for (const auto &item : p.items) {
    if (item.flags & kSeparator) {
      cv.fill(p.x + 3, y + 3, width - 6, 1, kShadow);
      cv.fill(p.x + 3, y + 4, width - 6, 1, kHilight);
      y += kSeparatorHeight;
      continue;
    }
    if (item.flags & kChecked) {
      for (int i = 0; i < 3; ++i) cv.fill(p.x + 7 + i, y + 8 + i, 1, 3, kBlack);
      for (int i = 0; i < 4; ++i) cv.fill(p.x + 10 + i, y + 9 - i, 1, 3, kBlack);
    }
    std::string text = item.text.substr(0, item.text.find('\t'));
    Rgb ink = (item.flags & kGrayed) ? kShadow : kBlack;
    if (item.flags & kGrayed) cv.text(p.x + 21, y + 2, text, kHilight, p.x + width - 3, true);
    cv.text(p.x + 20, y + 1, text, ink, p.x + width - 3, true);
    y += kItemHeight;
  }
}

void taskbar(Canvas &cv, const Scene &scene) {
  int top = kScreenHeight - kTaskbarHeight;
  cv.fill(0, top, kScreenWidth, kTaskbarHeight, kFace);
  cv.fill(0, top, kScreenWidth, 1, kLight);
  cv.fill(0, top + 1, kScreenWidth, 1, kHilight);
  cv.bevel(2, top + 4, 54, 22);
  cv.text(10, top + 7, "Start", kBlack);
  std::vector<const SceneWindow *> tasks;
  for (const auto &w : scene.windows)
    if (!w.is_dialog() && (w.visible || w.iconic) && !w.title.empty()) tasks.push_back(&w);
  if (tasks.empty()) return;
  int width = std::min(160, (kScreenWidth - 64) / static_cast<int>(tasks.size()) - 4);
  int x = 62;
  for (const SceneWindow *w : tasks) {
    bool down = w->foreground && !w->iconic;
    cv.bevel(x, top + 4, width, 22, down);
    if (down) cv.fill(x + 2, top + 6, width - 4, 18, kLight);
    cv.text(x + 6 + (down ? 1 : 0), top + 7 + (down ? 1 : 0), w->title, kBlack, x + width - 4);
    x += width + 4;
  }
}

}  // namespace

Rgb pixel(const Image &image, int x, int y) {
  std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)) * 3;
  return {image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]};
}

Image render_scene(const Scene &scene, const CellFont &font) {
  Image image{kScreenWidth, kScreenHeight, {}};
  image.rgb.resize(static_cast<std::size_t>(kScreenWidth) * kScreenHeight * 3);
  Canvas cv(image, font);
  cv.fill(0, 0, kScreenWidth, kScreenHeight, kDesktopTeal);
  for (const auto &w : scene.windows)
    if (w.visible && !w.iconic) window(cv, w);
  for (const auto &p : scene.popups) popup(cv, p);
  taskbar(cv, scene);
  return image;
}

Image crop(const Image &image, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  Image out{std::max(0, right - left), std::max(0, bottom - top), {}};
  out.rgb.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * 3, 0);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      int sx = left + x, sy = top + y;
      if (sx < 0 || sy < 0 || sx >= image.width || sy >= image.height) continue;
      std::size_t to = (static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width) + static_cast<std::size_t>(x)) * 3;
      std::size_t from = (static_cast<std::size_t>(sy) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(sx)) * 3;
      std::copy_n(image.rgb.begin() + static_cast<std::ptrdiff_t>(from), 3, out.rgb.begin() + static_cast<std::ptrdiff_t>(to));
    }
  return out;
}

}  // namespace winsim::tool

// Drawing helpers for the picture generator: cairo canvases, PNG/JPEG output, blur and noise.
#pragma once

#include <cairo/cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace art {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r, g, b;
};

inline Rgb rgb255(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }
inline Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb scale(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline void setColor(cairo_t* cr, Rgb c, double a = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, a);
}
// Strokes the current path in one colour and width: the edge of a shape just filled with
// cairo_fill_preserve, or a line.
inline void strokeEdge(cairo_t* cr, Rgb c, double width, double a = 1.0) {
    setColor(cr, c, a);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}
inline void addStop(cairo_pattern_t* p, double at, Rgb c, double a = 1.0) {
    cairo_pattern_add_color_stop_rgba(p, at, c.r, c.g, c.b, a);
}

// One ARGB canvas with its cairo context; everything drawn is premultiplied.
class Canvas {
public:
    Canvas(int w, int h) : w_(w), h_(h) {
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cr_ = cairo_create(surface_);
        cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
    }
    ~Canvas() {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int w() const { return w_; }
    int h() const { return h_; }

    std::uint32_t* row(int y) {
        cairo_surface_flush(surface_);
        return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                                y * cairo_image_surface_get_stride(surface_));
    }
    void dirty() { cairo_surface_mark_dirty(surface_); }

    // Fills every pixel from a colour function; the canvas becomes opaque.
    template <class F>
    void paintPixels(F&& colourAt) {
        for (int y = 0; y < h_; ++y) {
            std::uint32_t* p = row(y);
            for (int x = 0; x < w_; ++x) {
                Rgb c = colourAt(x, y);
                auto q = [](double v) {
                    return static_cast<std::uint32_t>(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5);
                };
                p[x] = 0xFF000000u | (q(c.r) << 16) | (q(c.g) << 8) | q(c.b);
            }
        }
        dirty();
    }

    void savePng(const std::string& path) {
        cairo_surface_flush(surface_);
        if (cairo_surface_write_to_png(surface_, path.c_str()) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(1);
        }
    }

    void saveJpeg(const std::string& path, int quality = 92) {
        cairo_surface_flush(surface_);
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(1);
        }
        jpeg_compress_struct info{};
        jpeg_error_mgr err{};
        info.err = jpeg_std_error(&err);
        jpeg_create_compress(&info);
        jpeg_stdio_dest(&info, f);
        info.image_width = static_cast<JDIMENSION>(w_);
        info.image_height = static_cast<JDIMENSION>(h_);
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, quality, TRUE);
        info.optimize_coding = TRUE;
        jpeg_start_compress(&info, TRUE);
        std::string line(static_cast<std::size_t>(w_) * 3, '\0');
        for (int y = 0; y < h_; ++y) {
            const std::uint32_t* p = row(y);
            for (int x = 0; x < w_; ++x) {
                line[x * 3 + 0] = static_cast<char>((p[x] >> 16) & 0xFF);
                line[x * 3 + 1] = static_cast<char>((p[x] >> 8) & 0xFF);
                line[x * 3 + 2] = static_cast<char>(p[x] & 0xFF);
            }
            JSAMPROW r = reinterpret_cast<JSAMPROW>(line.data());
            jpeg_write_scanlines(&info, &r, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        std::fclose(f);
    }

    // Three box passes approximate a Gaussian; works on premultiplied channels.
    void blur(int radius) {
        if (radius <= 0) return;
        cairo_surface_flush(surface_);
        std::vector<std::uint32_t> tmp(static_cast<std::size_t>(w_) * h_);
        for (int pass = 0; pass < 3; ++pass) {
            boxPass(radius, true, tmp);
            boxPass(radius, false, tmp);
        }
        dirty();
    }

private:
    void boxPass(int r, bool horizontal, std::vector<std::uint32_t>& tmp) {
        const int n = horizontal ? w_ : h_;
        const int lines = horizontal ? h_ : w_;
        for (int l = 0; l < lines; ++l) {
            auto at = [&](int i) -> std::uint32_t& {
                return horizontal ? row(l)[i] : row(i)[l];
            };
            int sum[4] = {0, 0, 0, 0};
            auto add = [&](std::uint32_t v, int sign) {
                for (int c = 0; c < 4; ++c) sum[c] += sign * static_cast<int>((v >> (8 * c)) & 0xFF);
            };
            for (int i = -r; i <= r; ++i) add(at(std::clamp(i, 0, n - 1)), 1);
            const int span = 2 * r + 1;
            for (int i = 0; i < n; ++i) {
                std::uint32_t out = 0;
                for (int c = 0; c < 4; ++c)
                    out |= static_cast<std::uint32_t>((sum[c] + span / 2) / span) << (8 * c);
                tmp[static_cast<std::size_t>(l) * n + i] = out;
                add(at(std::clamp(i - r, 0, n - 1)), -1);
                add(at(std::clamp(i + r + 1, 0, n - 1)), 1);
            }
            for (int i = 0; i < n; ++i) at(i) = tmp[static_cast<std::size_t>(l) * n + i];
        }
    }

    int w_, h_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Deterministic value noise: the same seed always gives the same pictures.
inline double hash2(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

inline double valueNoise(double x, double y, int seed) {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    double fx = x - ix, fy = y - iy;
    auto s = [](double t) { return t * t * (3 - 2 * t); };
    double a = hash2(ix, iy, seed), b = hash2(ix + 1, iy, seed);
    double c = hash2(ix, iy + 1, seed), d = hash2(ix + 1, iy + 1, seed);
    double u = s(fx), v = s(fy);
    return (a + (b - a) * u) * (1 - v) + (c + (d - c) * u) * v;
}

// Fractal sum of octaves, roughly in 0..1.
inline double fbm(double x, double y, int seed, int octaves = 4) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * valueNoise(x, y, seed + i * 101);
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}

// A small deterministic random stream for scattering details.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : s_(seed * 2654435761u + 1) {
        if (s_ == 0) s_ = 0x9E3779B9u;  // xorshift never leaves 0
    }
    double next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return (s_ & 0xFFFFFF) / double(0x1000000);
    }
    double range(double a, double b) { return a + (b - a) * next(); }

private:
    std::uint32_t s_;
};

inline void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

// Text drawn with the toy font API; the fonts are DejaVu, present on every Debian desktop.
inline void textPath(cairo_t* cr, const char* text, double size, bool bold, double x, double y,
                     double anchor = 0.0) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    cairo_move_to(cr, x - anchor * (e.width + e.x_bearing), y);
    cairo_text_path(cr, text);
}

}  // namespace art

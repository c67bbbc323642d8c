// The loudness plot drawn with Cairo: a dark panel in the plug-in's manner,
// input in blue, output in amber, the target in green and overs in red.
#include "loudness_plot.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host_error.h"
#include "loudness_trace.h"
#include "output_file.h"
#include "output_path.h"

namespace velmorin::host {

namespace {

struct Colour {
    double r, g, b;
    static constexpr Colour of(unsigned rgb) {
        return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
    }
};
constexpr Colour kBackground{0.105, 0.115, 0.13};
constexpr Colour kPanel{0.14, 0.153, 0.173};
constexpr Colour kGrid{0.24, 0.26, 0.29};
constexpr Colour kText{0.83, 0.85, 0.88};
constexpr Colour kDimText{0.56, 0.59, 0.63};
constexpr Colour kInput = Colour::of(kPlotInputColour);
constexpr Colour kOutput = Colour::of(kPlotOutputColour);
constexpr Colour kTarget{0.45, 0.82, 0.53};
constexpr Colour kOver{1.0, 0.30, 0.30};

constexpr double kLeft = 62;
constexpr double kRight = kPlotWidth - 18;
constexpr double kLoudnessTop = kPlotLoudnessTop;
constexpr double kLoudnessBottom = kPlotLoudnessBottom;  // time labels and legend below
constexpr double kLoudnessFloor = -48.0;                 // LUFS at the bottom of the loudness panel
constexpr double kStepSeconds = 0.1;

struct Box {
    double top, bottom;
    double height() const { return bottom - top; }
    double middle() const { return (top + bottom) / 2; }
};
constexpr Box kInputBox{52, 162};
constexpr Box kOutputBox{176, 286};
constexpr Box kLoudnessBox{kLoudnessTop, kLoudnessBottom};

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

void use(cairo_t* cr, Colour c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

std::string format(const char* pattern, double value) {
    char text[48];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string lufsText(const std::optional<double>& value) {
    return value && std::isfinite(*value) ? format("%.1f LUFS", *value) : "n/a";
}

enum class Align { left, right, centre };

// Answers the text's width.
double text(cairo_t* cr, double x, double y, const std::string& s, Colour c, double size,
            Align align = Align::left, bool bold = false) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, s.c_str(), &extents);
    const double shift = align == Align::left    ? 0.0
                         : align == Align::right ? extents.x_advance
                                                 : extents.x_advance / 2;
    use(cr, c);
    cairo_move_to(cr, x - shift, y);
    cairo_show_text(cr, s.c_str());
    return extents.x_advance;
}

// A panel's title, turned to read upwards in the margin left of the panel,
// where no line or curve can cross it.
void sideTitle(cairo_t* cr, const Box& box, const std::string& s, Colour c, bool bold) {
    cairo_save(cr);
    cairo_translate(cr, 18, box.middle());
    cairo_rotate(cr, -M_PI / 2);
    text(cr, 0, 0, s, c, bold ? 12 : 11, Align::centre, bold);
    cairo_restore(cr);
}

void line(cairo_t* cr, double x0, double y0, double x1, double y1, Colour c, double width,
          double dash = 0.0) {
    use(cr, c);
    cairo_set_line_width(cr, width);
    if (dash > 0.0) cairo_set_dash(cr, &dash, 1, 0.0);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
}

void panel(cairo_t* cr, const Box& box) {
    use(cr, kPanel);
    cairo_rectangle(cr, kLeft, box.top, kRight - kLeft, box.height());
    cairo_fill(cr);
}

// Seconds from the left edge to the right one.
struct TimeAxis {
    double seconds;
    double x(double t) const { return kLeft + (kRight - kLeft) * t / seconds; }
};

double niceStep(double span, int wanted) {
    const double raw = span / wanted;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (raw <= factor * power) return factor * power;
    }
    return 10.0 * power;
}

std::string timeText(double t, double step) {
    const int minutes = static_cast<int>(t / 60.0);
    const double seconds = t - 60.0 * minutes;
    char s[32];
    if (step < 1.0) {
        std::snprintf(s, sizeof s, "%d:%04.1f", minutes, seconds);
    } else {
        std::snprintf(s, sizeof s, "%d:%02.0f", minutes, seconds);
    }
    return s;
}

void timeGrid(cairo_t* cr, const TimeAxis& axis) {
    const double step = niceStep(axis.seconds, 10);
    for (double t = 0.0; t <= axis.seconds + 1e-9; t += step) {
        const double x = std::round(axis.x(t)) + 0.5;
        for (const Box& box : {kInputBox, kOutputBox, kLoudnessBox}) {
            line(cr, x, box.top, x, box.bottom, kGrid, 1.0);
        }
        text(cr, x, kLoudnessBottom + 16, timeText(t, step), kDimText, 11, Align::centre);
    }
}

// Per pixel column the lowest and highest sample of either channel, dimmed,
// and the RMS level over it, bright: the envelope an engineer reads.
void waveform(cairo_t* cr, const AudioBuffer& audio, const TimeAxis& axis, const Box& box,
              Colour c) {
    const auto columns = static_cast<int>(kRight - kLeft);
    const double half = box.height() / 2 - 2;
    line(cr, kLeft, box.middle(), kRight, box.middle(), kGrid, 1.0);
    std::vector<double> rms(columns, 0.0);
    use(cr, c, 0.45);
    for (int column = 0; column < columns; ++column) {
        const double t0 = axis.seconds * column / columns;
        const double t1 = axis.seconds * (column + 1) / columns;
        const auto first = static_cast<std::size_t>(t0 * audio.sampleRate);
        const auto last = std::min(audio.frames(), static_cast<std::size_t>(t1 * audio.sampleRate));
        if (first >= last) continue;
        float low = 0.0f, high = 0.0f;
        double squares = 0.0;
        for (std::size_t i = first; i < last; ++i) {
            low = std::min({low, audio.left[i], audio.right[i]});
            high = std::max({high, audio.left[i], audio.right[i]});
            squares += 0.5 * (audio.left[i] * audio.left[i] + audio.right[i] * audio.right[i]);
        }
        rms[column] = std::sqrt(squares / static_cast<double>(last - first));
        const double top = box.middle() - half * std::clamp(high, -1.0f, 1.0f);
        const double bottom = box.middle() - half * std::clamp(low, -1.0f, 1.0f);
        cairo_rectangle(cr, kLeft + column, top, 1.0, std::max(bottom - top, 1.0));
    }
    cairo_fill(cr);
    use(cr, c);
    for (int column = 0; column < columns; ++column) {
        const double extent = half * std::min(rms[column], 1.0);
        cairo_rectangle(cr, kLeft + column, box.middle() - extent, 1.0, std::max(2 * extent, 1.0));
    }
    cairo_fill(cr);
}

void waveformLabels(cairo_t* cr, const Box& box, const char* name, Colour c) {
    sideTitle(cr, box, name, c, true);
    text(cr, kLeft - 8, box.top + 10, "+1", kDimText, 10, Align::right);
    text(cr, kLeft - 8, box.middle() + 4, "0", kDimText, 10, Align::right);
    text(cr, kLeft - 8, box.bottom - 2, "-1", kDimText, 10, Align::right);
}

// The ceiling as dashed lines on the output, and a red mark along the top of
// the panel wherever the output's true peak goes over it.
void overs(cairo_t* cr, const LoudnessTrace& trace, double ceilingDb, const TimeAxis& axis) {
    const double gain = std::pow(10.0, ceilingDb / 20.0);
    const double half = kOutputBox.height() / 2 - 2;
    for (double sign : {-1.0, 1.0}) {
        const double y = kOutputBox.middle() - sign * half * gain;
        line(cr, kLeft, y, kRight, y, kOver, 1.0, 4.0);
    }
    use(cr, kOver);
    for (std::size_t i = 0; i < trace.truePeakDb.size(); ++i) {
        if (trace.truePeakDb[i] <= ceilingDb) continue;
        const double x0 = axis.x(i * trace.stepSeconds);
        const double x1 = axis.x((i + 1) * trace.stepSeconds);
        cairo_rectangle(cr, x0, kOutputBox.top, std::max(x1 - x0, 2.0), 5.0);
    }
    cairo_fill(cr);
}

double loudnessY(double lufs) {
    const double clamped = std::clamp(lufs, kLoudnessFloor, 0.0);
    return kLoudnessBox.top + kLoudnessBox.height() * clamped / kLoudnessFloor;
}

void loudnessGrid(cairo_t* cr) {
    for (double lufs = 0.0; lufs >= kLoudnessFloor; lufs -= 6.0) {
        const double y = std::round(loudnessY(lufs)) + 0.5;
        line(cr, kLeft, y, kRight, y, kGrid, 1.0);
        text(cr, kLeft - 8, y + 4, format("%.0f", lufs), kDimText, 10, Align::right);
    }
    sideTitle(cr, kLoudnessBox, "short-term loudness (LUFS)", kDimText, false);
}

void loudnessCurve(cairo_t* cr, const LoudnessTrace& trace, const TimeAxis& axis, Colour c) {
    bool drawing = false;
    for (std::size_t i = 0; i < trace.shortTermLufs.size(); ++i) {
        const double lufs = trace.shortTermLufs[i];
        if (!std::isfinite(lufs) || lufs < kLoudnessFloor) {
            drawing = false;
            continue;
        }
        const double x = axis.x((i + 1) * trace.stepSeconds);
        if (drawing) {
            cairo_line_to(cr, x, loudnessY(lufs));
        } else {
            cairo_move_to(cr, x, loudnessY(lufs));
        }
        drawing = true;
    }
    use(cr, c);
    cairo_set_line_width(cr, 2.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A dashed line across the panel at an integrated loudness or the target.
void level(cairo_t* cr, const std::optional<double>& lufs, Colour c) {
    if (lufs && std::isfinite(*lufs)) {
        const double y = loudnessY(*lufs);
        line(cr, kLeft, y, kRight, y, c, 1.2, 6.0);
    }
}

// What each colour is, with the values the dashed lines stand for.
void legend(cairo_t* cr, const RenderReport& report, double ceilingDb) {
    struct Entry {
        std::string name;
        Colour colour;
        bool dashed;
    };
    std::vector<Entry> entries = {
        {"input, integrated " + lufsText(report.inputLoudness.integratedLufs), kInput, false},
        {"output, integrated " + lufsText(report.outputLoudness.integratedLufs), kOutput, false}};
    if (report.target)
        entries.push_back({"target " + lufsText(report.target->lufs), kTarget, true});
    entries.push_back(
        {"true-peak ceiling " + format("%.1f dBTP", ceilingDb) + ", overs marked", kOver, true});
    double x = kLeft;
    const double y = kPlotHeight - 8;
    for (const Entry& entry : entries) {
        line(cr, x, y - 4, x + 18, y - 4, entry.colour, 2.0, entry.dashed ? 4.0 : 0.0);
        x += 24 + text(cr, x + 24, y, entry.name, kText, 11) + 22;
    }
}

void header(cairo_t* cr, const RenderReport& report) {
    const std::string name = std::filesystem::path(report.input).filename().string();
    text(cr, kLeft, 30, name, kText, 17, Align::left, true);
    std::string detail = "program " + report.program;
    detail +=
        "   " + format("%.1f s", report.seconds()) + " at " + format("%.0f Hz", report.sampleRate);
    text(cr, kLeft, 46, detail, kDimText, 11);
    std::string figures = "in " + lufsText(report.inputLoudness.integratedLufs) + "   out " +
                          lufsText(report.outputLoudness.integratedLufs);
    if (report.target) figures += "   target " + lufsText(report.target->lufs);
    text(cr, kRight, 30, figures, kText, 13, Align::right);
    const auto& peak = report.outputLoudness.truePeakDb;
    if (peak && std::isfinite(*peak)) {
        text(cr, kRight, 46, "output true peak " + format("%.1f dBTP", *peak), kDimText, 11,
             Align::right);
    }
}

}  // namespace

void checkPlotPath(const std::filesystem::path& path, const std::filesystem::path& folderToBeMade) {
    if (path.extension() != ".png") {
        throw HostError("--plot " + path.string(), "the picture is a PNG: name it .png");
    }
    checkOutputPath(path, "--plot", folderToBeMade);
}

void writeLoudnessPlot(const std::filesystem::path& path, const AudioBuffer& input,
                       const AudioBuffer& output, const RenderReport& report) {
    const double ceiling = report.target ? report.target->truePeakCeilingDb : -1.0;
    const LoudnessTrace inputTrace = traceLoudness(input, kStepSeconds);
    const LoudnessTrace outputTrace = traceLoudness(output, kStepSeconds);
    const TimeAxis axis{std::max(input.seconds(), output.seconds())};

    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPlotWidth, kPlotHeight),
                    cairo_surface_destroy);
    Context context(cairo_create(surface.get()), cairo_destroy);
    cairo_t* cr = context.get();
    use(cr, kBackground);
    cairo_paint(cr);

    header(cr, report);
    for (const Box& box : {kInputBox, kOutputBox, kLoudnessBox}) panel(cr, box);
    timeGrid(cr, axis);
    waveform(cr, input, axis, kInputBox, kInput);
    waveform(cr, output, axis, kOutputBox, kOutput);
    waveformLabels(cr, kInputBox, "input", kInput);
    waveformLabels(cr, kOutputBox, "output", kOutput);
    overs(cr, outputTrace, ceiling, axis);

    loudnessGrid(cr);
    loudnessCurve(cr, inputTrace, axis, kInput);
    loudnessCurve(cr, outputTrace, axis, kOutput);
    level(cr, report.inputLoudness.integratedLufs, kInput);
    level(cr, report.outputLoudness.integratedLufs, kOutput);
    if (report.target) level(cr, report.target->lufs, kTarget);
    legend(cr, report, ceiling);

    cairo_surface_flush(surface.get());
    PendingOutput file(path);
    if (cairo_surface_write_to_png(surface.get(), file.temporary().c_str()) !=
        CAIRO_STATUS_SUCCESS) {
        throw HostError(file.folderWhat(), "cannot write the picture");
    }
    file.commit();
}

}  // namespace velmorin::host

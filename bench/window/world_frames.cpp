// Frame times of the world drawing in the real window (run it under a virtual
// X server with software GL and VELMORA_NO_VSYNC=1; see measure_world.py).
//
//   velmora_world_frames frames [--distances 0-4] [--far 70-160] [--checker] [--frames N]
//                               [--renderer-only] [--headings N]
//       The world of seed 1234567890, the eye at its spawn, 8 headings (or the
//       first N: 1 is the view a loaded world opens on); for
//       each render distance the median frame of: the game's renderer; the
//       reference drawer with one draw call per face; the reference drawer's
//       faces streamed from the CPU in batches. With --checker the cube below
//       the eye is first carved into a 3D checkerboard of stone. --far takes
//       the far views of those metres (10 m steps) in place of the distances
//       (the renderer only: the reference drawer reaches 60 m at most). The
//       window's size is VELMORA_WINDOW_SIZE's (WxH), 800 x 600 without it.
//   velmora_world_frames edits [--each]
//       At spawn, render distance 4, looking down at the ground at 40 headings:
//       the frame right after a dig and after a placed block, each against
//       the median frame just before it.
//   velmora_world_frames run [--seconds 30] [--worst] [--far METRES]
//       Running straight across fresh ground: frame times while the eye moves
//       at 6 blocks a second along +x, the 50th and 99th percentiles; --worst
//       lists the 15 slowest frames with what was built in them. Render
//       distance 4, or the far view of METRES.
//   velmora_world_frames farfill [--far 160] [--each]
//       At spawn, render distance 4, settled; then the far view of METRES
//       chosen: each frame's time until no section of it is left to build,
//       their 50th and 99th percentiles and the time the filling took, beside
//       the median frame at render distance 4 before and at the far view
//       after. --each prints every frame.
//   velmora_world_frames memory [--far METRES]
//       Resident memory and cached geometry at spawn, render distance 4 (or
//       the far view of METRES).
//   velmora_world_frames compare FOLDER
//       The renderer's and the reference drawer's frames at several
//       viewpoints written as screenshots into FOLDER, and their differing
//       pixels counted (exit status 2 when any differ); then far views drawn
//       with spans and with faces only, which may differ by rounding alone
//       (exit status 2 when more than a few pixels differ by more than 2).
//   velmora_world_frames shot WORLD SEED OUT.bmp [DISTANCE]
//       The reference drawer's frame of a world file, the eye where loading
//       puts it, written to OUT.bmp (the end-to-end tests compare the game's
//       first frame with it).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "app/state_updates.h"
#include "game/playing.h"
#include "game/target.h"
#include "game/time_of_day.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_private.h"
#include "render/camera.h"
#include "render/polygons.h"
#include "render/reference/reference_drawer.h"
#include "render/render_state.h"
#include "render/sections.h"
#include "render/world_view.h"
#include "ui/hud.h"
#include "ui/screen_common.h"
#include "world/block_types.h"
#include "world/cell_changes.h"
#include "world/generation.h"
#include "world/options.h"
#include "world/save_files.h"
#include "world/settings.h"
#include "world/world.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr float kPi = 3.14159265f;

enum class Mode { Renderer, PerFace, Streamed };
const char* modeName(Mode m) {
    return m == Mode::Renderer ? "renderer" : m == Mode::PerFace ? "per-face" : "streamed";
}

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// CPU time of the whole process (every driver thread too), in ms: steadier
// than the wall clock on a machine others share.
double processMs() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, size_t(std::ceil(p / 100.0 * double(v.size())) - 1));
    return v[i];
}

Vec3 spawn;
double lastCpuMs = 0.0;

// One frame of the world (no heads-up display unless asked) and its present; keeps the CPU
// part (everything before the present hands the frame to the driver).
void drawFrame(Mode mode) {
    const auto start = Clock::now();
    if (mode == Mode::Renderer) {
        lookAround(game.renderer, game.world, game.options, game.settings, game.play);
    } else {
        plat::setSeparateDraws(mode == Mode::PerFace);
        reference::prepareFrame();
    }
    plat::beginScene();
    plat::clear(skyColour(TimeLuminance(game.world)));
    if (mode == Mode::Renderer) {
        drawWorldView(game.renderer, game.world, game.play);
        // With VELMORA_FRAMES_HUD=1 the heads-up display is drawn over it.
        static const bool hud = std::getenv("VELMORA_FRAMES_HUD") != nullptr;
        if (hud) drawHud(game.renderer, game.world, game.options, game.settings, game.play, 60);
    } else
        reference::drawFrame();
    plat::endScene();
    lastCpuMs = ms(Clock::now() - start);
    plat::present();
    plat::setSeparateDraws(false);
    resetPolygons(game.renderer);
}

bool quitRequested() {
    return plat::takeMessage() == plat::Message::Quit;
}

// Frames until the sections around the cube are all built, as they are after
// the first second or so in a world.
void settle() {
    for (int i = 0; i < 1000; ++i) {
        drawFrame(Mode::Renderer);
        if (worldViewStats(game.renderer).builtAhead == 0 &&
            worldViewStats(game.renderer).farLeft == 0)
            return;
    }
}

void makeWorld() {
    std::fprintf(stderr, "making the world of seed 1234567890 ...\n");
    generateWorldFromSeed(game.world, 1234567890);
    startPlayingWorld(game.world, game.play);
    spawn = game.play.player.Position;
}

void carveCheckerboard() {
    const int R = 60, cx = int(spawn.x), cy = int(spawn.y), cz = int(spawn.z);
    for (int x = cx - R; x <= cx + R; ++x)
        for (int y = std::max(cy - R, 1); y <= cy - 3; ++y)
            for (int z = cz - R; z <= cz + R; ++z)
                if (inWorld(x, y, z))
                    cell(game.world, x, y, z) =
                        Cell{uint8_t((x + y + z) % 2 ? 0 : block::Stone), 0};
    noteWorldReplaced(game.world);
}

// A far view (metres, 0 = none) taken by stand() in place of the render distance.
int farMetres = 0;

void stand(int renderDistance, float turn, float pitch) {
    game.settings.RenderDistance = uint8_t(renderDistance);
    game.options.farView = farMetres;
    game.play.player.Position = spawn;
    game.play.player.xzRotCamera = turn;
    game.play.player.yRotCamera = pitch;
}

int runFrames(int argc, char** argv) {
    int loDistance = 0, hiDistance = 4, frames = 7, loFar = 0, hiFar = -1, headings = 8;
    bool checker = false, rendererOnly = false;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--checker") checker = true;
        if (a == "--headings" && i + 1 < argc) headings = std::max(1, std::atoi(argv[++i]));
        if (a == "--renderer-only") rendererOnly = true;
        if (a == "--frames" && i + 1 < argc) frames = std::atoi(argv[++i]);
        if (a == "--distances" && i + 1 < argc)
            std::sscanf(argv[++i], "%d-%d", &loDistance, &hiDistance);
        if (a == "--far" && i + 1 < argc) std::sscanf(argv[++i], "%d-%d", &loFar, &hiFar);
    }
    // Each row: a render distance, or a far view in metres (at distance 4).
    std::vector<std::pair<int, int>> rows;
    if (hiFar >= loFar && loFar > 0) {
        rendererOnly = true;
        for (int m = loFar; m <= hiFar; m += 10) rows.push_back({4, m});
    } else {
        for (int rd = loDistance; rd <= hiDistance; ++rd) rows.push_back({rd, 0});
    }
    makeWorld();
    if (checker) carveCheckerboard();
    const float pitch = checker ? -0.5f : 0.0f;
    const plat::ViewSize size = plat::viewSize();
    std::printf("%s, %d frames per heading after 2 unmeasured, %d headings, %d x %d\n",
                checker ? "checkerboard below the spawn" : "spawn of seed 1234567890", frames,
                headings, size.width, size.height);
    std::printf(
        "distance  mode       median ms   fps    cpu ms  work ms   quads  draws\n"
        "  (cpu: before the present; work: CPU time of all threads; quads, draws: last frame)\n");
    for (const auto& [rd, far] : rows) {
        farMetres = far;
        const int label = far > 0 ? far : rd;
        double renderer = 0.0, perFace = 0.0;
        for (Mode mode : {Mode::Renderer, Mode::PerFace, Mode::Streamed}) {
            if (rendererOnly && mode != Mode::Renderer) continue;
            if (mode == Mode::Renderer) {
                stand(rd, 0.0f, pitch);
                settle();
            }
            std::vector<double> times, cpu, work;
            for (int heading = 0; heading < headings; ++heading) {
                stand(rd, float(heading) * kPi / 4.0f, pitch);
                for (int f = 0; f < frames + 2; ++f) {
                    if (quitRequested()) return 1;
                    const auto start = Clock::now();
                    const double startWork = processMs();
                    drawFrame(mode);
                    if (f >= 2) {
                        times.push_back(ms(Clock::now() - start));
                        cpu.push_back(lastCpuMs);
                        work.push_back(processMs() - startWork);
                    }
                }
            }
            const double m = median(times);
            if (mode == Mode::Renderer) renderer = m;
            if (mode == Mode::PerFace) perFace = m;
            const sdlplat::FrameStats stats = sdlplat::lastFrameStats();
            std::printf("%8d  %-9s  %9.2f  %6.1f  %7.2f  %8.2f  %7d  %6d\n", label, modeName(mode),
                        m, 1000.0 / m, median(cpu), median(work), stats.quads, stats.drawCalls);
            std::fflush(stdout);
        }
        if (!rendererOnly)
            std::printf("%8d  per-face / renderer = %.2f\n", label, perFace / renderer);
    }
    return 0;
}

double lastMedianSpread = 0.0;  // the slowest of medianFrame's frames over their median

double medianFrame(int frames) {
    std::vector<double> times;
    for (int f = 0; f < frames; ++f) {
        const auto start = Clock::now();
        drawFrame(Mode::Renderer);
        times.push_back(ms(Clock::now() - start));
    }
    lastMedianSpread = percentile(times, 100) / median(times);
    return median(times);
}

int runEdits(bool each) {
    makeWorld();
    stand(4, 0.0f, -0.9f);
    settle();
    // Each edit's frame against the median of the frames just before it, at
    // the same heading (what is in view changes the frame more than an edit).
    std::vector<double> digs, places, bases, plain;
    for (int i = 0; i < 40; ++i) {
        // Dig the targeted block, then put it back.
        game.play.player.xzRotCamera = float(i) * kPi / 20.0f;
        medianFrame(3);
        const double base = medianFrame(9);
        plain.push_back(lastMedianSpread);
        const Vec3 t = game.play.target.targetBlock;
        if (!hasTarget(game.play.target)) continue;
        const int x = int(t.x), y = int(t.y), z = int(t.z);
        const Cell was = cell(game.world, x, y, z);
        setCell(game.world, x, y, z, Cell{0, 0});
        auto start = Clock::now();
        drawFrame(Mode::Renderer);
        digs.push_back(ms(Clock::now() - start) / base);
        if (each)
            std::printf("dig (%d, %d, %d): %.2f x of %.2f ms, cpu %.2f ms, %d sections built\n", x,
                        y, z, digs.back(), base, lastCpuMs,
                        worldViewStats(game.renderer).sectionsBuilt);
        medianFrame(3);
        setCell(game.world, x, y, z, was);
        start = Clock::now();
        drawFrame(Mode::Renderer);
        places.push_back(ms(Clock::now() - start) / base);
        if (each)
            std::printf("placed: %.2f x, cpu %.2f ms, %d sections built\n", places.back(),
                        lastCpuMs, worldViewStats(game.renderer).sectionsBuilt);
        bases.push_back(base);
    }
    // For scale: the slowest of the 9 plain frames before each edit, over their median.
    std::printf(
        "%zu edits, median frame before them %.2f ms; the frame after a dig: median %.2f x, worst "
        "%.2f x; after a placed block: median %.2f x, worst %.2f x; plain frames' slowest of 9: "
        "median %.2f x, worst %.2f x\n",
        digs.size(), median(bases), median(digs), percentile(digs, 100), median(places),
        percentile(places, 100), median(plain), percentile(plain, 100));
    return 0;
}

int runRun(int argc, char** argv) {
    double seconds = 30.0;
    bool worst = false;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--seconds" && i + 1 < argc) seconds = std::atof(argv[++i]);
        if (std::string(argv[i]) == "--worst") worst = true;
        if (std::string(argv[i]) == "--far" && i + 1 < argc) farMetres = std::atoi(argv[++i]);
    }
    makeWorld();
    stand(4, kPi / 2.0f, 0.0f);  // looking along +x, the way it runs
    settle();
    std::vector<double> times, cpus;
    std::vector<int> built, ahead, quadsDrawn;
    const auto begin = Clock::now();
    auto last = begin;
    float x = spawn.x;
    while (ms(Clock::now() - begin) < seconds * 1000.0) {
        if (quitRequested()) return 1;
        const auto now = Clock::now();
        const double dt = ms(now - last);
        last = now;
        x += float(dt * 0.006);  // running: six blocks a second
        game.play.player.Position =
            Vec3{x, spawnEyeHeight(game.world, int(x), int(spawn.z)), spawn.z};
        const auto start = Clock::now();
        drawFrame(Mode::Renderer);
        times.push_back(ms(Clock::now() - start));
        built.push_back(worldViewStats(game.renderer).sectionsBuilt -
                        worldViewStats(game.renderer).builtAhead);
        quadsDrawn.push_back(sdlplat::lastFrameStats().quads);
        ahead.push_back(worldViewStats(game.renderer).builtAhead);
        cpus.push_back(lastCpuMs);
    }
    if (worst) {
        std::vector<size_t> order(times.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(),
                  [&](size_t a, size_t b) { return times[a] > times[b]; });
        for (size_t k = 0; k < 15 && k < order.size(); ++k)
            std::printf("frame %zu: %.2f ms (cpu %.2f), built %d, ahead %d, quads %d\n", order[k],
                        times[order[k]], cpus[order[k]], built[order[k]], ahead[order[k]],
                        quadsDrawn[order[k]]);
    }
    const double p50 = percentile(times, 50), p99 = percentile(times, 99);
    std::printf(
        "%zu frames over %.0f s, %.1f blocks run: median %.2f ms, 99th percentile %.2f ms (%.2f "
        "x), "
        "worst %.2f ms\n",
        times.size(), seconds, double(x - spawn.x), p50, p99, p99 / p50, percentile(times, 100));
    return 0;
}

int runFarFill(int argc, char** argv) {
    int far = kMaxViewRadius;
    bool each = false;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--far" && i + 1 < argc) far = std::atoi(argv[++i]);
        if (std::string(argv[i]) == "--each") each = true;
    }
    makeWorld();
    stand(4, 0.8f, -0.1f);
    settle();
    const double before = medianFrame(15);
    game.options.farView = far;
    std::vector<double> times;
    int built = 0;
    const auto begin = Clock::now();
    double filled = 0.0;
    for (int f = 0; f < 100000; ++f) {
        if (quitRequested()) return 1;
        const auto start = Clock::now();
        drawFrame(Mode::Renderer);
        times.push_back(ms(Clock::now() - start));
        built += worldViewStats(game.renderer).builtFar;
        if (each)
            std::printf("frame %d: %.2f ms (cpu %.2f), built %d, left %d\n", f, times.back(),
                        lastCpuMs, worldViewStats(game.renderer).builtFar,
                        worldViewStats(game.renderer).farLeft);
        if (worldViewStats(game.renderer).farLeft == 0) {
            filled = ms(Clock::now() - begin);
            break;
        }
    }
    const double after = medianFrame(15);
    std::printf(
        "far view %d m from render distance 4: %d sections built in %zu frames, the last in %.0f "
        "ms; frames while it filled: median %.2f ms, 99th percentile %.2f ms, worst %.2f ms (first "
        "%.2f ms); median frame before %.2f ms, after %.2f ms\n",
        far, built, times.size(), filled, percentile(times, 50), percentile(times, 99),
        percentile(times, 100), times.empty() ? 0.0 : times[0], before, after);
    return 0;
}

double residentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0.0;
}

int runMemory(int argc, char** argv) {
    for (int i = 2; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--far") farMetres = std::atoi(argv[i + 1]);
    makeWorld();
    stand(4, 0.0f, 0.0f);
    const double before = residentMb();
    settle();
    for (int heading = 0; heading < 8; ++heading) {
        game.play.player.xzRotCamera = float(heading) * kPi / 4.0f;
        medianFrame(2);
    }
    const double after = residentMb();
    std::printf(
        "cached geometry at spawn, view radius %d: %.1f MB counted (%zu sections); resident "
        "memory %.1f MB before the first frame, %.1f MB after (+%.1f MB)\n",
        viewRadius(game.options, game.settings), double(cachedGeometryBytes(game.renderer)) / 1e6,
        builtSections(game.renderer).size(), before, after, after - before);
    return 0;
}

struct Shot {
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
};

bool readBmp(const std::string& path, Shot& out) {
    std::ifstream f(path, std::ios::binary);
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return false;
    uint32_t offset;
    int32_t w, h;
    std::memcpy(&offset, &d[10], 4);
    std::memcpy(&w, &d[18], 4);
    std::memcpy(&h, &d[22], 4);
    out.width = w, out.height = std::abs(h);
    const size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    if (d.size() < offset + stride * size_t(out.height)) return false;
    out.rgb.assign(d.begin() + offset, d.begin() + long(offset + stride * size_t(out.height)));
    return true;
}

// A frame's screenshot, read back.
bool shoot(Mode mode, const std::string& path, Shot& shot) {
    drawFrame(mode);
    drawFrame(mode);
    if (plat::saveScreenshot(path) && readBmp(path, shot)) return true;
    std::fprintf(stderr, "no screenshot %s\n", path.c_str());
    return false;
}

// Far views through spans and through faces: a span's texture and fog come
// out of other sums than its faces', so a few pixels may round apart, by a
// step of colour or a texel at an edge, and no more.
bool compareSpans(const std::string& folder) {
    struct View {
        float turn, pitch;
        int dayTime;
    };
    // High above the spawn, the land out to the far edge fills the view.
    const View views[] = {{0.8f, -0.25f, 0}, {3.9f, -0.35f, 140}};
    game.options.farView = kMaxViewRadius;
    long apart = 0, pixels = 0;
    for (const View& v : views) {
        game.world.DayTime = uint8_t(v.dayTime);
        game.play.player.Position = Vec3{spawn.x, spawn.y + 40.0f, spawn.z};
        game.play.player.xzRotCamera = v.turn;
        game.play.player.yRotCamera = v.pitch;
        settle();
        Shot shots[2];
        for (int which = 0; which < 2; ++which) {
            game.renderer.view.facesOnly = which == 1;
            const std::string path = folder + "/far" + std::to_string(v.dayTime) +
                                     (which ? "-faces" : "-spans") + ".bmp";
            if (!shoot(Mode::Renderer, path, shots[which])) return false;
        }
        game.renderer.view.facesOnly = false;
        for (size_t i = 0; i + 2 < shots[0].rgb.size(); i += 3) {
            int most = 0;
            for (size_t c = i; c < i + 3; ++c)
                most = std::max(most, std::abs(shots[0].rgb[c] - shots[1].rgb[c]));
            apart += most > 2;
        }
        pixels += long(shots[0].width) * shots[0].height;
    }
    game.options.farView = 0;
    std::printf("far views, spans against faces: %ld of %ld pixels differ by more than 2\n", apart,
                pixels);
    return apart * 1000 <= pixels;  // a tenth of a percent
}

int runCompare(const std::string& folder) {
    makeWorld();
    struct View {
        int renderDistance;
        float dx, dy, dz, turn, pitch;
        int dayTime;
    };
    // Around the spawn: level, looking down, up at the trees, into the far
    // fog at each distance, at noon, dusk and night.
    const View views[] = {{0, 0, 0, 0, 0.0f, 0.0f, 180},    {4, 0, 0, 0, 0.8f, -0.3f, 0},
                          {2, 3, 2, -5, 2.4f, -1.2f, 120},  {1, -6, -1, 4, -1.9f, 0.25f, 60},
                          {3, 10, 6, 10, 3.9f, -0.7f, 200}, {4, 0, 20, 0, 1.3f, -1.5707964f, 30},
                          {2, -2, -3, 1, 5.2f, 0.9f, 150},  {4, 25, 3, -30, 0.3f, -0.15f, 100}};
    long total = 0;
    int index = 0;
    for (const View& v : views) {
        game.settings.RenderDistance = uint8_t(v.renderDistance);
        game.world.DayTime = uint8_t(v.dayTime);
        game.play.player.Position = Vec3{spawn.x + v.dx, spawn.y + v.dy, spawn.z + v.dz};
        game.play.player.xzRotCamera = v.turn;
        game.play.player.yRotCamera = v.pitch;
        Shot shots[2];
        for (int which = 0; which < 2; ++which) {
            const std::string path = folder + "/view" + std::to_string(index) +
                                     (which ? "-reference" : "-renderer") + ".bmp";
            if (!shoot(which == 0 ? Mode::Renderer : Mode::Streamed, path, shots[which])) return 1;
        }
        long differing = 0;
        for (size_t i = 0; i + 2 < shots[0].rgb.size(); i += 3)
            differing += std::memcmp(&shots[0].rgb[i], &shots[1].rgb[i], 3) != 0;
        std::printf("view %d (distance %d, DayTime %d): %ld of %d pixels differ\n", index,
                    v.renderDistance, v.dayTime, differing, shots[0].width * shots[0].height);
        total += differing;
        ++index;
    }
    std::printf("differing pixels in all views: %ld\n", total);
    return total == 0 && compareSpans(folder) ? 0 : 2;
}

int runShot(const std::string& worldPath, const std::string& seedPath, const std::string& out,
            int distance) {
    if (loadWorldFrom(game.world, worldPath, seedPath) != WorldResult::Done) {
        std::fprintf(stderr, "cannot load %s\n", worldPath.c_str());
        return 1;
    }
    startPlayingWorld(game.world, game.play);
    game.settings.RenderDistance = uint8_t(distance);
    markProjectionDirty(game.renderer);  // a fresh start: the day's brightness as loaded
    drawFrame(Mode::Streamed);
    drawFrame(Mode::Streamed);
    return plat::saveScreenshot(out) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: velmora_world_frames frames|edits|run|farfill|memory|compare ...\n");
        return 2;
    }
    if (plat::createWindowAndDevices("Velmora world frames", 800, 600) < 0) return 1;
    const std::string what = argv[1];
    int result = 2;
    if (what == "frames") result = runFrames(argc, argv);
    if (what == "edits") result = runEdits(argc > 2 && std::string(argv[2]) == "--each");
    if (what == "run") result = runRun(argc, argv);
    if (what == "memory") result = runMemory(argc, argv);
    if (what == "farfill") result = runFarFill(argc, argv);
    if (what == "compare" && argc > 2) result = runCompare(argv[2]);
    if (what == "shot" && argc > 4)
        result = runShot(argv[2], argv[3], argv[4], argc > 5 ? std::atoi(argv[5]) : 0);
    plat::shutdown();
    return result;
}

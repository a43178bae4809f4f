// velmora-world's map and check, run as a user runs them on one generated
// world in a scratch folder. Each test plants what it needs straight into the
// world file (cells and trailer, every byte stored as value + 1) and puts the
// file back afterwards, so one 400 MB file serves every test.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <stb/stb_image.h>

#include "test_support.h"
#include "world/block_types.h"
#include "world/save_files.h"
#include "world/slot_commit.h"
#include "world/world.h"

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status = -1;
    std::string output;  // standard output and error
};

ToolRun runTool(const std::string& args) {
    const std::string command = std::string("'") + VELMORA_WORLD_TOOL + "' " + args + " 2>&1";
    ToolRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The tool started in the background, its standard output and error going
// to `log`.
pid_t startTool(const std::vector<std::string>& args, const std::string& log) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char*> argv{const_cast<char*>(VELMORA_WORLD_TOOL)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, VELMORA_WORLD_TOOL, &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The exit status of a started tool; -1 when it did not end by the deadline
// (it is killed then) or was killed.
int endOf(pid_t pid, std::chrono::seconds deadline) {
    const auto until = std::chrono::steady_clock::now() + deadline;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > until) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            ADD_FAILURE() << "velmora-world did not end within " << deadline.count() << " s";
            return -1;
        }
        ::usleep(20'000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string shellWord(const std::string& path) {
    return "'" + path + "'";
}

std::string fileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

bool near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// A PNG read back with stb's decoder.
struct Png {
    int width = 0, height = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> rgb{nullptr, stbi_image_free};
    explicit Png(const std::string& path) {
        int channels = 0;
        rgb.reset(stbi_load(path.c_str(), &width, &height, &channels, 3));
    }
    Rgb at(int x, int y) const {
        const unsigned char* p = rgb.get() + (size_t(y) * width + x) * 3;
        return Rgb{p[0], p[1], p[2]};
    }
};

// The world file of the suite, with what a test plants in it undone afterwards.
class WorldFile {
   public:
    std::string path;

    Cell cellAt(int x, int y, int z) const {
        uint8_t stored[2];
        EXPECT_EQ(::pread(fd(), stored, 2, off_t(cellIndex(x, y, z) * 2)), 2);
        return Cell{uint8_t(stored[0] - 1), uint8_t(stored[1] - 1)};
    }
    // The highest block of a column and its height (-1 for an empty column).
    std::pair<Cell, int> topOf(int x, int z) const {
        for (int y = kWorldSizeY - 1; y >= 0; --y)
            if (Cell c = cellAt(x, y, z); c.type) return {c, y};
        return {Cell{0, 0}, -1};
    }

    void plant(int x, int y, int z, uint8_t type, uint8_t aux = 0) {
        const off_t at = off_t(cellIndex(x, y, z) * 2);
        std::string old(2, '\0');
        ASSERT_EQ(::pread(fd(), old.data(), 2, at), 2);
        undo.push_back({at, old});
        const uint8_t stored[2] = {uint8_t(type + 1), uint8_t(aux + 1)};
        ASSERT_EQ(::pwrite(fd(), stored, 2, at), 2);
    }

    WorldTrailer trailer() const {
        WorldTrailer t{};
        EXPECT_EQ(readWorldTrailer(path, t), WorldFileCheck::Good);
        return t;
    }
    // Replaces everything after the cells, the length following the chest count.
    void setTrailer(const WorldTrailer& t) {
        keepTrailer();
        std::vector<uint8_t> bytes;
        for (auto& pair : t.gauges) bytes.insert(bytes.end(), pair, pair + 2);
        bytes.insert(bytes.end(), t.counters, t.counters + 3);
        for (const ItemStack& s : t.inventory) bytes.push_back(s.type), bytes.push_back(s.count);
        bytes.push_back(t.chestCount);
        for (int c = 0; c < t.chestCount; ++c)
            for (const ItemStack& s : t.chests[c])
                bytes.push_back(s.type), bytes.push_back(s.count);
        bytes.push_back(t.DayTime);
        bytes.push_back(t.SubDayTime);
        encodeBytes(bytes.data(), bytes.data(), bytes.size());
        writeTail(bytes);
    }
    void cutTo(size_t length) {
        keepTrailer();
        ASSERT_EQ(::truncate(path.c_str(), off_t(length)), 0);
    }

    void restore() {
        for (auto it = undo.rbegin(); it != undo.rend(); ++it)
            EXPECT_EQ(::pwrite(fd(), it->second.data(), 2, it->first), 2);
        undo.clear();
        if (!savedTrailer.empty()) writeTail(savedTrailer);
        savedTrailer.clear();
    }

    ~WorldFile() {
        if (descriptor >= 0) ::close(descriptor);
    }

   private:
    mutable int descriptor = -1;
    std::vector<std::pair<off_t, std::string>> undo;
    std::vector<uint8_t> savedTrailer;

    int fd() const {
        if (descriptor < 0) descriptor = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        return descriptor;
    }
    void keepTrailer() {
        if (!savedTrailer.empty()) return;
        const size_t length = size_t(fs::file_size(path));
        savedTrailer.resize(length - kCellImageBytes);
        ASSERT_EQ(::pread(fd(), savedTrailer.data(), savedTrailer.size(), off_t(kCellImageBytes)),
                  ssize_t(savedTrailer.size()));
    }
    void writeTail(const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(::ftruncate(fd(), off_t(kCellImageBytes)), 0);
        ASSERT_EQ(::pwrite(fd(), bytes.data(), bytes.size(), off_t(kCellImageBytes)),
                  ssize_t(bytes.size()));
    }
};

class WorldTool : public ::testing::Test {
   protected:
    static ScratchFolder* folder;
    static WorldFile* world;

    static void SetUpTestSuite() {
        folder = new ScratchFolder;
        world = new WorldFile;
        world->path = folder->file("Mondo1.data");
        const ToolRun made = runTool("generate --seed 1234567890 --slot 1 --dir " +
                                     shellWord(folder->path.string()));
        ASSERT_EQ(made.status, 0) << made.output;
    }
    static void TearDownTestSuite() {
        delete world;
        delete folder;
        world = nullptr;
        folder = nullptr;
    }
    void TearDown() override { world->restore(); }

    std::string file(const std::string& name) const { return folder->file(name); }
    ToolRun mapWorld(const std::string& out, const std::string& more = "") {
        return runTool("map " + shellWord(world->path) + " --out " + shellWord(out) + more);
    }
    ToolRun checkWorld() { return runTool("check " + shellWord(world->path)); }

    // The first column from (x, z) onward along z whose top passes `wanted`.
    template <typename Wanted>
    std::pair<int, int> findColumn(int x, int z, Wanted wanted) {
        for (; z < kWorldSizeZ; ++z) {
            auto [c, y] = world->topOf(x, z);
            if (wanted(c, y)) return {x, z};
        }
        ADD_FAILURE() << "no such column in row " << x;
        return {x, 0};
    }
};

ScratchFolder* WorldTool::folder = nullptr;
WorldFile* WorldTool::world = nullptr;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(WorldTool, MapNeverPaintsOverASlotsFilesAndReplacesOthersOnlyWhenForced) {
    // A world elsewhere (every byte 0: 255 chests, every value 255) and a seed elsewhere.
    { std::ofstream(file("elsewhere.bin")); }
    fs::resize_file(file("elsewhere.bin"), worldFileLength(255));
    writeBytes(file("seed.txt"), "1234567890");
    const std::string slotNames[] = {"SemeM1.data", "Mondo2.data", "Mondo1.data.bak3",
                                     "SemeM4.data.tmp.7.0", "elsewhere.bin", "seed.txt"};
    for (const std::string& name : slotNames)
        for (const char* force : {"", " --force"}) {
            const bool there = fs::exists(file(name));
            const std::string before = there ? readBytes(file(name)) : "";
            const ToolRun run = mapWorld(file(name), force);
            EXPECT_EQ(run.status, 2) << name << force << "\n" << run.output;
            EXPECT_EQ(fs::exists(file(name)), there) << name;
            if (there && name != "elsewhere.bin") {
                EXPECT_EQ(readBytes(file(name)), before) << name;
            }
        }
    EXPECT_EQ(fs::file_size(file("elsewhere.bin")), worldFileLength(255));

    writeBytes(file("old.png"), "an earlier picture");
    const ToolRun unforced = mapWorld(file("old.png"));
    EXPECT_EQ(unforced.status, 2) << unforced.output;
    EXPECT_TRUE(contains(unforced.output, "--force")) << unforced.output;
    EXPECT_EQ(readBytes(file("old.png")), "an earlier picture");
    const ToolRun forced = mapWorld(file("old.png"), " --force");
    EXPECT_EQ(forced.status, 0) << forced.output;
    EXPECT_EQ(readBytes(file("old.png")).substr(1, 3), "PNG");
}

TEST_F(WorldTool, CheckFailsOnMoreStrayBlocksThanAHandMadeSceneHolds) {
    for (int i = 0; i < 1000; ++i) world->plant(100 + i % 100, 150, 100 + i / 100, 200);
    const ToolRun few = checkWorld();
    EXPECT_EQ(few.status, 0) << few.output;
    EXPECT_TRUE(contains(few.output, ": 1000 findings, 0 of them could lose data")) << few.output;
    world->plant(300, 150, 300, 255, 255);  // what a zeroed byte pair reads as
    const ToolRun many = checkWorld();
    EXPECT_EQ(many.status, 1) << many.output;
    EXPECT_TRUE(contains(many.output,
                         "risk: 1001 cells of unknown block types, more than the 1000 a "
                         "hand-made scene may hold: the file looks damaged\n"))
        << many.output;
}

// Two runs writing one slot at once, again and again, both killed mid-save
// once: the slot always ends whole, holding each run's change or not as its
// exit status says, and traps at the temporary names older versions used
// hold nobody up.
TEST_F(WorldTool, TwoWritersOfOneSlotNeverMixOrHoleIt) {
    const std::string dir = folder->path.string(), slot = file("Mondo2.data");
    fs::copy_file(world->path, slot);
    writeBytes(file("SemeM2.data"), "0000000000");
    writeBytes(file("precious"), "not to be written over");
    ASSERT_EQ(::symlink(file("precious").c_str(), (slot + ".tmp").c_str()), 0);
    ASSERT_EQ(::mkfifo(file("SemeM2.data.tmp").c_str(), 0644), 0);
    auto typeAt = [&](int w) {
        WorldFile now;  // opened anew: every save puts a new file there
        now.path = slot;
        return now.cellAt(1 + w, 150, 1 + w).type;
    };
    auto saving = [&] {
        return std::any_of(fs::directory_iterator(folder->path), {}, [](const auto& entry) {
            return entry.path().filename().string().rfind("Mondo2.data.tmp.", 0) == 0;
        });
    };
    uint8_t before[2] = {typeAt(0), typeAt(1)};
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        const uint8_t wanted[2] = {uint8_t(2 + round), uint8_t(6 + round)};
        pid_t runs[2];
        for (int w = 0; w < 2; ++w) {
            const std::string at = std::to_string(1 + w);
            runs[w] = startTool({"set", "--slot", "2", "--dir", dir, at, "150", at,
                                 std::to_string(wanted[w])},
                                file("run" + at + ".log"));
        }
        if (round == 2) {
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
            while (!saving() && std::chrono::steady_clock::now() < until) ::usleep(5'000);
            for (pid_t run : runs) ::kill(run, SIGKILL);
        }
        for (int w = 0; w < 2; ++w) {
            const int status = endOf(runs[w], std::chrono::seconds(120));
            const std::string log = readBytes(file("run" + std::to_string(1 + w) + ".log"));
            EXPECT_TRUE(round == 2 || status == 0 || contains(log, "slot 2 is open in the game"));
            const uint8_t now = typeAt(w);
            EXPECT_TRUE(status == 0 ? now == wanted[w] : status == 1 ? now == before[w]
                                                       : now == wanted[w] || now == before[w])
                << "writer " << w << ", status " << status << ", type " << int(now) << "\n" << log;
            before[w] = now;
        }
        // Whole: its length, and no stored zero (a value of 255 no generated world holds).
        EXPECT_EQ(fs::file_size(slot), worldFileLength(0));
        std::ifstream in(slot, std::ios::binary);
        std::vector<char> block(4 << 20);
        while (in.read(block.data(), std::streamsize(block.size())) || in.gcount() > 0)
            ASSERT_FALSE(std::memchr(block.data(), 0, size_t(in.gcount()))) << "a hole";
        EXPECT_EQ(readBytes(file("SemeM2.data")), "0000000000");
    }
    EXPECT_EQ(readBytes(file("precious")), "not to be written over");
    EXPECT_FALSE(fs::exists(file("SemeM2.data.tmp")));
    EXPECT_FALSE(fs::is_symlink(slot + ".tmp"));
    fs::remove(slot);
}

bool sameBytes(const std::string& a, const std::string& b) {
    std::ifstream in[2] = {std::ifstream(a, std::ios::binary), std::ifstream(b, std::ios::binary)};
    std::vector<char> block[2] = {std::vector<char>(4 << 20), std::vector<char>(4 << 20)};
    for (;;) {
        for (int i = 0; i < 2; ++i) in[i].read(block[i].data(), std::streamsize(block[i].size()));
        if (in[0].gcount() != in[1].gcount()) return false;
        if (std::memcmp(block[0].data(), block[1].data(), size_t(in[0].gcount())) != 0) return false;
        if (in[0].gcount() == 0) return true;
    }
}

// `generate` over a slot of another seed, killed at varied moments: around
// its temporary reaching full size, and while its renames go on. Once the
// next holder has taken the lock, the slot holds one whole pair, the old
// world with its seed or the new with its own (before, often the new world
// beside the old seed).
TEST_F(WorldTool, AGenerateKilledAtAnyMomentLeavesOneWholePair) {
    const std::string dir = folder->path.string();
    const std::string slot = file("Mondo3.data"), seed = file("SemeM3.data");
    const ToolRun made = runTool("generate --seed 43 --slot 4 --dir " + shellWord(dir));
    ASSERT_EQ(made.status, 0) << made.output;
    const std::string worlds[2] = {world->path, file("Mondo4.data")};
    const std::string seeds[2] = {"1234567890", "0000000043"};
    auto fullTemporary = [&] {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder->path, error))
            if (entry.path().filename().string().rfind("Mondo3.data.tmp.", 0) == 0 &&
                fs::file_size(entry.path(), error) == worldFileLength(0))
                return true;
        return false;
    };
    auto recordStands = [&] { return fs::exists(commitRecordPath(slot)); };
    const std::pair<bool, int> moments[] = {{false, 0}, {false, 20}, {false, 45}, {true, 0},
                                            {true, 2},  {true, 8},   {true, 20}};
    int held[2] = {0, 0};
    for (auto [onRecord, delayMs] : moments) {
        SCOPED_TRACE(std::string(onRecord ? "record" : "full temporary") + " + " +
                     std::to_string(delayMs) + " ms");
        fs::copy_file(world->path, slot, fs::copy_options::overwrite_existing);
        writeBytes(seed, seeds[0]);
        const pid_t run = startTool({"generate", "--seed", "43", "--slot", "3", "--dir", dir},
                                    file("generate.log"));
        ASSERT_GT(run, 0);
        int status = 0;
        bool ended = false;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (!(onRecord ? recordStands() : fullTemporary()) &&
               std::chrono::steady_clock::now() < until)
            if ((ended = ::waitpid(run, &status, WNOHANG) == run)) break;
            else ::usleep(200);
        if (!ended) {
            ::usleep(useconds_t(delayMs) * 1000);
            ::kill(run, SIGKILL);
            ::waitpid(run, &status, 0);
        }
        plat::FileLock lock;
        ASSERT_EQ(lockSlotFiles(slot, seed, lock), SlotLock::Taken);
        const std::string seedNow = readBytes(seed);
        const int which = seedNow == seeds[0] ? 0 : seedNow == seeds[1] ? 1 : -1;
        ASSERT_NE(which, -1) << "seed file holds '" << seedNow << "'";
        EXPECT_TRUE(sameBytes(slot, worlds[which])) << "seed " << seedNow << " beside another world";
        ++held[which];
        for (const auto& entry : fs::directory_iterator(folder->path)) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name.rfind("Mondo3.data.", 0) != 0 || name == "Mondo3.data.lock") << name;
        }
    }
    // Both ends were met: the kills reached before and after the commit.
    EXPECT_GT(held[0], 0);
    EXPECT_GT(held[1], 0);
    fs::remove(slot);
    fs::remove(seed);
    fs::remove(file("Mondo4.data"));
    fs::remove(file("SemeM4.data"));
}

TEST_F(WorldTool, MapColoursEachColumnByItsHighestBlockShadedByHeight) {
    // Planted blocks one above the ground, x and z chosen so that a picture
    // on its side would show them swapped.
    struct Planted {
        int x, z;
        uint8_t type;
        Rgb looks;
    };
    const Planted planted[] = {
        {100, 700, block::Sand, {220, 206, 150}},      {700, 100, block::Glass, {190, 225, 235}},
        {120, 700, block::Stone, {128, 128, 128}},     {140, 700, block::GoldOre, {235, 190, 40}},
        {160, 700, block::DiamondOre, {90, 225, 225}}, {180, 700, 200, {255, 0, 255}},
    };
    for (const Planted& p : planted) world->plant(p.x, 120, p.z, p.type);
    world->plant(300, 101, 300, block::ChestFacingPlusX, 0);
    world->plant(300, 60, 600, block::CraftingTable);  // buried: still marked

    // Columns as generation left them: grass on the ground, on a hill, leaves.
    auto grassAt = [](int height) {
        return
            [height](Cell c, int y) { return c.type == block::Dirt && c.aux == 1 && y == height; };
    };
    const auto ground = findColumn(50, 0, grassAt(100));
    std::pair<int, int> hill{-1, -1};
    for (int x = 40; x < 1000 && hill.first < 0; x += 7)
        for (int z = 0; z < 1000 && hill.first < 0; z += 3)
            if (grassAt(108)(world->topOf(x, z).first, world->topOf(x, z).second)) hill = {x, z};
    ASSERT_GE(hill.first, 0);
    const auto leaves = findColumn(60, 0, [](Cell c, int) { return c.type == block::Leaves; });

    const std::string out = file("map.png");
    const ToolRun run = mapWorld(out);
    ASSERT_EQ(run.status, 0) << run.output;
    Png png(out);
    ASSERT_TRUE(png.rgb) << stbi_failure_reason();
    ASSERT_EQ(png.width, 1000);
    ASSERT_EQ(png.height, 1000);

    const Rgb grass = png.at(ground.first, ground.second);
    EXPECT_GT(grass.g, grass.r + 40) << grass;
    EXPECT_GT(grass.g, grass.b + 40) << grass;
    // Higher ground is lighter in every channel; leaves a darker green.
    const Rgb high = png.at(hill.first, hill.second);
    EXPECT_GT(high.r, grass.r) << high;
    EXPECT_GT(high.g, grass.g) << high;
    EXPECT_GT(high.b, grass.b) << high;
    const Rgb leaf = png.at(leaves.first, leaves.second);
    EXPECT_GT(leaf.g, leaf.r + 30) << leaf;
    EXPECT_LT(leaf.g, grass.g) << leaf;

    // 20 cells above the ground: a quarter of the way toward white.
    for (const Planted& p : planted) {
        const Rgb lifted{p.looks.r + (255 - p.looks.r) / 4, p.looks.g + (255 - p.looks.g) / 4,
                         p.looks.b + (255 - p.looks.b) / 4};
        EXPECT_TRUE(near(png.at(p.x, p.z), lifted, 2))
            << "type " << int(p.type) << " at " << p.x << "," << p.z << ": " << png.at(p.x, p.z);
    }

    // A chest in red and a station in blue, each edged in black; the spawn
    // column a white cross edged in black.
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    EXPECT_EQ(png.at(300, 300), (Rgb{230, 40, 30}));
    EXPECT_EQ(png.at(301, 299), (Rgb{230, 40, 30}));
    EXPECT_EQ(png.at(302, 300), black);
    EXPECT_EQ(png.at(300, 298), black);
    EXPECT_NE(png.at(303, 300), black);
    EXPECT_EQ(png.at(300, 600), (Rgb{40, 110, 255}));
    EXPECT_EQ(png.at(298, 602), black);
    for (int i = -4; i <= 4; ++i) {
        EXPECT_EQ(png.at(500 + i, 500), white) << i;
        EXPECT_EQ(png.at(500, 500 + i), white) << i;
    }
    EXPECT_EQ(png.at(505, 500), black);
    EXPECT_EQ(png.at(501, 501), black);
    EXPECT_EQ(png.at(500, 495), black);

    // At scale 2 every column is a square of four pixels of its colour.
    const std::string big = file("big.png");
    ASSERT_EQ(mapWorld(big, " --scale 2").status, 0);
    Png twice(big);
    ASSERT_TRUE(twice.rgb);
    ASSERT_EQ(twice.width, 2000);
    ASSERT_EQ(twice.height, 2000);
    for (auto [x, z] : {std::pair{0, 0}, {999, 0}, {0, 999}, {300, 300}, {500, 500}, {999, 999}})
        for (int d = 0; d < 4; ++d)
            EXPECT_EQ(twice.at(2 * x + d % 2, 2 * z + d / 2), png.at(x, z)) << x << "," << z;
}

TEST_F(WorldTool, MapOfADamagedFileOrAtABadScaleWritesNoPicture) {
    for (const char* scale : {"0", "5", "-1", "2x", ""}) {
        const ToolRun bad = mapWorld(file("bad.png"), std::string(" --scale '") + scale + "'");
        EXPECT_EQ(bad.status, 2) << scale;
        EXPECT_FALSE(fs::exists(file("bad.png"))) << scale;
    }
    // An earlier picture stays as it was; no temporary is left behind.
    const std::string out = file("kept.png");
    std::ofstream(out, std::ios::binary) << "an earlier picture";
    WorldTrailer claimsChests = world->trailer();
    claimsChests.chestCount = 3;  // no records follow
    world->setTrailer(claimsChests);
    world->cutTo(kCellImageBytes + 84);
    ToolRun run = mapWorld(out, " --force");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_TRUE(contains(run.output, "damaged")) << run.output;
    world->restore();

    world->cutTo(worldFileLength(0) - 1);
    run = mapWorld(out, " --force");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_EQ(fileBytes(out), "an earlier picture");
    EXPECT_TRUE(std::none_of(fs::directory_iterator(folder->path), {}, [](const auto& entry) {
        return contains(entry.path().filename().string(), "kept.png.tmp");
    }));

    EXPECT_EQ(runTool("map " + shellWord(file("nothing.data")) + " --out " + shellWord(out) +
                      " --force")
                  .status,
              1);
    EXPECT_EQ(fileBytes(out), "an earlier picture");
    // Nor is the world file ever taken for the picture's place.
    world->restore();
    EXPECT_EQ(mapWorld(world->path).status, 2);
    EXPECT_EQ(fs::file_size(world->path), worldFileLength(0));
}

TEST_F(WorldTool, CheckNamesThePlaceOfEveryFindingAndFailsOnThoseThatLoseData) {
    const ToolRun clean = checkWorld();
    EXPECT_EQ(clean.status, 0) << clean.output;
    EXPECT_EQ(clean.output, world->path + ": no findings\n");

    WorldTrailer t = world->trailer();
    t.inventory[3] = ItemStack{block::Stone, 0};
    t.inventory[4] = ItemStack{200, 5};
    t.inventory[5] = ItemStack{block::Sand, 251};
    t.inventory[6] = ItemStack{block::ChestFacingPlusZ, 1};  // a turned chest is no item
    t.inventory[7] = ItemStack{0, 9};                        // type 0 is empty whatever the count
    t.inventory[8] = ItemStack{block::Sand, 250};
    t.chestCount = 4;
    for (int c = 0; c < 4; ++c)
        for (ItemStack& s : t.chests[c]) s = ItemStack{0, 0};
    t.chests[1][26] = ItemStack{block::Torch, 12};
    t.chests[3][2] = ItemStack{9, 1};
    t.DayTime = 240;
    t.SubDayTime = 239;
    world->setTrailer(t);
    world->plant(10, 101, 20, block::ChestFacingMinusZ, 0);
    world->plant(11, 101, 20, block::ChestFacingMinusX, 0);  // shares record 0
    world->plant(12, 101, 20, block::ChestFacingPlusX, 7);   // no record 7
    world->plant(13, 101, 20, block::ChestFacingPlusZ, 3);
    world->plant(14, 101, 20, block::Torch, 4);
    world->plant(15, 101, 20, block::Torch, 5);
    world->plant(16, 101, 20, 74);

    const ToolRun run = checkWorld();
    EXPECT_EQ(run.status, 1) << run.output;
    const std::string expected[] = {
        "risk: inventory cell 4: type 200 is not in the catalogue (count 5)\n",
        "risk: chest 3 cell 2: type 9 is not in the catalogue (count 1)\n",
        "risk: cell (12, 101, 20): chest number 7 has no record (the file holds 4)\n",
        "risk: chest 0: 2 chest cells share its record, at (10, 101, 20) and (11, 101, 20)\n",
        "risk: chest 1: no chest cell points to it; its 1 stack cannot be reached\n",
        "odd: inventory cell 6: type 70 is a placed chest's facing, not an item (count 1)\n",
        "odd: inventory cell 5: 251 Sand, above the 250 a cell holds\n",
        "odd: inventory cell 3: Stone with a count of 0\n",
        "odd: chest 2: no chest cell points to it (it is empty)\n",
        "odd: cell (15, 101, 20): torch with mount 5 (0 to 4 are known)\n",
        "odd: DayTime: 240, above 239\n",
        "odd: cell (16, 101, 20): block type 74 is not in the catalogue\n",
        world->path + ": 12 findings, 5 of them could lose data\n",
    };
    std::string all;
    for (const std::string& line : expected) all += line;
    EXPECT_EQ(run.output, all);
}

TEST_F(WorldTool, CheckPassesOddFindingsAndCountsWhatItDoesNotList) {
    WorldTrailer t = world->trailer();
    t.SubDayTime = 255;
    world->setTrailer(t);
    for (int i = 0; i < 25; ++i) world->plant(40 + i, 130, 40, block::Torch, uint8_t(6 + i));
    const ToolRun run = checkWorld();
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(
        contains(run.output, "odd: cell (40, 130, 40): torch with mount 6 (0 to 4 are known)\n"));
    EXPECT_TRUE(contains(run.output, "odd: cell (59, 130, 40): torch with mount 25"));
    EXPECT_FALSE(contains(run.output, "(60, 130, 40)"));
    EXPECT_TRUE(contains(run.output, "odd: ... and 5 more torches with an unknown mount\n"));
    EXPECT_TRUE(contains(run.output, "odd: SubDayTime: 255, above 239\n"));
    EXPECT_TRUE(contains(run.output, ": 26 findings, 0 of them could lose data\n")) << run.output;

    // What info refuses, check refuses the same way.
    world->restore();
    world->cutTo(worldFileLength(0) + 1);
    const ToolRun damaged = checkWorld();
    EXPECT_EQ(damaged.status, 1);
    EXPECT_TRUE(contains(damaged.output, "damaged: 400000085 bytes")) << damaged.output;
}

}  // namespace

// Headless platform: a settable clock, scripted input and messages, and a
// device that records what was drawn instead of drawing it.
#include "platform/headless/headless.h"

#include "platform/common/process.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

namespace headless {
namespace {

struct State {
    int32_t clock = 0;
    int32_t stepPerRead = 0;
    int64_t reads = 0;
    int64_t calendar = 1'700'000'000;
    plat::KeyboardState keys{};
    plat::MouseState mouse{};
    bool keyboardFails = false;
    std::deque<plat::Message> messages;
    bool createFails = false;
    bool beginSceneFails = false;
    bool deviceMissing = false;
    bool windowOpen = false;
    bool cursorVisible = true;
    bool mouseCaptured = false;
    std::pair<int, int> cursorMove{-1, -1};
    bool fullscreen = false;
    int frameCap = plat::kSyncToDisplay;
    plat::Placement placement;
    plat::ViewSize viewSize{800, 600};
    bool wireframe = false;
    bool depthTest = true;
    bool culling = false;
    bool separate = false;
    int skyLevel = 0;
    plat::CellBox box{0, 0, 0, -1, -1, -1};
    plat::Fog fog{};
    plat::LightTable lightTable{};
    plat::MeshId nextMesh = 1;
    std::map<plat::MeshId, std::vector<plat::LitVertex>> meshes;
    std::map<plat::MeshId, int> destroyedAt;  // present count when destroyed
    int presents = 0;
    Frame current;
    Frame last;
    std::function<void()> presentHook;
    std::function<void()> keyboardHook;
    std::string exeFolder;
    std::optional<std::map<std::string, std::string>> environment;
    std::vector<ErrorBox> errorBoxes;
    std::vector<std::string> screenshots;
    std::vector<SoundCall> sounds;
    AmbienceLevel ambience;
};

State& state() {
    static State s;
    return s;
}

}  // namespace

const TextCall* Frame::findText(const std::string& text) const {
    for (const auto& t : texts)
        if (t.text == text) return &t;
    return nullptr;
}

void reset() {
    state() = State{};
    plat::fileFaults() = plat::FileFaults{};
}

void setClock(int32_t ms) {
    state().clock = ms;
}
void advanceClock(int32_t ms) {
    state().clock += ms;
}
void setClockStepPerRead(int32_t ms) {
    state().stepPerRead = ms;
}
int64_t clockReads() {
    return state().reads;
}
void setCalendarSeconds(int64_t seconds) {
    state().calendar = seconds;
}

void pressKey(uint8_t code) {
    state().keys.keys[code] = 0x80;
}
void releaseKey(uint8_t code) {
    state().keys.keys[code] = 0;
}
void releaseAllKeys() {
    std::memset(state().keys.keys, 0, sizeof state().keys.keys);
}
void setMouse(int32_t dx, int32_t dy, bool left, bool right) {
    state().mouse = plat::MouseState{dx, dy, {uint8_t(left ? 0x80 : 0), uint8_t(right ? 0x80 : 0)}};
}
void setKeyboardFails(bool fails) {
    state().keyboardFails = fails;
}

void queueMessage(plat::Message message) {
    state().messages.push_back(message);
}
size_t queuedMessages() {
    return state().messages.size();
}

void setCreateFails(bool fails) {
    state().createFails = fails;
}
void setBeginSceneFails(bool fails) {
    state().beginSceneFails = fails;
}
void setDeviceMissing(bool missing) {
    state().deviceMissing = missing;
}
void setViewSize(int width, int height) {
    state().viewSize = {width, height};
}
int frameCap() {
    return state().frameCap;
}
plat::Placement placement() {
    return state().placement;
}

bool windowOpen() {
    return state().windowOpen;
}
bool cursorVisible() {
    return state().cursorVisible;
}
bool mouseCaptured() {
    return state().mouseCaptured;
}
std::pair<int, int> lastCursorMove() {
    return state().cursorMove;
}
int presentCount() {
    return state().presents;
}
const Frame& lastFrame() {
    return state().last;
}
const Frame& currentFrame() {
    return state().current;
}
void setPresentHook(std::function<void()> hook) {
    state().presentHook = std::move(hook);
}
void setKeyboardHook(std::function<void()> hook) {
    state().keyboardHook = std::move(hook);
}

void setEnvironment(std::map<std::string, std::string> variables) {
    state().environment = std::move(variables);
}

const std::vector<SoundCall>& soundsPlayed() {
    return state().sounds;
}
void clearSoundsPlayed() {
    state().sounds.clear();
}
AmbienceLevel ambience() {
    return state().ambience;
}

void setExeFolder(const std::string& folder) {
    state().exeFolder = folder;
    if (folder.empty() || folder.back() != '/') state().exeFolder += '/';
}
const std::vector<plat::LitVertex>* meshVertices(plat::MeshId mesh) {
    auto it = state().meshes.find(mesh);
    return it == state().meshes.end() ? nullptr : &it->second;
}

size_t liveMeshCount() {
    return state().meshes.size() - state().destroyedAt.size();
}

const plat::LightTable& lightTable() {
    return state().lightTable;
}

const std::vector<ErrorBox>& errorBoxes() {
    return state().errorBoxes;
}
std::vector<std::string>& screenshotsSaved() {
    return state().screenshots;
}
void setFileFaults(const plat::FileFaults& faults) {
    plat::fileFaults() = faults;
}

}  // namespace headless

namespace plat {

using headless::state;

int32_t clockMs() {
    auto& s = state();
    int32_t now = s.clock;
    s.clock += s.stepPerRead;
    ++s.reads;
    return now;
}

int64_t calendarSeconds() {
    return state().calendar;
}

bool readKeyboard(KeyboardState& out) {
    auto& s = state();
    if (s.keyboardHook) s.keyboardHook();
    if (s.keyboardFails) {
        std::memset(out.keys, 0, sizeof out.keys);
        return false;
    }
    out = s.keys;
    return true;
}

bool readMouse(MouseState& out) {
    out = state().mouse;
    // Motion is relative: it is consumed by the read.
    state().mouse.dx = state().mouse.dy = 0;
    return true;
}

Message takeMessage() {
    auto& s = state();
    if (s.messages.empty()) return Message::None;
    Message m = s.messages.front();
    s.messages.pop_front();
    return m;
}

void postQuit() {
    state().messages.push_back(Message::Quit);
}

int createWindowAndDevices(const char*, int, int) {
    auto& s = state();
    if (s.createFails) {
        s.errorBoxes.push_back({"ERRORE", "Creazione della finestra fallita."});
        return -1;
    }
    s.windowOpen = true;
    return 0;
}

int shutdown() {
    state().windowOpen = false;
    return 0;
}

void playSound(const SoundPlay& play) {
    auto& s = state();
    s.sounds.push_back({s.clock, play});
}
void setAmbience(float wind, float night) {
    state().ambience = {wind, night};
}

void showCursor(bool visible) {
    state().cursorVisible = visible;
}
void moveCursorToWindow(int x, int y) {
    state().cursorMove = {x, y};
}
void setMouseCaptured(bool captured) {
    state().mouseCaptured = captured;
}
void setFullscreen(bool on) {
    state().fullscreen = on;
}
bool isFullscreen() {
    return state().fullscreen;
}
void setFrameCap(int framesPerSecond) {
    state().frameCap = framesPerSecond;
}
void setPlacement(const Placement& placement) {
    state().placement = placement;
}

const std::string& exeFolder() {
    auto& s = state();
    if (s.exeFolder.empty()) s.exeFolder = plat::runningExeFolder();
    return s.exeFolder;
}

std::string environmentVariable(const char* name) {
    const auto& planted = headless::state().environment;
    if (!planted) return systemEnvironmentVariable(name);
    auto it = planted->find(name);
    return it == planted->end() ? std::string{} : it->second;
}

// Files here are on the disk once committed, as on a desktop.
PersistTicket requestPersist() { return 0; }
PersistState persistState(PersistTicket) { return PersistState::Done; }

void errorBox(const char* title, const char* text) {
    state().errorBoxes.push_back({title, text});
}

bool hasDevice() {
    return state().windowOpen && !state().deviceMissing;
}

int beginScene() {
    if (state().beginSceneFails) return -1;
    ++state().current.scenesBegun;
    return 0;
}

void endScene() {
    ++state().current.scenesEnded;
}

void present() {
    auto& s = state();
    s.last = std::move(s.current);
    s.current = headless::Frame{};
    s.current.view = s.last.view;
    s.current.projection = s.last.projection;
    ++s.presents;
    // Meshes destroyed two presents ago are no longer referred to by any frame kept.
    for (auto it = s.destroyedAt.begin(); it != s.destroyedAt.end();) {
        if (s.presents - it->second >= 2) {
            s.meshes.erase(it->first);
            it = s.destroyedAt.erase(it);
        } else {
            ++it;
        }
    }
    if (s.presentHook) s.presentHook();
}

void clear(uint32_t argb) {
    state().current.clears.push_back(argb);
}

void drawSprite(int texture, int x, int y, uint32_t argb, const SourceRect* source) {
    state().current.sprites.push_back({texture, x, y, argb, source != nullptr,
                                       source ? *source : SourceRect{}, state().placement});
}

void drawPattern(int texture, const SourceRect& source, const LayoutRect& area, int originX,
                 int originY, uint32_t argb) {
    state().current.sprites.push_back(
        {texture, originX, originY, argb, true, source, state().placement, true, area});
}

ViewSize viewSize() {
    return state().viewSize;
}

void drawText(int left, int top, int right, int bottom, uint32_t argb, std::string_view text) {
    state().current.texts.push_back(
        {left, top, right, bottom, argb, std::string(text), state().placement});
}

void setView(const Matrix& view) {
    state().current.view = view;
}
void setProjection(const Matrix& projection) {
    state().current.projection = projection;
}
void setFog(const Fog& fog) {
    state().fog = fog;
}
void setWireframe(bool on) {
    state().wireframe = on;
}
void setDepthTest(bool on) {
    state().depthTest = on;
}

void setFaceCulling(bool on) {
    state().culling = on;
}

void drawQuads(int texture, Blend blend, const Vertex* vertices, int quadCount) {
    auto& s = state();
    s.current.quads.push_back({texture, blend, s.wireframe, s.depthTest, s.culling, s.fog,
                               std::vector<Vertex>(vertices, vertices + 4 * quadCount)});
}

void setLightTable(const LightTable& table) {
    state().lightTable = table;
}
void setSkyLevel(int level) {
    state().skyLevel = level;
}
void setCellBox(const CellBox& box) {
    state().box = box;
}
void setSeparateDraws(bool on) {
    state().separate = on;
}

namespace {

headless::LitCall litCall(LitPass pass) {
    auto& s = state();
    headless::LitCall c;
    c.pass = pass;
    c.wireframe = s.wireframe;
    c.depthTest = s.depthTest;
    c.culling = s.culling;
    c.separate = s.separate;
    c.fog = s.fog;
    c.skyLevel = s.skyLevel;
    c.box = s.box;
    c.mesh = 0;
    return c;
}

}  // namespace

void drawLitQuads(LitPass pass, const LitVertex* vertices, int quadCount) {
    if (!vertices || quadCount <= 0) return;
    headless::LitCall c = litCall(pass);
    c.vertices.assign(vertices, vertices + 4 * size_t(quadCount));
    state().current.litCalls.push_back(std::move(c));
}

MeshId createMesh(const LitVertex* vertices, int quadCount) {
    auto& s = state();
    if (!vertices || quadCount <= 0) return 0;
    const MeshId id = s.nextMesh++;
    s.meshes[id].assign(vertices, vertices + 4 * size_t(quadCount));
    return id;
}

bool refillMesh(MeshId mesh, const LitVertex* vertices, int quadCount) {
    auto& s = state();
    if (!vertices || quadCount <= 0 || !s.meshes.count(mesh) || s.destroyedAt.count(mesh))
        return false;
    s.meshes[mesh].assign(vertices, vertices + 4 * size_t(quadCount));
    return true;
}

void destroyMesh(MeshId mesh) {
    auto& s = state();
    if (s.meshes.count(mesh) && !s.destroyedAt.count(mesh)) s.destroyedAt[mesh] = s.presents;
}

void drawMesh(MeshId mesh, LitPass pass, const QuadRange* ranges, int rangeCount) {
    auto& s = state();
    if (!ranges || rangeCount <= 0 || !s.meshes.count(mesh) || s.destroyedAt.count(mesh)) return;
    headless::LitCall c = litCall(pass);
    c.mesh = mesh;
    // Ranges reaching past the mesh are cut to it, as the real device does.
    const uint32_t quads = uint32_t(s.meshes[mesh].size() / 4);
    for (int i = 0; i < rangeCount; ++i) {
        const uint32_t first = std::min(ranges[i].first, quads);
        const uint32_t count = std::min(ranges[i].count, quads - first);
        if (count > 0) c.ranges.push_back({first, count});
    }
    if (c.ranges.empty()) return;
    s.current.litCalls.push_back(std::move(c));
}

bool saveScreenshot(const std::string& path) {
    // Writes a small, valid 24-bit BMP so that file handling can be tested.
    std::ofstream f(path, std::ios::binary);
    if (!f) return false;
    const uint8_t bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                             1,   0,   0,  0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 4, 0};
    f.write(reinterpret_cast<const char*>(bmp), sizeof bmp);
    if (!f) return false;
    state().screenshots.push_back(path);
    return true;
}

}  // namespace plat

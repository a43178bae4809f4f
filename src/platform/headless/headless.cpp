// Headless platform: a settable clock, scripted input and messages, and a
// device that records what was drawn instead of drawing it.
#include "platform/headless/headless.h"

#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>

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
    bool wireframe = false;
    bool depthTest = true;
    plat::Fog fog{};
    int presents = 0;
    Frame current;
    Frame last;
    std::function<void()> presentHook;
    std::function<void()> keyboardHook;
    std::string exeFolder;
    std::vector<ErrorBox> errorBoxes;
    std::vector<std::string> screenshots;
};

State& state() {
    static State s;
    return s;
}

std::string defaultExeFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return exe.parent_path().string() + "/";
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

void setClock(int32_t ms) { state().clock = ms; }
void advanceClock(int32_t ms) { state().clock += ms; }
void setClockStepPerRead(int32_t ms) { state().stepPerRead = ms; }
int64_t clockReads() { return state().reads; }
void setCalendarSeconds(int64_t seconds) { state().calendar = seconds; }

void pressKey(uint8_t code) { state().keys.keys[code] = 0x80; }
void releaseKey(uint8_t code) { state().keys.keys[code] = 0; }
void releaseAllKeys() { std::memset(state().keys.keys, 0, sizeof state().keys.keys); }
void setMouse(int32_t dx, int32_t dy, bool left, bool right) {
    state().mouse = plat::MouseState{dx, dy, {uint8_t(left ? 0x80 : 0), uint8_t(right ? 0x80 : 0)}};
}
void setKeyboardFails(bool fails) { state().keyboardFails = fails; }

void queueMessage(plat::Message message) { state().messages.push_back(message); }
size_t queuedMessages() { return state().messages.size(); }

void setCreateFails(bool fails) { state().createFails = fails; }
void setBeginSceneFails(bool fails) { state().beginSceneFails = fails; }
void setDeviceMissing(bool missing) { state().deviceMissing = missing; }
bool windowOpen() { return state().windowOpen; }
bool cursorVisible() { return state().cursorVisible; }
bool mouseCaptured() { return state().mouseCaptured; }
std::pair<int, int> lastCursorMove() { return state().cursorMove; }
int presentCount() { return state().presents; }
const Frame& lastFrame() { return state().last; }
const Frame& currentFrame() { return state().current; }
void setPresentHook(std::function<void()> hook) { state().presentHook = std::move(hook); }
void setKeyboardHook(std::function<void()> hook) { state().keyboardHook = std::move(hook); }

void setExeFolder(const std::string& folder) {
    state().exeFolder = folder;
    if (folder.empty() || folder.back() != '/') state().exeFolder += '/';
}
const std::vector<ErrorBox>& errorBoxes() { return state().errorBoxes; }
std::vector<std::string>& screenshotsSaved() { return state().screenshots; }
void setFileFaults(const plat::FileFaults& faults) { plat::fileFaults() = faults; }

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

int64_t calendarSeconds() { return state().calendar; }

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

void postQuit() { state().messages.push_back(Message::Quit); }

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

void showCursor(bool visible) { state().cursorVisible = visible; }
void moveCursorToWindow(int x, int y) { state().cursorMove = {x, y}; }
void setMouseCaptured(bool captured) { state().mouseCaptured = captured; }

const std::string& exeFolder() {
    auto& s = state();
    if (s.exeFolder.empty()) s.exeFolder = headless::defaultExeFolder();
    return s.exeFolder;
}

void errorBox(const char* title, const char* text) { state().errorBoxes.push_back({title, text}); }

bool hasDevice() { return state().windowOpen && !state().deviceMissing; }

int beginScene() {
    if (state().beginSceneFails) return -1;
    ++state().current.scenesBegun;
    return 0;
}

void endScene() { ++state().current.scenesEnded; }

void present() {
    auto& s = state();
    s.last = std::move(s.current);
    s.current = headless::Frame{};
    s.current.view = s.last.view;
    s.current.projection = s.last.projection;
    ++s.presents;
    if (s.presentHook) s.presentHook();
}

void clear(uint32_t argb) { state().current.clears.push_back(argb); }

void drawSprite(int texture, int x, int y, uint32_t argb, const SourceRect* source) {
    state().current.sprites.push_back(
        {texture, x, y, argb, source != nullptr, source ? *source : SourceRect{}});
}

void drawText(int left, int top, int right, int bottom, uint32_t argb, std::string_view text) {
    state().current.texts.push_back({left, top, right, bottom, argb, std::string(text)});
}

void setView(const Matrix& view) { state().current.view = view; }
void setProjection(const Matrix& projection) { state().current.projection = projection; }
void setFog(const Fog& fog) { state().fog = fog; }
void setWireframe(bool on) { state().wireframe = on; }
void setDepthTest(bool on) { state().depthTest = on; }

void drawQuads(int texture, Blend blend, const Vertex* vertices, int quadCount) {
    auto& s = state();
    s.current.quads.push_back({texture, blend, s.wireframe, s.depthTest, s.fog,
                               std::vector<Vertex>(vertices, vertices + 4 * quadCount)});
}

bool saveScreenshot(const std::string& path) {
    // Writes a small, valid 24-bit BMP so that file handling can be tested.
    std::ofstream f(path, std::ios::binary);
    if (!f) return false;
    const uint8_t bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                             1,   0,   0,  0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0};
    f.write(reinterpret_cast<const char*>(bmp), sizeof bmp);
    if (!f) return false;
    state().screenshots.push_back(path);
    return true;
}

}  // namespace plat

"""The soak's run: the game, the way back to play from any screen, the saves
and their checks, and the report."""
import os
import random
import shutil
import subprocess
import tempfile
import threading
import time

from e2e.harness import keys
from e2e.harness.failure import Failure, check
from e2e.harness.game import Game, expect_clean_exit
from e2e.harness.screens import wait_main_menu
from e2e.harness.waits import saving, wait_for
from e2e.harness.world_files import WORLD_BYTES, world_tool
from e2e.harness.xsession import capture, find_window, run

from . import actions
from .items import CHEST_ITEM, CHEST_RECIPE_INDEX, INVENTORY
from .log import VERBOSE, log
from .memory import RSS_PERIOD, judge_memory, log_memory
from .saves import CHEST_RECORD_BYTES, first_difference, read_hotbar, read_inventory
from .screens import classify


class Soak:
    def __init__(self, binary, seconds, seed):
        self.binary = binary
        self.tool = world_tool(binary)
        self.seconds = seconds
        self.seed = seed
        self.rng = random.Random(seed)
        self.keep = tempfile.mkdtemp(prefix="velmora-soak-saves-")
        self.rss = []            # (time.time(), kB)
        self.rss_stop = threading.Event()
        self.checks = []         # background checks of kept saves, in order
        self.check_lock = threading.Lock()
        self.check_queue = []
        self.check_wake = threading.Condition(self.check_lock)
        self.check_done = False
        self.check_problems = []
        self.saves = 0
        self.reloads = 0
        self.actions = {}
        self.screens_reached = {}
        self.recoveries = {}
        self.pitch = 0           # the mouse's vertical travel, in pixels (down positive)
        # What the hotbar holds, as of the last save: cell types, 0 for empty.
        self.hotbar = [t for _, t, _ in sorted(INVENTORY)[:8]] + [CHEST_ITEM]
        self.play_began = None
        self.last_action = "the start"

    # -- the game and its screens

    def alive(self):
        if self.game.poll() is not None:
            raise Failure(f"the game ended on its own (status {self.game.returncode}); "
                          f"stderr:\n{self.game.errors()[-6000:]}")

    def screen(self):
        self.alive()
        picture = capture(self.window)
        self.last_picture = picture
        return classify(picture)

    def wait_screen(self, names, timeout):
        seen = []

        def shown():
            seen[:] = [self.screen()]
            return seen[0] if seen[0][0] in names else None
        try:
            return wait_for(shown, timeout, "/".join(names), every=0.3)
        except Failure as failure:
            raise Failure(f"{failure}: the window shows {seen}" + self.keep_picture())

    def screen_within(self, names, timeout):
        """The screen's name once it is one of `names`, or None after `timeout`
        s: for screens an action may or may not reach."""
        try:
            return self.wait_screen(names, timeout)[0]
        except Failure:
            return None

    def to_play(self, why):
        """Back to playing from whatever the window shows. The main menu and
        the world selection load the last save again."""
        deadline = time.time() + 240
        while time.time() < deadline:
            name, row = self.screen()
            if name in ("playing", "playing_bare"):
                return
            self.recoveries[name] = self.recoveries.get(name, 0) + 1
            log(f"  {self.clock():6.1f} s: {why}: on the {name} screen, getting back to play")
            if name == "busy":
                wait_for(lambda: self.screen()[0] != "busy", 180, "the end of the busy screen",
                         every=0.5)
            elif name == "dead":
                keys.tap("Return")
            elif name in ("pause", "items", "options", "quit", "delete"):
                keys.tap("Escape")
            elif name == "main":
                if row != 280:
                    keys.tap("Up")
                else:
                    keys.tap("Return")
            elif name == "slots":
                if row != 260:
                    keys.tap("Up")
                else:
                    keys.tap("Return")
                    self.wait_loaded()
        raise Failure(f"could not get back to play ({why})")

    def open_pause(self, why):
        """Esc from play until the pause menu shows. A busy machine can hold
        a key past the menus' 250 ms gate, so that a press acts twice: here
        it would pause and go straight back to play."""
        for _ in range(5):
            self.to_play(why)
            keys.tap("Escape")
            try:
                self.wait_screen(("pause",), 10)
            except Failure:
                continue
            # A press held past the gate acts again as the gate opens: the
            # menu must still stand once it has.
            keys.acted()
            keys.ready()
            seen = self.screen()
            if seen[0] == "pause":
                return seen
        raise Failure(f"Esc did not pause the game ({why})" + self.keep_picture())

    def choose(self, menu, row):
        """Up or Down until the arrow of `menu` stands at `row`."""
        for _ in range(12):
            name, at = self.screen()
            check(name == menu, f"looking for row {row} of the {menu} menu, the window shows "
                  f"{name}" + self.keep_picture())
            if at == row:
                return
            keys.tap("Down" if at < row else "Up")
        raise Failure(f"the arrow of the {menu} menu never reached row {row}")

    def wait_loaded(self):
        """After Enter on a world slot: the loading screen, then play."""
        wait_for(lambda: self.screen()[0] in ("playing", "playing_bare"), 180,
                 "the world to load", every=0.5)
        keys.acted()  # the load fired the 250 ms gate just now

    def keep_picture(self):
        """The last capture, as a picture file in VELMORA_SOAK_PICTURES if set."""
        folder = os.environ.get("VELMORA_SOAK_PICTURES")
        picture = getattr(self, "last_picture", None)
        if not folder or picture is None:
            return ""
        os.makedirs(folder, exist_ok=True)
        path = os.path.join(folder, f"soak-{self.seed}-{self.clock():.0f}s.ppm")
        with open(path, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (picture.width, picture.height))
            f.write(bytes(v for c in picture.region(0, 0, picture.width, picture.height)
                          for v in c))
        return f" (picture: {path})"

    def clock(self):
        return time.time() - self.play_began if self.play_began else 0.0

    # -- memory

    def sample_rss(self):
        path = f"/proc/{self.game.process.pid}/status"
        while not self.rss_stop.wait(RSS_PERIOD):
            try:
                with open(path) as f:
                    for line in f:
                        if line.startswith("VmRSS:"):
                            self.rss.append((time.time(), int(line.split()[1])))
            except OSError:
                return

    # -- saves

    def world_path(self):
        return self.game.file("Mondo1.data")

    def save_from_pause(self):
        """Esc, Down to Save, Enter; waits for the new file and the pause menu."""
        self.open_pause("before saving")
        self.choose("pause", 310)
        world = self.world_path()
        before = os.stat(world).st_ino if os.path.exists(world) else None
        started = time.time()
        keys.tap("Return")
        wait_for(lambda: os.path.exists(world) and os.stat(world).st_ino != before
                     and not saving(world), 180, "the save")
        self.wait_screen(("pause",), 60)
        self.saves += 1
        log(f"  {self.clock():6.1f} s: save {self.saves} written in {time.time() - started:.1f} s")
        self.hotbar = read_hotbar(world)
        self.keep_save()

    def keep_save(self):
        """A link to the save just written (the next save replaces the name,
        not the file) and a copy of its seed, for the checks."""
        folder = os.path.join(self.keep, f"save{self.saves:02d}")
        os.mkdir(folder)
        os.link(self.world_path(), os.path.join(folder, "written.data"))
        shutil.copy2(self.game.file("SemeM1.data"), os.path.join(folder, "SemeM1.data"))
        with self.check_lock:
            self.check_queue.append(folder)
            self.check_wake.notify()

    def reload_and_save_again(self):
        """From the pause menu just after a save: leave without saving, load
        the slot again, pause at once and save. Only the time of day may
        differ: it runs on in the moments played between the load and the
        pause."""
        loaded = os.path.join(self.keep, "loaded.data")
        os.link(self.world_path(), loaded)
        try:
            self.choose("pause", 330)  # Quit without saving
            keys.tap("Return")
            # The main menu, or the world selection already if Enter acted twice.
            self.wait_screen(("main", "slots", "busy"), 15)
            self.to_play("loading the save again")
            self.reloads += 1
            self.save_from_pause()
            difference = first_difference(loaded, self.world_path(), ignore_tail=2)
        finally:
            os.remove(loaded)
        check(difference is None, f"save {self.saves} (the world loaded from save "
              f"{self.saves - 1} and saved again) differs from it: {difference}")
        log(f"  {self.clock():6.1f} s: the game loaded save {self.saves - 1} and saved it "
            "again: the same bytes but for the time of day")

    def checker(self):
        """Loads each kept save in velmora-world and saves it back unchanged
        (setting the time of day it already has), then checks it. Runs beside
        the game at the lowest priority."""
        while True:
            with self.check_lock:
                while not self.check_queue and not self.check_done:
                    self.check_wake.wait()
                if not self.check_queue:
                    return
                folder = self.check_queue.pop(0)
            try:
                self.checks.append(self.check_save(folder))
            except Exception as problem:  # noqa: BLE001 - reported at the end
                self.check_problems.append(f"{os.path.basename(folder)}: {problem}")
            finally:
                shutil.rmtree(folder, ignore_errors=True)

    def tool_run(self, *args):
        r = subprocess.run(["nice", "-n", "19", self.tool, *args], capture_output=True,
                           text=True, timeout=900, check=False)
        return r.returncode, r.stdout + r.stderr

    def check_save(self, folder):
        name = os.path.basename(folder)
        written = os.path.join(folder, "written.data")
        size = os.path.getsize(written)
        check(size >= WORLD_BYTES and (size - WORLD_BYTES) % CHEST_RECORD_BYTES == 0,
              f"{size} bytes is no world file")
        status, out = self.tool_run("check", written)
        check(status == 0 and out.rstrip().endswith("no findings"),
              f"velmora-world check ({status}):\n{out}")
        with open(written, "rb") as f:
            f.seek(size - 2)
            day, sub = ((b - 1) % 256 for b in f.read(2))
        # velmora-world writes a new file and renames it over the old name: the
        # link to the game's file stays as it was.
        os.link(written, os.path.join(folder, "Mondo1.data"))
        status, out = self.tool_run("time", "--slot", "1", "--dir", folder, str(day), str(sub))
        check(status == 0, f"velmora-world time ({status}): {out}")
        difference = first_difference(written, os.path.join(folder, "Mondo1.data"))
        check(difference is None, f"loaded and saved again by velmora-world, it differs: "
              f"{difference}")
        chests = (size - WORLD_BYTES) // CHEST_RECORD_BYTES
        carried = sum(n for t, n in read_inventory(written) if t == CHEST_ITEM)
        if VERBOSE:
            status, out = self.tool_run("info", written)
            log(f"{name}:\n" + out[out.find("inventory:"):out.find("blocks:")])
        return f"{name}: {chests} chest(s) placed, {carried} carried, DayTime {day}, " \
               f"SubDayTime {sub}: no findings, saves again to the same bytes"

    def prelude(self):
        """Chests for the chest screens, crafted at the table beside the spawn
        before anything dug can take the ninth cell."""
        keys.tap("r")
        for _ in range(CHEST_RECIPE_INDEX):
            keys.tap("Down")
        keys.hold("Return", 3.0)
        keys.tap("r")

    def prepare(self, folder):
        slot = ["--slot", "1", "--dir", folder]
        world_seed = str(1_000_000_000 + self.rng.randrange(1_000_000_000))
        for args in (["generate", "--seed", world_seed, *slot],
                     # A clearing at the spawn with the three stations behind
                     # it, and a shaft out of the bottom of the world beside
                     # it for a walk to end in the death screen now and then.
                     ["set", *slot, "494..506", "101..198", "494..506", "0",
                      "494..506", "100", "494..506", "7",
                      "498", "101", "497", "27", "500", "101", "497", "26", "502", "101", "497",
                      "41", "503..504", "0..100", "503..504", "0"],
                     ["give", *slot, *[str(v) for cell in INVENTORY for v in cell]]):
            r = run(self.tool, *args, timeout=600)
            check(r.returncode == 0, f"velmora-world {' '.join(args)}: {r.returncode} "
                  f"{r.stdout} {r.stderr}")
        log(f"world seed {world_seed}")

    def run(self):
        log(f"soak seed {self.seed} (VELMORA_SOAK_SEED), {self.seconds:.0f} s of play "
            "(VELMORA_SOAK_SECONDS)")
        checker = threading.Thread(target=self.checker, daemon=True)
        checker.start()
        finished = False
        try:
            with Game(self.binary, setup=self.prepare) as game:
                self.game = game
                self.window = find_window(game)
                sampler = threading.Thread(target=self.sample_rss, daemon=True)
                sampler.start()
                wait_main_menu(self.window)
                keys.tap("Return")  # Play
                keys.tap("Return")  # slot 1, prepared
                self.wait_loaded()
                self.play_began = time.time()
                self.prelude()
                self.play(game)
                self.quit(game)
                self.rss_stop.set()
                sampler.join()
                expect_clean_exit(game)
                self.check_sanitizers(game)
            finished = True
        except Failure:
            self.report(judge=False)  # what the run did up to the failure
            raise
        finally:
            self.rss_stop.set()
            with self.check_lock:
                if not finished:
                    self.check_queue.clear()  # a failed run needs no more checks
                self.check_done = True
                self.check_wake.notify()
            checker.join()
            shutil.rmtree(self.keep, ignore_errors=True)
        self.report()

    def tour_distances(self, seconds):
        """Every render distance in turn for a while, from the nearest of a new
        settings file to the farthest: what is cached at each is in memory
        before memory is first judged."""
        for step in range(5):
            if step:
                actions.do_render_distance(self)
            until = time.time() + seconds / 5
            while time.time() < until:
                self.rng.choice([actions.do_walk, actions.do_look, actions.do_dig])(self)

    def play(self, game):
        first_save = min(60.0, self.seconds / 4)
        self.tour_distances(first_save / 2)
        next_save = first_save
        self.rss_warm = first_save
        while self.clock() < self.seconds:
            if self.clock() >= next_save:
                self.save_from_pause()
                # Every third save the game loads it again itself.
                if self.saves % 3 == 2:
                    self.reload_and_save_again()
                keys.tap("Escape")
                next_save += 60.0
                continue
            name, _ = self.screen()
            if name not in ("playing", "playing_bare"):
                self.to_play("after " + self.last_action)
            actions.act(self)
        self.save_from_pause()
        self.reload_and_save_again()

    def quit(self, game):
        """Pause, leave without saving, Esc, Yes: the game ends by itself."""
        if self.screen()[0] != "pause":
            self.open_pause("before quitting")
        self.choose("pause", 330)
        keys.tap("Return")
        for _ in range(5):
            name, _ = self.wait_screen(("main", "quit"), 15)
            if name == "quit":
                # Still there once the gate has passed: Esc did not act twice.
                keys.acted()
                keys.ready()
                if self.screen()[0] == "quit":
                    break
                continue
            keys.tap("Escape")
        self.choose("quit", 300)
        keys.tap("Return")

    def check_sanitizers(self, game):
        errors = game.errors()
        for mark in ("AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer",
                     "runtime error:"):
            check(mark not in errors, f"a sanitizer spoke ({mark}):\n{errors[-6000:]}")

    def report(self, judge=True):
        log(f"saves: {self.saves}, of them loaded again by the game: {self.reloads}")
        for line in self.checks:
            log("  " + line)
        log("actions: " + ", ".join(f"{k} {v}" for k, v in sorted(self.actions.items())))
        log("screens reached: " + ", ".join(f"{k} {v}" for k, v in
                                            sorted(self.screens_reached.items())))
        log("got back to play from: " + (", ".join(f"{k} {v}" for k, v in
                                                 sorted(self.recoveries.items())) or "nothing"))
        samples = [(t - self.play_began, kb) for t, kb in self.rss
                   if self.play_began and t >= self.play_began]
        if not judge:
            log_memory(samples, self.seconds)
            return
        judge_memory(samples, self.rss_warm, self.seconds)
        check(not self.check_problems, "saves that failed their check:\n" +
              "\n".join(self.check_problems))
        check(len(self.checks) == self.saves, f"{len(self.checks)} of {self.saves} saves checked")

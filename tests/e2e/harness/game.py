"""The game as a process in a folder of its own, and how it ends."""
import os
import shutil
import subprocess
import tempfile

from .failure import Failure, check


class Game:
    """The game copied into a fresh temporary folder (so that Settings.data
    and any other file it writes land there, not beside the build) and
    started with software GL."""

    def __init__(self, binary, extra_env=None, args=(), base_env=None, setup=None, folder=None):
        # With `folder`, a later run in the folder an earlier one played in,
        # which stays that run's to remove.
        self.owns_folder = folder is None
        self.folder = folder or tempfile.mkdtemp(prefix="velmora-e2e-")
        if setup:
            setup(self.folder)
        self.binary = os.path.join(self.folder, os.path.basename(binary))
        # A copy, not a link: the game finds its folder through /proc/self/exe,
        # which sees through links.
        shutil.copy2(binary, self.binary)
        env = dict(base_env if base_env is not None else os.environ, LIBGL_ALWAYS_SOFTWARE="1",
                   VELMORA_NO_DIALOGS="1", VELMORA_NO_VSYNC="1")
        env.update(extra_env or {})
        self.stderr = open(os.path.join(self.folder, "stderr.txt"), "w+")
        self.process = subprocess.Popen([self.binary, *args], cwd=self.folder, env=env,
                                        stdout=subprocess.DEVNULL, stderr=self.stderr)

    def poll(self):
        return self.process.poll()

    @property
    def returncode(self):
        return self.process.returncode

    def wait(self, timeout=15):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the game did not end within {timeout} s")

    def file(self, name):
        return os.path.join(self.folder, name)

    def errors(self):
        self.stderr.seek(0)
        return self.stderr.read()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.cleanup()
        return False

    def cleanup(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.stderr.close()
        if self.owns_folder:
            shutil.rmtree(self.folder, ignore_errors=True)


def expect_clean_exit(game):
    status = game.wait()
    check(status == 0, f"exit status {status}, stderr: {game.errors()}")
    settings = game.file("Settings.data")
    check(os.path.exists(settings), "Settings.data was not written at exit")
    check(os.path.getsize(settings) == 2,
          f"Settings.data holds {os.path.getsize(settings)} bytes, not 2")

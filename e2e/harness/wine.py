"""Wine prefixes and processes: one prefix made per run, a private copy per scenario."""

import os
import shutil
import subprocess
import tempfile
from dataclasses import dataclass
from pathlib import Path
from typing import Optional

REGISTRY_SETTINGS = Path(__file__).with_name("prefix.reg")
# Wine's virtual desktop is one monitor: several are seen only with no desktop, and Wine 8 reads
# their places from Xinerama only with RandR off.
SEVERAL_MONITORS_SETTINGS = Path(__file__).with_name("several_monitors.reg")
# Files Wine rewrites while running; everything else in a prefix is only read.
PRIVATE_FILES = ("system.reg", "user.reg", "userdef.reg", ".update-timestamp")
# Wine notes in the prefix the folder under /tmp where its server listens, in a folder per
# prefix directory inode. Copies must not share that note: a new copy may get the inode of one
# just deleted and would reach a server still running for that one, with its programs. Nor may
# the note be missing when a copy starts: the first programs, started together, would each make
# a folder and a server of their own. So each copy is given a new folder before anything runs.
SERVER_ROOT_FILE = "wineserver"
SERVER_ROOTS = Path("/tmp")


@dataclass(frozen=True)
class Started:
    """A program started in a prefix, kept to tell how it ended when a case fails."""
    name: str
    process: subprocess.Popen
    log_path: Path
    out_path: Optional[Path] = None


def program_name(args):
    """The exe's file name and the first argument: "qmprobe.exe browser"."""
    exe = str(args[0]).replace("\\", "/").rsplit("/", 1)[-1]
    return " ".join([exe, *map(str, args[1:2])])


class Wine:
    """The environment of one prefix on one display (or none)."""

    def __init__(self, prefix, display=None):
        self.prefix = Path(prefix)
        self.display = display
        self.started = []

    @property
    def server_root(self):
        """The folder under which the prefix's server listens, as the prefix notes it."""
        note = self.prefix / SERVER_ROOT_FILE
        return SERVER_ROOTS / note.read_text().strip() if note.exists() else None

    @property
    def data_home(self):
        return self.prefix.parent / "xdg-data"

    @property
    def trash(self):
        return self.data_home / "Trash"

    def env(self, lc_all="ja_JP.UTF-8"):
        env = {key: value for key, value in os.environ.items() if key != "DISPLAY"}
        env.update({
            "WINEPREFIX": str(self.prefix),
            "WINEDEBUG": "-all",
            # No Mono or Gecko install prompts, no sound drivers to probe.
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winealsa.drv,winepulse.drv=",
            # Wine takes a process's ANSI code page from its locale: 932 unless told otherwise.
            "LC_ALL": lc_all,
            # Wine's Recycle Bin is the desktop's trash under this folder: one of the
            # scenario's own, never the user's.
            "XDG_DATA_HOME": str(self.data_home),
        })
        if self.display:
            env["DISPLAY"] = self.display
        return env

    def start(self, args, log_path, cwd=None, out_path=None, lc_all=None):
        """Starts a program; its output goes to out_path when given, else with Wine's to the log.
        Given `lc_all`, the program alone runs under that locale; the prefix's server and every
        other program keep theirs."""
        log = open(log_path, "ab")
        out = open(out_path, "ab") if out_path else log
        try:
            env = self.env(lc_all) if lc_all else self.env()
            process = subprocess.Popen(["wine", *args], env=env, cwd=cwd,
                                       stdin=subprocess.DEVNULL, stdout=out, stderr=log)
            self.started.append(Started(program_name(args), process, Path(log_path),
                                        Path(out_path) if out_path else None))
            return process
        finally:
            log.close()
            out.close()

    def run(self, args, timeout=30, check=True):
        """Runs a program to its end and returns its exit code and output.

        The output goes through files, not pipes: the first program of a prefix starts
        Wine's services, which inherit its handles and would keep a pipe open long after.
        """
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            process = subprocess.Popen(["wine", *args], env=self.env(), stdin=subprocess.DEVNULL,
                                       stdout=out, stderr=err)
            try:
                code = process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
                raise
            out.seek(0)
            err.seek(0)
            result = subprocess.CompletedProcess(args, code, out.read(), err.read())
        if check:
            result.check_returncode()
        return result

    def server(self, *flags, timeout=30):
        subprocess.run(["wineserver", *flags], env=self.env(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout,
                       check=False)

    def shut_down(self):
        """Ends every process of the prefix and waits until the server has saved and left."""
        self.server("-k")
        self.server("-w")


def create_prefix(path, log_path):
    """A new prefix with the e2e settings, made without a display."""
    path = Path(path)
    remove_prefix(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    wine = Wine(path)
    with open(log_path, "ab") as log:
        subprocess.run(["wineboot", "-i"], env=wine.env(), stdin=subprocess.DEVNULL,
                       stdout=log, stderr=log, timeout=180, check=True)
    import_registry(wine, REGISTRY_SETTINGS.read_text(encoding="utf-8"))
    return path


def import_registry(wine, text):
    """Imports .reg text into the prefix and waits until Wine has saved it."""
    # regedit reads Unicode .reg files as UTF-16 with a byte order mark.
    reg_file = wine.prefix / "drive_c" / "e2e-settings.reg"
    # A copy of a prefix shares the file with it through a hard link until it is made anew.
    reg_file.unlink(missing_ok=True)
    reg_file.write_bytes(text.encode("utf-16"))
    wine.run(["regedit", "/S", "C:\\e2e-settings.reg"], timeout=60)
    wine.shut_down()


def with_dpi(base, dest, dpi):
    """A copy of the prefix whose screens have `dpi` dots per inch, as a 150 % display setting
    gives 144: the system's density, and the one Wine makes its fonts for."""
    prefix = clone_prefix(base, dest)
    lines = ["Windows Registry Editor Version 5.00", ""]
    for key in ("HKEY_CURRENT_USER\\Control Panel\\Desktop",
                "HKEY_CURRENT_USER\\Software\\Wine\\Fonts"):
        lines += [f"[{key}]", f'"LogPixels"=dword:{dpi:08x}', ""]
    import_registry(Wine(prefix), "\n".join(lines))
    return prefix


def clone_prefix(base, dest):
    """A copy that costs almost nothing: hard links for the files Wine only reads."""
    base, dest = Path(base), Path(dest)
    shutil.rmtree(dest, ignore_errors=True)
    dest.parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["cp", "-al", str(base), str(dest)], check=True)
    for name in PRIVATE_FILES:
        linked = dest / name
        if linked.exists():
            linked.unlink()
            shutil.copy2(base / name, linked)
    give_server_folder(dest)
    return dest


def give_server_folder(prefix):
    """A new, private server folder, noted in the prefix as Wine notes one it makes itself."""
    root = Path(tempfile.mkdtemp(prefix="wine-", dir=SERVER_ROOTS))
    note = Path(prefix) / SERVER_ROOT_FILE
    note.unlink(missing_ok=True)
    note.write_text(root.name)
    note.chmod(0o400)


def remove_prefix(prefix):
    """Once its server has ended: the prefix and its server folder."""
    prefix = Path(prefix)
    note = prefix / SERVER_ROOT_FILE
    if note.exists():
        shutil.rmtree(SERVER_ROOTS / note.read_text().strip(), ignore_errors=True)
    shutil.rmtree(prefix, ignore_errors=True)

"""Why a case failed, in a few lines that the run prints under it: how each Wine program the case
started has ended, the last lines of its log (Wine writes its own fatal errors there even with
its debug channels off), and which processes and servers the prefix has. Taken at the failure,
before the session ends them; the case's folder with its logs may be gone after the run."""

from collections import Counter
from pathlib import Path

TAIL_LINES = 3
LINE_CHARS = 160
PROC = Path("/proc")


def clip(text):
    text = " ".join(text.split())
    return text if len(text) <= LINE_CHARS else text[:LINE_CHARS - 3] + "..."


def log_tail(path):
    """The last non-empty lines of a log, or none when it is empty or missing."""
    try:
        text = Path(path).read_bytes().decode("utf-8", errors="replace")
    except OSError:
        return []
    return [clip(line) for line in text.splitlines() if line.strip()][-TAIL_LINES:]


def state(process):
    code = process.poll()
    if code is None:
        return "running"
    return f"killed by signal {-code}" if code < 0 else f"ended with exit code {code}"


def program_lines(started):
    """One line per program started (name, state, log) with the tails of its log and its
    output, when it has its own, under it."""
    lines, tailed = [], set()
    for program in started:
        lines.append(f"{program.name}: {state(program.process)}, log {program.log_path.name}")
        for path in (program.log_path, program.out_path):
            if path and path not in tailed:
                tailed.add(path)
                lines += [f"  {path.name}: {line}" for line in log_tail(path)]
    return lines


def prefix_processes(prefix):
    """(pid, name, working folder) of every process running for the prefix: each Wine process
    and the server carry its WINEPREFIX in their environment."""
    wanted = f"WINEPREFIX={prefix}".encode()
    found = []
    for entry in PROC.iterdir():
        if not entry.name.isdigit():
            continue
        try:
            if wanted not in (entry / "environ").read_bytes().split(b"\0"):
                continue
            argv0 = (entry / "cmdline").read_bytes().split(b"\0")[0].decode(errors="replace")
            cwd = (entry / "cwd").readlink()
        except OSError:
            continue  # ended meanwhile
        found.append((int(entry.name), argv0.replace("\\", "/").rsplit("/", 1)[-1], cwd))
    return sorted(found)


def process_lines(prefix, server_root):
    """The prefix's processes on one line, and its servers: more than one, or one outside the
    folder the prefix notes, means programs of one case cannot see each other."""
    processes = prefix_processes(prefix)
    servers = [(pid, cwd) for pid, name, cwd in processes if name.startswith("wineserver")]
    counts = Counter(name for _, name, _ in processes if not name.startswith("wineserver"))
    names = [name if count == 1 else f"{name} x{count}" for name, count in counts.items()]
    lines = [clip(f"prefix processes: {', '.join(names) or 'none'}")]
    if not servers:
        lines.append("wineserver: none running")
    for pid, cwd in servers:
        mark = "" if server_root and cwd.parent == server_root else " (not the noted folder!)"
        lines.append(f"wineserver {pid} in {cwd}{mark}")
    return lines

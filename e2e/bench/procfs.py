"""What Linux knows of a Wine process: its CPU time, its peak resident set and its mappings.

The process that `wine` is started as is the Windows program itself (the loader replaces its
own image), so the pid of the started process is the one to read.
"""

import os
from collections import defaultdict
from pathlib import Path


def cpu_ns(pid):
    """Nanoseconds all the process's threads have spent on a CPU so far, from the scheduler's
    own count (/proc/PID/task/*/schedstat); utime and stime count whole clock ticks."""
    total = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            total += int((task / "schedstat").read_text().split()[0])
        except FileNotFoundError:  # a thread that has just ended
            pass
    return total


def status_kib(pid, key):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith(key + ":"):
            return int(line.split()[1])
    raise KeyError(f"{key} not in /proc/{pid}/status")


def peak_resident_mib(pid):
    return status_kib(pid, "VmHWM") / 1024


def resident_by_mapping(pid):
    """KiB resident per mapped file (by file name), and per kind of anonymous memory."""
    totals = defaultdict(int)
    name = None
    for line in Path(f"/proc/{pid}/smaps").read_text().splitlines():
        fields = line.split()
        if "-" in fields[0] and not fields[0].endswith(":"):
            name = mapping_name(fields[5] if len(fields) > 5 else "")
        elif fields[0] == "Rss:":
            totals[name] += int(fields[1])
    return dict(totals)


def mapping_name(path):
    if not path:
        return "[anonymous]"
    if path.startswith("["):
        return path
    return os.path.basename(path)


def resident_mib(pid):
    return status_kib(pid, "VmRSS") / 1024

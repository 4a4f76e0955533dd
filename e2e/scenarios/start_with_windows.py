""""Windows 起動時に開始(&S)" writes and removes the per-user Run value naming the exe, and turns
it on in the startup-apps list where the user had turned it off there."""

from harness import settings_file
from harness.cases import case
from harness.session import EXE_NAME, PROGRAM_FOLDER
from harness.tray import START_WITH_WINDOWS, Tray
from harness.waits import expect, wait_until

SETTINGS = settings_file.image(save_mode=1, size=0, lists=[settings_file.folders(2)])
RUN_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
APPROVED_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run"
RUN_VALUE = ("REG_SZ", f'"C:\\{PROGRAM_FOLDER}\\{EXE_NAME}"')
# The startup-apps list's entry as Windows writes it: turned off (with the time), turned on.
APPROVED_OFF = "03000000102a51773c6bda01"
APPROVED_ON = ("REG_BINARY", "020000000000000000000000")


def value(session, key):
    """The type and data of the value "Quillmarten" under key, as `reg query` prints them."""
    result = session.wine.run(["reg", "query", key, "/v", "Quillmarten"], check=False)
    if result.returncode != 0:
        return None
    for line in result.stdout.decode("cp932", "replace").splitlines():
        parts = line.split(None, 2)
        if len(parts) == 3 and parts[0] == "Quillmarten":
            return parts[1], parts[2].strip()
    return None


def wait_value(session, key, expected, what):
    wait_until(what, lambda: value(session, key) == expected, timeout=10)


@case("start_with_windows_writes_and_removes_the_run_value", settings=SETTINGS)
def writes_and_removes_the_run_value(session):
    app = session.start_app()
    tray = Tray(session, app)
    tray.wait_icon()
    expect(value(session, RUN_KEY) is None, "the Run value was written before it was chosen")

    tray.choose(START_WITH_WINDOWS)
    wait_value(session, RUN_KEY, RUN_VALUE, "the Run value naming the exe")
    tray.open_menu()
    session.screenshot("start-with-windows-checked")
    tray.close_menu()

    tray.choose(START_WITH_WINDOWS)
    wait_value(session, RUN_KEY, None, "the Run value to be removed")
    expect(value(session, APPROVED_KEY) is None, "the startup-apps list was written")


@case("start_with_windows_turns_it_on_in_the_startup_apps_list", settings=SETTINGS)
def turns_it_on_in_the_startup_apps_list(session):
    session.wine.run(["reg", "add", RUN_KEY, "/v", "Quillmarten", "/t", "REG_SZ",
                      "/d", RUN_VALUE[1], "/f"])
    session.wine.run(["reg", "add", APPROVED_KEY, "/v", "Quillmarten", "/t", "REG_BINARY",
                      "/d", APPROVED_OFF, "/f"])
    app = session.start_app()
    tray = Tray(session, app)

    tray.choose(START_WITH_WINDOWS)
    wait_value(session, APPROVED_KEY, APPROVED_ON, "the entry turned on in the startup-apps list")
    expect(value(session, RUN_KEY) == RUN_VALUE,
           f"the Run value is {value(session, RUN_KEY)}, expected {RUN_VALUE}")

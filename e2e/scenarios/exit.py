""""終了(&E)" ends the program normally and leaves the settings file as it was."""

from harness import settings_file
from harness.cases import case
from harness.tray import Tray
from harness.waits import expect

SETTINGS = settings_file.image(save_mode=0, size=1, lists=[settings_file.folders(4)])


@case("exit_ends_with_code_0", settings=SETTINGS)
def exit_ends_with_code_0(session):
    app = session.start_app()
    tray = Tray(session, app)

    tray.choose("終了(&E)", when_open=lambda: session.screenshot("tray-menu"))

    code = app.wait_exit(timeout=10)
    expect(code == 0, f"the program ended with exit code {code}, expected 0")
    expect(session.settings_path.read_bytes() == SETTINGS, "the settings file changed at exit")

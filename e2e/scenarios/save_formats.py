"""The save format: a WebP or JPEG dragged from a browser is saved as PNG or JPEG when the user
asked for it, and kept byte for byte when it moves or when the format is "as it is". Every
picture is made here with Debian's WebP tools and ImageMagick; the saved pixels are compared with
what dwebp makes of the same WebP."""

import re
import subprocess

from harness import settings_file
from harness.cases import case
from harness.waits import Failure, expect, wait_until
from scenarios.drops import SECOND_ROW, THREE_FOLDERS
from scenarios.virtual_drops import VirtualDrag, expect_dropped

AS_IS, PNG, JPEG = 0, 1, 2
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
JPEG_SIGNATURE = b"\xff\xd8\xff"
# The least a JPEG of quality 90 of these pictures keeps of them, against the same picture.
LEAST_JPEG_PSNR = 30.0


def settings(save_format, save_mode=1):
    return settings_file.image(save_mode=save_mode, size=0, lists=[THREE_FOLDERS],
                               reserved=bytes([save_format]) + bytes(9))


def run(*command):
    subprocess.run(command, check=True, capture_output=True)


def pictures(session):
    """A folder of the session's own, and a 96 x 64 picture in it with every kind of alpha."""
    folder = session.work_dir / "pictures"
    folder.mkdir(exist_ok=True)
    source = folder / "source.png"
    run("convert", "-size", "96x64", "-seed", "7", "plasma:", "(", "-size", "96x64",
        "gradient:white-black", ")", "-alpha", "off", "-compose", "CopyOpacity", "-composite",
        f"PNG32:{source}")
    return folder, source


def compare(metric, first, second):
    """ImageMagick's measure of how far two pictures are apart ("inf" dB for the same pixels)."""
    done = subprocess.run(["compare", "-metric", metric, str(first), str(second), "null:"],
                          capture_output=True, text=True)
    if done.returncode > 1:
        raise Failure(f"compare could not read the pictures: {done.stderr.strip()}")
    figure = done.stderr.split()[0]
    return float("inf") if figure == "inf" else float(re.sub(r"[^0-9.e+-]", "", figure))


def on_white(folder, picture):
    flat = folder / f"{picture.stem}-on-white.png"
    run("convert", str(picture), "-background", "white", "-alpha", "remove", "-alpha", "off",
        f"PNG24:{flat}")
    return flat


def dropped(session, name, data, saved_name):
    """Drags `data` as a virtual file named `name` onto the second folder and waits for the one
    file the folder is to hold, until two looks in a row find it the same; returns its path."""
    drag = VirtualDrag(session)
    _, result = drag.drag(drag.virtual_file(name, data))
    expect_dropped(result)
    last = [None]

    def settled():
        state = drag.contents(SECOND_ROW)
        unchanged = state == last[0]
        last[0] = state
        return unchanged and set(state) == {saved_name}

    wait_until(f"{saved_name} alone in the folder", settled, timeout=15)
    return drag.folders[SECOND_ROW] / saved_name


def expect_same_pixels(saved, reference):
    apart = compare("AE", saved, reference)
    expect(apart == 0, f"{saved.name} differs from {reference.name} in {apart} pixels")


def expect_jpeg_error(folder, saved, reference):
    """Within the error of a JPEG of quality 90: no further from the reference than
    ImageMagick's own JPEG of it, give or take, and never blurred beyond LEAST_JPEG_PSNR."""
    own = folder / "imagemagick-q90.jpg"
    run("convert", str(reference), "-quality", "90", str(own))
    ours = compare("PSNR", saved, reference)
    theirs = compare("PSNR", own, reference)
    expect(ours >= min(LEAST_JPEG_PSNR, theirs - 3.0),
           f"the saved JPEG is {ours:.1f} dB from the reference, ImageMagick's {theirs:.1f} dB")


@case("format.lossless_webp_saved_as_png_has_dwebps_pixels", settings=settings(PNG))
def lossless_webp_to_png(session):
    folder, source = pictures(session)
    webp = folder / "photo.webp"
    run("cwebp", "-quiet", "-lossless", "-exact", str(source), "-o", str(webp))
    reference = folder / "dwebp.png"
    run("dwebp", "-quiet", str(webp), "-o", str(reference))
    saved = dropped(session, "photo[1].webp", webp.read_bytes(), "photo.png")
    expect(saved.read_bytes().startswith(PNG_SIGNATURE), "the saved file is no PNG")
    expect_same_pixels(saved, reference)


@case("format.lossy_webp_saved_as_png_has_dwebps_pixels", settings=settings(PNG, save_mode=0))
def lossy_webp_to_png(session):
    folder, source = pictures(session)
    webp = folder / "photo.webp"
    run("cwebp", "-quiet", "-q", "75", str(source), "-o", str(webp))
    reference = folder / "dwebp.png"
    run("dwebp", "-quiet", str(webp), "-o", str(reference))
    saved = dropped(session, "photo.webp", webp.read_bytes(), "photo.png")
    expect_same_pixels(saved, reference)


@case("format.webp_saved_as_jpeg_lies_on_white", settings=settings(JPEG))
def webp_to_jpeg(session):
    folder, source = pictures(session)
    webp = folder / "photo.webp"
    run("cwebp", "-quiet", "-lossless", "-exact", str(source), "-o", str(webp))
    reference = folder / "dwebp.png"
    run("dwebp", "-quiet", str(webp), "-o", str(reference))
    saved = dropped(session, "photo.webp", webp.read_bytes(), "photo.jpg")
    expect(saved.read_bytes().startswith(JPEG_SIGNATURE), "the saved file is no JPEG")
    expect_jpeg_error(folder, saved, on_white(folder, reference))


@case("format.animated_webp_is_kept_byte_for_byte", settings=settings(PNG))
def animated_webp_kept(session):
    folder, source = pictures(session)
    second = folder / "second.png"
    run("convert", str(source), "-flop", f"PNG32:{second}")
    webp = folder / "anim.webp"
    run("img2webp", "-lossless", "-d", "200", str(source), str(second), "-o", str(webp))
    data = webp.read_bytes()
    saved = dropped(session, "anim.webp", data, "anim.webp")
    expect(saved.read_bytes() == data, "the animated WebP was not kept byte for byte")


@case("format.jpeg_saved_as_png_through_the_imaging_component", settings=settings(PNG))
def jpeg_to_png(session):
    folder, source = pictures(session)
    jpeg = folder / "photo.jpg"
    # Without chroma subsampling, where decoders may fill the colours in each their own way.
    run("convert", str(on_white(folder, source)), "-sampling-factor", "1x1", "-quality", "85",
        str(jpeg))
    reference = folder / "imagemagick.png"
    run("convert", str(jpeg), f"PNG24:{reference}")
    saved = dropped(session, "photo.jpg", jpeg.read_bytes(), "photo.png")
    expect(saved.read_bytes().startswith(PNG_SIGNATURE), "the saved file is no PNG")
    # Two JPEG decoders may round an odd pixel apart, no more.
    apart = compare("PSNR", saved, reference)
    expect(apart >= 60, f"the PNG is {apart:.1f} dB from ImageMagick's decoding of the JPEG")


@case("format.as_it_is_saves_a_webp_byte_for_byte", settings=settings(AS_IS))
def as_it_is(session):
    folder, source = pictures(session)
    webp = folder / "photo.webp"
    run("cwebp", "-quiet", "-q", "75", str(source), "-o", str(webp))
    data = webp.read_bytes()
    saved = dropped(session, "photo.webp", data, "photo.webp")
    expect(saved.read_bytes() == data, "the WebP was not saved byte for byte")

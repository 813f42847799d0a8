#!/usr/bin/env python3
"""Installs a build tree into a scratch prefix and checks it the way a desktop and a
software centre read it.

Usage: test_install.py BUILD_DIR SOURCE_DIR VERSION
Needs cmake, desktop-file-validate (desktop-file-utils), appstreamcli (appstream) and
ImageMagick's identify."""

import configparser
import filecmp
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

APP_ID = "io.github.vexadra.Vexadra"
ICON_SIZES = (16, 32, 48, 64, 128, 256)
IDENTIFY = "/usr/bin/identify"  # ImageMagick itself, not a stand-in earlier on PATH

BUILD_DIR = SOURCE_DIR = VERSION = ""


def run(args, **kwargs):
    return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          timeout=120, **kwargs)


def tool(name):
    path = shutil.which(name)
    if not path:
        raise AssertionError(f"{name} is not installed (scripts/install-deps.sh --test installs it)")
    return path


def image_size(path):
    r = run([IDENTIFY, "-format", "%m %w %h", path])
    assert r.returncode == 0, r.stdout
    kind, w, h = r.stdout.split()
    return kind, int(w), int(h)


def install_into(prefix):
    """cmake --install, leaving the build folder's install_manifest.txt as it was: it is
    what a player's uninstall reads, and must keep listing the player's own install."""
    manifest = os.path.join(BUILD_DIR, "install_manifest.txt")
    try:
        with open(manifest, "rb") as f:
            kept = f.read()
    except FileNotFoundError:
        kept = None
    try:
        return run([tool("cmake"), "--install", BUILD_DIR, "--prefix", prefix])
    finally:
        if kept is None:
            if os.path.exists(manifest):
                os.remove(manifest)
        else:
            with open(manifest, "wb") as f:
                f.write(kept)


def complaints(report, prefixes):
    """The lines of a validator's report that start with one of the given severities."""
    return [line for line in report.splitlines() if line.strip().startswith(prefixes)]


class InstalledTree(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="vexadra-install-")
        cls.prefix = os.path.join(cls.tmp, "prefix")
        r = install_into(cls.prefix)
        if r.returncode != 0:
            shutil.rmtree(cls.tmp, ignore_errors=True)
            raise AssertionError(f"cmake --install failed:\n{r.stdout}")
        share = os.path.join(cls.prefix, "share")
        cls.binary = os.path.join(cls.prefix, "bin", "vexadra")
        cls.desktop = os.path.join(share, "applications", f"{APP_ID}.desktop")
        cls.metainfo = os.path.join(share, "metainfo", f"{APP_ID}.metainfo.xml")
        cls.hicolor = os.path.join(share, "icons", "hicolor")
        cls.svg = os.path.join(cls.hicolor, "scalable", "apps", f"{APP_ID}.svg")
        cls.manual = os.path.join(share, "man", "man6", "vexadra.6")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def entry(self):
        parser = configparser.ConfigParser(interpolation=None)
        parser.optionxform = str  # keys are case-sensitive
        parser.read(self.desktop, encoding="utf-8")
        return parser["Desktop Entry"]

    def test_every_file_is_installed(self):
        self.assertTrue(os.path.isfile(self.binary) and os.access(self.binary, os.X_OK),
                        "bin/vexadra is an executable file")
        for path in (self.desktop, self.metainfo, self.svg, self.manual):
            self.assertTrue(os.path.isfile(path), path)
        # The launcher shows the same picture as the program's own window icon.
        self.assertTrue(filecmp.cmp(self.svg, os.path.join(SOURCE_DIR, "src", "res", "vexadra.svg"),
                                    shallow=False))
        for size in ICON_SIZES:
            with self.subTest(size=size):
                png = os.path.join(self.hicolor, f"{size}x{size}", "apps", f"{APP_ID}.png")
                self.assertTrue(os.path.isfile(png), png)
                self.assertEqual(image_size(png), ("PNG", size, size))

    def test_every_language_is_installed_and_the_launcher_speaks_it(self):
        with open(os.path.join(SOURCE_DIR, "po", "LINGUAS"), encoding="utf-8") as f:
            languages = [line.strip() for line in f if line.strip() and not line.startswith("#")]
        self.assertIn("de", languages)
        entry = self.entry()
        root = ET.parse(self.metainfo).getroot()
        german = root.find("summary[@{http://www.w3.org/XML/1998/namespace}lang='de']")
        for lang in languages:
            with self.subTest(lang=lang):
                mo = os.path.join(self.prefix, "share", "locale", lang, "LC_MESSAGES", "vexadra.mo")
                self.assertTrue(os.path.isfile(mo), mo)
                self.assertNotEqual(entry.get(f"Comment[{lang}]", entry["Comment"]), entry["Comment"])
        self.assertIsNotNone(german, "the metainfo carries the German summary")
        self.assertNotEqual(german.text, root.findtext("summary"))

    def test_validators_accept_the_desktop_entry_and_metainfo(self):
        r = run([tool("desktop-file-validate"), self.desktop])
        self.assertEqual(r.returncode, 0, r.stdout)
        # Warnings leave the exit status at 0; they count as failures here all the same.
        self.assertEqual(complaints(r.stdout, (f"{self.desktop}: error", f"{self.desktop}: warning")),
                         [], r.stdout)

        appstreamcli = tool("appstreamcli")
        r = run([appstreamcli, "validate", "--pedantic", "--no-net", self.metainfo])
        self.assertEqual(r.returncode, 0, r.stdout)
        # Only the notes the format itself allows: the id's capital letter, and the newer
        # developer tag that an older appstreamcli does not know.
        allowed = ("cid-contains-uppercase-letter", "unknown-tag developer")
        self.assertEqual([line for line in complaints(r.stdout, ("E:", "W:", "I:", "P:"))
                          if not any(note in line for note in allowed)], [], r.stdout)
        # The tree check also looks for the launcher the metainfo names.
        r = run([appstreamcli, "validate-tree", "--no-net", self.prefix])
        self.assertEqual(r.returncode, 0, r.stdout)
        self.assertEqual(complaints(r.stdout, ("E:", "W:")), [], r.stdout)

    def test_the_entry_names_installed_files(self):
        entry = self.entry()
        icon = entry["Icon"]
        self.assertNotIn("/", icon, "the icon is found by name in the theme, not by a path")
        for folder in [f"{s}x{s}" for s in ICON_SIZES]:
            self.assertTrue(os.path.isfile(os.path.join(self.hicolor, folder, "apps", f"{icon}.png")), folder)
        self.assertTrue(os.path.isfile(os.path.join(self.hicolor, "scalable", "apps", f"{icon}.svg")))

        program = entry["Exec"].split()[0]
        self.assertNotIn("/", program, "started through PATH, so any prefix works")
        installed = os.path.join(self.prefix, "bin", program)
        self.assertTrue(os.path.isfile(installed) and os.access(installed, os.X_OK), installed)
        self.assertEqual(entry["Terminal"], "false")
        self.assertIn("Game", entry["Categories"].split(";"))

    def test_the_manual_lists_every_option_of_the_program(self):
        usage = run([self.binary, "--help"], env={k: v for k, v in os.environ.items()
                                                   if k not in ("DISPLAY", "WAYLAND_DISPLAY")})
        self.assertEqual(usage.returncode, 0, usage.stdout)
        options = set(re.findall(r"--[a-z][a-z-]*", usage.stdout))
        self.assertIn("--version", options)
        with open(self.manual, encoding="utf-8") as f:
            manual = f.read().replace("\\-", "-")
        self.assertEqual([o for o in sorted(options) if o not in manual], [],
                         "options --help shows that the manual page leaves out")

    def test_the_metainfo_agrees_with_the_entry_and_the_build(self):
        root = ET.parse(self.metainfo).getroot()
        self.assertEqual(root.get("type"), "desktop-application")
        self.assertEqual(root.findtext("id"), APP_ID)
        self.assertEqual(root.findtext("launchable"), os.path.basename(self.desktop))
        self.assertEqual(root.findtext("provides/binary"), self.entry()["Exec"].split()[0])
        # The newest release is the version the build says it is.
        self.assertEqual(root.find("releases/release").get("version"), VERSION)

        # Every screenshot it promises exists in docs/screenshots at the stated size.
        images = root.findall("screenshots/screenshot/image")
        self.assertGreaterEqual(len(images), 1)
        for image in images:
            name = image.text.strip().rsplit("/", 1)[-1]
            with self.subTest(screenshot=name):
                path = os.path.join(SOURCE_DIR, "docs", "screenshots", name)
                self.assertTrue(os.path.isfile(path), path)
                self.assertEqual(image_size(path),
                                 ("PNG", int(image.get("width")), int(image.get("height"))))
        self.assertTrue(all(s.findtext("caption") for s in root.findall("screenshots/screenshot")),
                        "every screenshot has a caption")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    BUILD_DIR, SOURCE_DIR, VERSION = sys.argv[1:]
    unittest.main(argv=sys.argv[:1], verbosity=2)

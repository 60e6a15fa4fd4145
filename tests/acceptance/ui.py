"""Drives the real desktop program through the accessibility bus, as a screen reader
or a user's hands would: widgets are found by their accessible names, buttons pressed
through their actions, text typed into editable fields, and mouse clicks (for list
rows) made by the X server at the widget's place on screen.

Runs with Debian's python3 (pyatspi and Pillow from scripts/setup) inside a display
and a session bus that run_walk.sh starts.
"""
import subprocess
import time

import pyatspi
from PIL import ImageGrab


class WalkFailed(AssertionError):
    pass


def wait_for(what, probe, timeout=20.0, every=0.1):
    """probe() until it returns something true; WalkFailed naming `what` after `timeout`."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise WalkFailed(f"timed out waiting for {what}")
        time.sleep(every)


def _children(node):
    try:
        return [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:  # a widget that went away while we looked
        return []


def _same(a, b):
    """One widget seen through two look-ups: the bus may hand out separate proxies."""
    if a == b:
        return True
    try:
        return (a.name, a.getRoleName(), a.getIndexInParent(), _place(a)) == \
            (b.name, b.getRoleName(), b.getIndexInParent(), _place(b))
    except Exception:
        return False


def _place(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def _showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


class Ui:
    def __init__(self, application="Quarrion"):
        self.application_name = application

    def application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in _children(desktop):
            if app is not None and app.name == self.application_name:
                return app
        return None

    def wait_until_running(self, timeout=60.0):
        return wait_for(f"{self.application_name} on the accessibility bus", self.application, timeout)

    def all(self, name=None, role=None, root=None, showing=True):
        """Every node under `root` (default: the program) with that accessible name and role."""
        found, waiting = [], [root or self.application()]
        while waiting:
            node = waiting.pop(0)
            if node is None:
                continue
            try:
                matches = (name is None or node.name == name) and (
                    role is None or node.getRoleName() == role)
            except Exception:
                continue
            if matches and (not showing or _showing(node)):
                found.append(node)
            waiting.extend(_children(node))
        return found

    def find(self, name, role=None, root=None, timeout=20.0):
        return wait_for(f"{role or 'widget'} {name!r}",
                        lambda: next(iter(self.all(name, role, root)), None), timeout)

    def gone(self, name, role=None, timeout=20.0):
        wait_for(f"{name!r} to close", lambda: not self.all(name, role), timeout)

    # Hands.
    def press(self, name, role="push button", root=None):
        node = self.find(name, role, root)
        action = node.queryAction()
        for i in range(action.nActions):
            if action.getName(i) in ("Press", "press", "click", "Toggle", "toggle"):
                action.doAction(i)
                return node
        action.doAction(0)
        return node

    def set_text(self, name, text, role="text", root=None):
        node = self.find(name, role, root)
        node.queryEditableText().setTextContents(text)
        return node

    def text_of(self, node):
        try:
            return node.queryText().getText(0, -1)
        except NotImplementedError:
            return node.name

    def extents(self, node):
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    def click(self, node, button=1, double=False):
        x, y, width, height = self.extents(node)
        self.click_at(x + width // 2, y + height // 2, button, double)

    def click_at(self, x, y, button=1, double=False):
        subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)
        time.sleep(0.1)
        subprocess.run(["xdotool", "click"] + (["--repeat", "2"] if double else []) + [str(button)],
                       check=True)

    def drag(self, x, y, to_x, to_y, steps=8):
        """Presses the left button at (x, y), moves in steps to (to_x, to_y) and lets go."""
        subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)
        time.sleep(0.1)
        subprocess.run(["xdotool", "mousedown", "1"], check=True)
        for step in range(1, steps + 1):
            subprocess.run(["xdotool", "mousemove", str(x + (to_x - x) * step // steps),
                            str(y + (to_y - y) * step // steps)], check=True)
            time.sleep(0.03)
        subprocess.run(["xdotool", "mouseup", "1"], check=True)

    def key(self, *keys):
        subprocess.run(["xdotool", "key"] + list(keys), check=True)

    def type_into(self, node, text):
        """Clicks into a text field, selects what it holds and types `text` as keys, so
        the program sees the edits a user makes (not a text set from outside)."""
        self.click(node)
        wait_for(f"{node.name!r} to take the focus",
                 lambda: states(node) and states(node).contains(pyatspi.STATE_FOCUSED), 5)
        self.key("ctrl+a")
        subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)
        wait_for(f"{node.name!r} to read {text!r}", lambda: self.text_of(node) == text, 5)

    def choose(self, combo, item):
        """Opens a combo box with a click and clicks the item named `item` in its list."""
        if combo.name == item:
            return
        self.click(combo)
        entry = wait_for(f"{item!r} in the open list of {combo.name!r}",
                         lambda: next(iter(self.all(item, "list item", combo)), None), 5)
        self.click(entry)
        wait_for(f"the combo box to show {item!r}", lambda: combo.name == item, 5)

    def items_of(self, combo):
        return [node.name for node in self.all(None, "list item", combo, showing=False)]

    def menu_item(self, name, root=None, timeout=10.0):
        return self.find(name, "menu item", root, timeout)

    def focus_window(self, title):
        """Gives the X input focus to the top-level window titled `title`. Xvfb runs no
        window manager, so nothing else activates a window that opens."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                               capture_output=True, text=True).stdout.split()
        if not found:
            raise WalkFailed(f"no window titled {title!r} on the screen")
        subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], check=True)

    def place_window(self, title, x, y, width, height):
        """Moves and sizes the top-level window titled `title`, as a user drags its frame
        (no window manager runs to do it)."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                               capture_output=True, text=True).stdout.split()
        if not found:
            raise WalkFailed(f"no window titled {title!r} on the screen")
        subprocess.run(["xdotool", "windowmove", "--sync", found[-1], str(x), str(y)], check=True)
        subprocess.run(["xdotool", "windowsize", "--sync", found[-1], str(width), str(height)],
                       check=True)

    def hover(self, node):
        """Rests the mouse on the widget's centre without clicking (a menu item lights up)."""
        x, y, width, height = self.extents(node)
        subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2)],
                       check=True)

    def popup_choose(self, position):
        """Chooses the `position`th (1-based) item of the pop-up menu just opened, by
        keyboard: Qt keeps pop-up menus out of the accessibility tree, so the walk
        checks what the choice did instead of the item's name."""
        time.sleep(0.3)  # the menu maps before it takes keys; the caller checks the result
        self.key(*(["Down"] * position), "Return")

    def in_front(self, node):
        """True when the widget the screen shows at `node`'s centre belongs to `node`:
        no other window covers it. Each top-level window names the widget it shows at
        that point (Qt answers in stacking order); `node` must be among its ancestors."""
        x, y, width, height = self.extents(node)
        x, y = x + width // 2, y + height // 2
        for top in _children(self.application()):
            if top is None or not _showing(top):
                continue
            here = top
            try:
                for _ in range(60):
                    deeper = here.queryComponent().getAccessibleAtPoint(
                        x, y, pyatspi.DESKTOP_COORDS)
                    if deeper is None or _same(deeper, here):
                        break
                    here = deeper
                for _ in range(60):
                    if _same(here, node):
                        return True
                    if _same(here, top):
                        break
                    here = here.parent
            except Exception:
                continue
        return False

    # Eyes.
    def capture(self, node, path, title=None):
        """Saves the picture of `node`'s place on screen to `path` and checks that it
        shows that window: its accessible name is `title` (when given), it is showing,
        and the picture is not blank or nearly one colour."""
        if title is not None and node.name != title:
            raise WalkFailed(f"expected the window {title!r} to picture, found {node.name!r}")
        if not _showing(node):
            raise WalkFailed(f"{node.name!r} is not showing when pictured")
        try:
            top_level = node.parent == self.application()
        except Exception:
            top_level = False
        if top_level:
            wait_for(f"{node.name!r} to be the active window", lambda: is_active(node), 5)
        wait_for(f"{node.name!r} in front of other windows", lambda: self.in_front(node), 5)
        x, y, width, height = self.extents(node)
        if width < 50 or height < 50:
            raise WalkFailed(f"{node.name!r} is too small to picture: {width}x{height}")
        picture = ImageGrab.grab(bbox=(x, y, x + width, y + height))
        picture.save(path)
        check_not_blank(picture, node.name)
        return picture


def check_not_blank(picture, what):
    """A window's picture has text, frames and controls: many colours, and no single
    colour covering nearly all of it (a blank, black or unpainted capture does)."""
    colours = picture.convert("RGB").getcolors(maxcolors=1 << 18)
    if colours is None:
        return
    most = max(count for count, _ in colours)
    total = picture.width * picture.height
    if len(colours) < 8 or most > 0.97 * total:
        raise WalkFailed(f"the picture of {what!r} is nearly blank "
                         f"({len(colours)} colours, {100 * most // total}% one colour)")

def states(node):
    try:
        return node.getState()
    except Exception:
        return None


def is_checked(node):
    found = states(node)
    return bool(found) and found.contains(pyatspi.STATE_CHECKED)


def is_enabled(node):
    found = states(node)
    return bool(found) and found.contains(pyatspi.STATE_ENABLED) and found.contains(
        pyatspi.STATE_SENSITIVE)


def is_active(node):
    found = states(node)
    return bool(found) and found.contains(pyatspi.STATE_ACTIVE)


def dump_tree(node, out, depth=0, limit=40):
    """Writes the accessibility tree under `node` (name, role, states that matter,
    actions) to `out`, so a failed step shows what the program offered instead."""
    if depth > limit or node is None:
        return
    try:
        found = states(node)
        marks = "".join(mark for state, mark in (
            (pyatspi.STATE_SHOWING, "S"), (pyatspi.STATE_ACTIVE, "A"),
            (pyatspi.STATE_CHECKED, "C"), (pyatspi.STATE_SENSITIVE, "E"))
            if found and found.contains(state))
        try:
            action = node.queryAction()
            actions = [action.getName(i) for i in range(action.nActions)]
        except NotImplementedError:
            actions = []
        out.write(f"{'  ' * depth}{node.getRoleName()} {node.name!r} [{marks}] {actions}\n")
    except Exception as error:  # a widget that went away while we looked
        out.write(f"{'  ' * depth}(gone: {error})\n")
        return
    children = _children(node)
    if len(children) > 60:
        for child in children[:30]:
            dump_tree(child, out, depth + 1, limit)
        out.write(f"{'  ' * (depth + 1)}... {len(children) - 30} more\n")
        return
    for child in children:
        dump_tree(child, out, depth + 1, limit)

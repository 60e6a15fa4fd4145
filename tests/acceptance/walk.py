"""The acceptance walk: a bookkeeper's whole road through the real desktop program, on
a generated sample company, done through the widgets' accessible names and the mouse
and keyboard of the X server. Every window met is pictured and the picture checked to
show that window. A failed step names itself, leaves a picture of the screen
(FAILED-<step>.png) and the accessibility tree it saw (FAILED-<step>.txt).

Started by run_walk.sh, which sets QUARRION_HOME, QUARRION_WALK_QUARRION (the program),
QUARRION_WALK_CLI (the terminal tool) and QUARRION_WALK_OUT (where pictures go).
"""
import contextlib
import csv
import hashlib
import os
import subprocess
import sys
import time
import traceback

import pyatspi
from PIL import ImageGrab

from ui import Ui, WalkFailed, dump_tree, is_active, is_checked, wait_for

OUT = os.environ["QUARRION_WALK_OUT"]
HOME = os.environ["QUARRION_HOME"]
PICTURES = os.path.join(OUT, "pictures")
EXPORTS = os.path.join(OUT, "exports")
COMPANY = os.path.join(HOME, "Sample Company.qbxml")
SAVED_NAME = "Supply houses"
# Where the main window is put on the walk's 1280x900 screen: left, top, width, height.
MAIN_PLACE = (40, 30, 1200, 840)
# The handle between the console and the child windows lies this far below the
# console's lower edge; the walk drags it down by CONSOLE_GROWTH pixels.
CONSOLE_EDGE = 4
CONSOLE_GROWTH = 40

ui = Ui()
steps_done = []


@contextlib.contextmanager
def step(name):
    print(f"step: {name}", flush=True)
    started = time.monotonic()
    try:
        yield
    except Exception as error:
        slug = "".join(c if c.isalnum() else "-" for c in name.lower())
        try:
            ImageGrab.grab().save(os.path.join(PICTURES, f"FAILED-{slug}.png"))
        except Exception:
            pass
        try:
            with open(os.path.join(PICTURES, f"FAILED-{slug}.txt"), "w") as out:
                dump_tree(ui.application(), out)
        except Exception:
            pass
        traceback.print_exc()
        raise WalkFailed(f"step {name!r} failed: {error}") from error
    steps_done.append(name)
    print(f"  done in {time.monotonic() - started:.1f} s", flush=True)


def picture(node, file, title=None):
    ui.capture(node, os.path.join(PICTURES, file), title)
    print(f"  pictured {node.name!r} in {file}", flush=True)


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


# The program's parts the walk meets.
def main_window():
    return ui.find("Quarrion", "frame")


def side_button(name):
    return ui.find(name, "push button", main_window())


def type_cell(title):
    return ui.find(title, "table cell", ui.find("Types to search", "tree"))


def set_ticked(title, ticked):
    cell = type_cell(title)
    if is_checked(cell) != ticked:
        ui.click(cell)  # a click on a line moves there; Space ticks it as a user does
        ui.key("space")
        wait_for(f"{title} to be {'ticked' if ticked else 'unticked'}",
                 lambda: is_checked(cell) == ticked, 5)


def set_year(name, year):
    """Moves a date field's year with the arrow keys, as a user does: Home goes to the
    first section, Tab on to the next ones, Down and Up step the year."""
    field = ui.find(name, "spin button")
    now = int(ui.text_of(field)[-4:])
    ui.click(field)
    ui.key("Home", "Tab", "Tab")
    ui.key(*(["Down"] * (now - year) if now > year else ["Up"] * (year - now)))
    wait_for(f"{name} to read the year {year}", lambda: ui.text_of(field).endswith(str(year)), 5)


def rule_row(panel, number=1):
    return ui.find(f"{panel} rule {number}", "filler")


def combos_of(row):
    """The row's join, subject and operation choices (a date value adds choices after them)."""
    return [node for node in ui.all(None, "combo box", row)][:3]


def results_window(title=None):
    """A results window: an MDI child of the main window, titled by its search's caption."""
    def probe():
        for node in ui.all(None, "frame", main_window()):
            if node.name != "Quarrion" and (title is None or node.name == title) and \
                    ui.all("Search results", "filler", node):
                return node
        return None
    return wait_for(f"a results window{' ' + repr(title) if title else ''}", probe, 30)


def result_table(window, type_title):
    return wait_for(f"the list {type_title} results", lambda: next(iter(
        ui.all(f"{type_title} results", "table", window, showing=False)), None), 20)


def column_texts(table, heading):
    """The texts of one column of a result list, top to bottom, found by its heading."""
    grid = table.queryTable()
    for column in range(grid.nColumns):
        header = grid.getColumnHeader(column)
        if header is not None and header.name == heading:
            return [grid.getAccessibleAt(row, column).name for row in range(grid.nRows)]
    raise WalkFailed(f"no column {heading!r} in {table.name!r}")


def header_of(table, heading):
    for node in ui.all(heading, "table column header", table):
        return node
    raise WalkFailed(f"no heading {heading!r} in {table.name!r}")


def wait_done(window, timeout=120):
    """Waits for the busy pane to go: every type's answer examined."""
    wait_for("the search to finish", lambda: not ui.all("Search progress", None, window), timeout)


def start_program():
    # A real X window even when the caller runs the other tests offscreen.
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    log = open(os.path.join(OUT, "quarrion.log"), "w")
    return subprocess.Popen([os.environ["QUARRION_WALK_QUARRION"]], env=env, stdout=log,
                            stderr=subprocess.STDOUT)


def walk(program):
    with step("start the program"):
        wait_for("Quarrion on the accessibility bus",
                 lambda: ui.application() or program.poll() is not None, 90)
        if program.poll() is not None:
            with open(os.path.join(OUT, "quarrion.log"), errors="replace") as log:
                if "could not connect to display" in log.read() or not display_answers():
                    print("the X server refused the program", file=sys.stderr)
                    sys.exit(DISPLAY_LOST)
            raise WalkFailed(f"the program ended at start with status {program.returncode} "
                             "(see quarrion.log)")
        main = main_window()
        wait_for("the main window on the screen", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^Quarrion$"],
            capture_output=True).returncode == 0, 30)
        ui.focus_window("Quarrion")
        wait_for("the main window to be active", lambda: is_active(main), 30)
        # Wider and taller than it opens, as a bookkeeper would drag it on a big screen:
        # a field rule's row and the results beside the console need the room.
        ui.place_window("Quarrion", *MAIN_PLACE)
        wait_for("the main window at its new size",
                 lambda: ui.extents(main)[2:] == MAIN_PLACE[2:], 10)
        ui.find("Types to search", "tree", main, timeout=60)
        # The console's lower edge is dragged down a little, so a type's field rules
        # and the Set and Cancel row above the buttons show without scrolling.
        console = ui.find("Search console", "filler", main)
        x, y, width, height = ui.extents(console)
        ui.drag(x + width // 2, y + height + CONSOLE_EDGE, x + width // 2,
                y + height + CONSOLE_EDGE + CONSOLE_GROWTH)
        wait_for("the console to grow", lambda: ui.extents(console)[3] > height, 5)
        picture(main, "main-window.png", "Quarrion")

    with step("tick Invoice and Customer"):
        for title, ticked in (("Invoice", True), ("Customer", True), ("Vendor", False)):
            set_ticked(title, ticked)

    with step("set the dates"):
        set_year("From date", int(ui.text_of(ui.find("To date", "spin button"))[-4:]) - 3)

    with step("enter a global rule"):
        row = rule_row("Global search")
        and_or, data_type, compare = combos_of(row)
        ui.choose(data_type, "Text")
        ui.choose(compare, "Contains")
        ui.type_into(ui.find("Compare text", "text", row), "Supply")

    with step("enter a field rule"):
        ui.click(type_cell("Invoice"), button=3)
        ui.popup_choose(1)  # Refine Search
        ui.find("Invoice Search Rule Set", "label")
        row = rule_row("Field search")
        and_or, column, compare = combos_of(row)
        ui.choose(column, "Customer")
        ui.choose(compare, "Contains")
        ui.type_into(ui.find("Compare text", "text", row), "Acme")
        picture(ui.find("Search console", "filler"), "console-field-rule.png", "Search console")
        ui.press("Set Invoice Search Rule Set")
        wait_for("the global rules to come back",
                 lambda: ui.all("Global search rules", "filler"), 10)
        picture(ui.find("Search console", "filler"), "console.png", "Search console")


    with step("save the search"):
        ui.press("Save")
        dialog = top_window("Save Search Rules")
        if not is_active(dialog):
            ui.focus_window("Save Search Rules")
        ui.type_into(ui.find("Search name", "text", dialog), SAVED_NAME)
        ui.type_into(ui.find("Description", "text", dialog), "Invoices to Acme, anything Supply")
        picture(dialog, "save-search.png", "Save Search Rules")
        ui.press("Save", root=dialog)
        ui.gone("Save Search Rules", "dialog")
        ui.focus_window("Quarrion")
        ui.find(SAVED_NAME, None, ui.find("Saved search rule sets", "tree"))

    with step("search"):
        ui.press("Search")
        window = results_window()
        wait_done(window)
        lists = [node.name for node in ui.all(None, "page tab", window)]
        if lists != ["Customer", "Invoice"]:
            raise WalkFailed(f"expected the result lists Customer and Invoice, found {lists}")
        ui.press("Invoice", "page tab", window)
        invoices = result_table(window, "Invoice")
        customers = column_texts(invoices, "Customer")
        if not customers or any("acme" not in name.lower() for name in customers):
            raise WalkFailed(f"the Invoice list holds customers other than Acme: {customers[:5]}")
        print(f"  {len(customers)} invoices to Acme customers", flush=True)
        picture(window, "results.png", SAVED_NAME)

    with step("sort a column"):
        before = column_texts(invoices, "Subtotal")
        ui.click(header_of(invoices, "Subtotal"))
        amounts = lambda: [float(text or 0) for text in column_texts(invoices, "Subtotal")]
        wait_for("the Subtotal column in order", lambda: amounts() in (
            sorted(amounts()), sorted(amounts(), reverse=True)) and amounts() != before, 10)
        if sorted(before, key=float) == before:
            raise WalkFailed("the list was already in Subtotal order, so sorting proves nothing")
        picture(window, "results-sorted.png", SAVED_NAME)

    with step("export one list"):
        shown = column_texts(invoices, "Num")
        ui.click(side_button("Export"))
        dialog = top_window("Export List As ...")
        if not is_active(dialog):
            ui.focus_window("Export List As \\.\\.\\.")
        target = os.path.join(EXPORTS, "Acme invoices.csv")
        name_field = wait_for("the file name field", lambda: next(iter(
            node for node in ui.all(None, "text", dialog) if is_focused(node)), None), 10)
        ui.type_into(name_field, target)
        picture(dialog, "export-list.png", "Export List As ...")
        ui.key("Return")
        ui.gone("Export List As ...", "dialog")
        wait_for(f"{target} to be written", lambda: os.path.exists(target), 20)
        rows = read_delimited(target, ",")
        if [row[rows[0].index("Num")] for row in rows[1:]] != shown:
            raise WalkFailed(f"{target} does not hold the listed invoices in the shown order")
        print(f"  {target}: {len(rows) - 1} rows, columns {rows[0]}", flush=True)
        ui.focus_window("Quarrion")

    with step("export all lists"):
        ui.click(side_button("Export All"))
        dialog = top_window("Export All Lists")
        if not is_active(dialog):
            ui.focus_window("Export All Lists")
        # The folder of the last export is offered again.
        chosen = ui.text_of(ui.find("Chosen folder", "text", dialog))
        if os.path.realpath(chosen) != os.path.realpath(EXPORTS):
            raise WalkFailed(f"Export All offers the folder {chosen!r}, not the last one used")
        picture(dialog, "export-all.png", "Export All Lists")
        before = set(os.listdir(EXPORTS))
        ui.press("Export", root=dialog)
        ui.gone("Export All Lists", "dialog")
        files = wait_for("two new files in the export folder", lambda: (
            lambda names: names if len(names) == 2 else None)(
                sorted(set(os.listdir(EXPORTS)) - before)), 20)
        counts = {}
        for name in files:
            rows = read_delimited(os.path.join(EXPORTS, name), ",")
            counts[name] = len(rows) - 1
        invoice_file = next((n for n in files if "invoice" in n.lower()), None)
        customer_file = next((n for n in files if "customer" in n.lower()), None)
        if not invoice_file or not customer_file:
            raise WalkFailed(f"Export All wrote {files}, not one file per list")
        if counts[invoice_file] != len(shown) or counts[customer_file] != len(
                column_texts(result_table(window, "Customer"), "Customer")):
            raise WalkFailed(f"the exported row counts {counts} differ from the lists")
        print(f"  {EXPORTS}: {counts}", flush=True)
        ui.focus_window("Quarrion")

    with step("open the workbook window"):
        # The console is put away while the results are worked on: the workbook, the
        # data view and the list share the room below it.
        show_console(False)
        ui.click(side_button("Excel"))
        book = wait_for("the workbook window", lambda: next(iter(
            ui.all(f"{SAVED_NAME} [Excel WorkBook]", "frame", main_window())), None), 60)
        sheets = wait_for("the workbook's sheets", lambda: [
            node.name for node in ui.all(None, "page tab", book)] or None, 60)
        if sheets != ["Customer", "Invoice"]:
            raise WalkFailed(f"the workbook shows the sheets {sheets}")
        wait_for("the workbook to be written", lambda: not ui.all("Working", None, book), 60)
        picture(book, "workbook.png", f"{SAVED_NAME} [Excel WorkBook]")
        close_active_window(book)

    with step("open a data view by right click"):
        activate(window)
        ui.press("Invoice", "page tab", window)
        first = wait_for("the first listed invoice", lambda: next(iter(
            cell for cell in ui.all(shown[0], "table cell", invoices)), None), 10)
        ui.click(first, button=3)
        view = wait_for("a data-view window", lambda: next(iter(
            node for node in ui.all(None, "frame", main_window())
            if node.name != "Quarrion" and ui.all("Data view", None, node)), None), 30)
        customer = column_texts(invoices, "Customer")[0]
        if view.name != f"Invoice {customer}":
            raise WalkFailed(f"the data view {view.name!r} is not the invoice to {customer}")
        picture(view, "data-view.png", view.name)
        close_active_window(view)
        activate(window)

    with step("search again with a changed rule"):
        ui.click(side_button("Search Again"))
        dialog = top_window("Search results again")
        if not is_active(dialog):
            ui.focus_window(f"{SAVED_NAME} \\[Search Rule Sets\\]")
        row = rule_row("Global search")
        text = ui.find("Compare text", "text", row)
        if ui.text_of(text) != "Supply":
            raise WalkFailed(f"the re-search window shows the rule {ui.text_of(text)!r}")
        ui.type_into(text, "Hardware")
        picture(dialog, "re-search.png", "Search results again")
        before = column_texts(result_table(window, "Customer"), "Customer")
        ui.press("Search", root=dialog)
        ui.gone("Search results again", "dialog")
        ui.focus_window("Quarrion")

        def customers_found_again():
            names = column_texts(result_table(window, "Customer"), "Customer")
            return names if names and names != before else None
        names = wait_for("the Customer list to change", customers_found_again, 30)
        if not any("hardware" in name.lower() for name in names):
            raise WalkFailed(f"the Customer list after searching for Hardware: {names}")
        print(f"  customers: {len(before)} for Supply, {len(names)} for Hardware", flush=True)

    with step("set the listed invoices to print"):
        numbers = column_texts(result_table(window, "Invoice"), "Num")
        before = digest(COMPANY)
        if all(to_be_printed(COMPANY).get(number) for number in numbers):
            raise WalkFailed("every listed invoice is already marked to print")
        # The closed workbook and data view left the list its band; Horizontal tiles
        # it over the whole room again.
        ui.click(side_button("Horizontal"))
        wait_for("the results window to fill the room",
                 lambda: ui.extents(window)[3] > ui.extents(main_window())[3] // 2, 10)
        ui.press("Invoice", "page tab", window)
        command = open_menu("Tools", "Invoices", "Set All Invoices Listed To Print")
        picture(main_window(), "to-print.png", "Quarrion")
        ui.click(command)
        wait_for("the company file to change", lambda: digest(COMPANY) != before, 60)
        marks = wait_for("every listed invoice marked to print in the company file", lambda: (
            lambda found: found if all(found.get(n) for n in numbers) else None)(
                to_be_printed(COMPANY)), 30)
        unlisted = sum(1 for number, marked in marks.items() if marked and number not in numbers)
        print(f"  {len(numbers)} listed invoices marked to print; {unlisted} others marked",
              flush=True)

    with step("run the saved search from the tree"):
        # The first window's lists were seen; the saved search gets the room alone.
        choose_menu("Windows", "Close All Windows")
        wait_for("every results window to close", lambda: not open_results_windows(), 30)
        show_console(True)
        tree = ui.find("Saved search rule sets", "tree")
        ui.click(ui.find(SAVED_NAME, None, tree), button=3)
        ui.popup_choose(2)  # Execute this Search Rule Set
        again = results_window(SAVED_NAME)
        wait_done(again)
        lists = [node.name for node in ui.all(None, "page tab", again)]
        if lists != ["Customer", "Invoice"]:
            raise WalkFailed(f"the saved search ran with the lists {lists}")
        if sorted(column_texts(result_table(again, "Invoice"), "Num")) != sorted(numbers):
            raise WalkFailed("the saved search found other invoices than the first search")
        picture(again, "saved-search-run.png", SAVED_NAME)

    with step("change a type's columns with the wizard"):
        ui.click(side_button("Columns"))
        wizard = top_window("Search Results Preferences")
        if not is_active(wizard):
            ui.focus_window("Search Results Preferences")
        ui.choose(ui.find("List or transaction type", "combo box", wizard), "Invoice")
        picture(wizard, "wizard-start.png", "Search Results Preferences")
        ui.press("Next", root=wizard)
        ui.press(ui.find("Add/Remove Columns", "radio button", wizard).name, "radio button",
                 wizard)
        ui.press("Next", root=wizard)
        columns = ui.find("Columns", "tree", wizard)
        ui.type_into(ui.find("Filter columns", "text", wizard), "Terms")
        terms = wait_for("the column Terms in the filtered list", lambda: next(iter(
            ui.all("Terms", "table cell", columns)), None), 10)
        if is_checked(terms):
            raise WalkFailed("Terms is already an Invoice column")
        x, y, width, height = ui.extents(terms)
        ui.click_at(x + 10, y + height // 2)  # on its check box
        wait_for("Terms to be checked", lambda: is_checked(terms), 5)
        picture(wizard, "wizard-columns.png", "Search Results Preferences")
        ui.press("Next", root=wizard)
        preview = ui.find("Column preview", "table", wizard)
        ui.click(wait_for("the Terms column in the preview", lambda: next(iter(
            ui.all("Terms", "table column header", preview)), None), 10))
        heading = ui.find("Column heading", "text", wizard)
        wait_for("the heading field to show Terms", lambda: ui.text_of(heading) == "Terms", 5)
        ui.type_into(heading, "Payment Terms")
        wait_for("the preview to head the column Payment Terms", lambda: ui.all(
            "Payment Terms", "table column header", preview), 5)
        picture(wizard, "wizard-preview.png", "Search Results Preferences")
        ui.press("Finish", root=wizard)
        ui.gone("Search Results Preferences", "dialog")
        ui.focus_window("Quarrion")

    with step("search with the new columns"):
        choose_menu("Windows", "Close All Windows")
        wait_for("every results window to close", lambda: not open_results_windows(), 30)
        for title, ticked in (("Invoice", True), ("Customer", False), ("Vendor", False)):
            set_ticked(title, ticked)
        ui.press("Search")
        fresh = wait_for("a results window with the Payment Terms column", lambda: next(iter(
            node for node in ui.all(None, "frame", main_window())
            if node.name not in ("Quarrion", SAVED_NAME) and
            ui.all("Payment Terms", "table column header", node, showing=False)), None), 60)
        wait_done(fresh)
        picture(fresh, "new-columns.png", fresh.name)


def is_focused(node):
    found = node.getState()
    return found.contains(pyatspi.STATE_FOCUSED)


def read_delimited(path, delimiter):
    with open(path, newline="", encoding="utf-8-sig") as f:
        return list(csv.reader(f, delimiter=delimiter))


def activate(window):
    """Brings an MDI child to the front with a click on its title bar."""
    x, y, width, height = ui.extents(window)
    ui.click_at(x + 60, y + 8)
    wait_for(f"{window.name!r} in front", lambda: ui.in_front(window), 5)


def to_be_printed(company):
    """Invoice number -> its IsToBePrinted mark, read from the company file."""
    import xml.etree.ElementTree as ElementTree
    marks = {}
    for invoice in ElementTree.parse(company).getroot().iter("InvoiceRet"):
        marks[invoice.findtext("RefNumber")] = invoice.findtext("IsToBePrinted") == "true"
    return marks


def open_menu(*path):
    """Opens a menu of the menu bar and its submenus with clicks, as a user does, and
    rests the mouse on the last item named (lit, not chosen); returns that item."""
    node = ui.find(path[0], "menu item", main_window())
    for name in path[1:]:
        ui.click(node)
        node = wait_for(f"the menu item {name!r}", lambda: next(iter(
            ui.all(name, "menu item", node)), None), 10)
    ui.hover(node)
    return node


def choose_menu(*path):
    ui.click(open_menu(*path))


def show_console(shown):
    """Shows or hides the search console with the side bar's Console button."""
    if bool(ui.all("Search console", "filler", main_window())) != shown:
        ui.click(side_button("Console"))
    wait_for(f"the console to be {'shown' if shown else 'hidden'}", lambda: bool(
        ui.all("Search console", "filler", main_window())) == shown, 10)


def open_results_windows():
    return [node for node in ui.all(None, "frame", main_window())
            if node.name != "Quarrion" and ui.all("Search results", "filler", node)]


def close_active_window(window):
    """Closes an MDI window with the close button at the right of its title bar."""
    name = window.name
    x, y, width, height = ui.extents(window)
    ui.click_at(x + width - 14, y + 11)
    wait_for(f"{name!r} to close", lambda: not ui.all(name, "frame", main_window()), 20)


def top_window(title):
    """A top-level window of the program (a dialog or a frame) by its title."""
    def probe():
        for node in ui.all(title, None, ui.application()):
            if node.getRoleName() in ("dialog", "frame", "window"):
                return node
        return None
    return wait_for(f"the window {title!r}", probe, 20)


# The exit status that asks run_walk.sh for a new display: the X server went away
# before the program could use it, which says nothing about the program.
DISPLAY_LOST = 3


def display_answers():
    return subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True).returncode == 0


def main():
    wait_for(f"the X server at {os.environ.get('DISPLAY')} to answer", display_answers, 20)
    # The company the link answers from: the sample company, written where the
    # program looks for it, so the walk can see the to-print marks change it.
    subprocess.run([os.environ["QUARRION_WALK_CLI"], "sample", "--out", COMPANY], check=True)
    program = start_program()
    try:
        walk(program)
    finally:
        program.terminate()
        try:
            program.wait(20)
        except subprocess.TimeoutExpired:
            program.kill()
    print(f"walk done: {len(steps_done)} steps: " + "; ".join(steps_done))


if __name__ == "__main__":
    try:
        main()
    except WalkFailed as failure:
        print(f"WALK FAILED: {failure}", file=sys.stderr)
        sys.exit(1)

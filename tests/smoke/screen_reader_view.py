#!/usr/bin/python3
"""What a screen reader sees of the desktop program.

Starts the program on a private Xvfb display with the AT-SPI bridge on and
reads its accessible tree through AT-SPI (pyatspi), as Orca would. Checks
that every interactive control of the main window has the role, name and
action a user of a screen reader needs, that every menu item is named and
can be invoked, and that invoking the actions works: Convert turns the
HTML code into a script, a mode item renames the output box after its new
caption, and each Enlarge link opens the viewer on its box's text.

Run it in a D-Bus session of its own, which starts the accessibility bus
and its registry on demand:
    dbus-run-session -- screen_reader_view.py PROGRAM MAIN_WINDOW_TITLE
Exits 0 when every check passes, 1 on a failure, 77 when pyatspi is
missing (package python3-pyatspi).
"""
import os
import subprocess
import sys
import tempfile
import time

PRESS = "Press"
INPUT = '<p class="a">x</p>'

# The main window's interactive controls as (role, name): what each one is
# called for a screen reader, and the actions it must offer.
CONTROLS = {
    ("text", "HTML Code"): [],
    ("text", "PHP Script"): [],
    ("link", "Enlarge HTML Code"): [PRESS],
    ("link", "Enlarge Script"): [PRESS],
    ("link", "Open HTML File"): [PRESS],
    # Shown in the status strip when a script is pasted while a target is chosen.
    ("link", "Read it with Script to HTML"): [PRESS],
    ("push button", "Convert"): [PRESS],
    ("push button", "Clear"): [PRESS],
    ("push button", "Copy Script"): [PRESS],
    ("push button", "Copy as Literal"): [PRESS],
    ("push button", "Save Script"): [PRESS],
    ("push button", "List Character Codes"): [PRESS],
    # The conversion drop-down, named after the mode it shows.
    ("combo box", "HTML to PHP"): [],
}
# The controls of the find bar each text box holds, hidden until Ctrl+F.
FIND_BAR = "Find"
FIND_BAR_CONTROLS = {
    ("text", "Text to find"): [],
    ("push button", "Clear Text to Find"): [PRESS],
    ("push button", "Find Previous (Shift+F3)"): [PRESS],
    ("push button", "Find Next (F3)"): [PRESS],
    ("check box", "Match Case"): [],
    ("push button", "Close (Escape)"): [PRESS],
}
# Controls whose name alone does not say enough.
DESCRIBED = {("text", "HTML Code"), ("text", "PHP Script"), ("link", "Enlarge HTML Code"),
             ("link", "Enlarge Script"), ("link", "Open HTML File"), ("link", "Read it with Script to HTML"),
             ("push button", "List Character Codes"), ("push button", "Copy as Literal")}
INTERACTIVE_ROLES = {"push button", "link", "text", "entry", "check box", "radio button",
                     "combo box", "spin button", "slider", "toggle button"}
MENU_ITEM_ROLES = {"menu item", "check menu item", "radio menu item"}

problems = []


def check(condition, message):
    if not condition:
        problems.append(message)
    return condition


def wait_for(find, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    raise TimeoutError(f"{what} did not come within {seconds} s")


def start_display():
    """Starts Xvfb on a display it picks itself; returns the process."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp"], pass_fds=(write_end,),
                            stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as reported:
        number = reported.readline().strip()
    if not number:
        raise RuntimeError("Xvfb did not start")
    os.environ["DISPLAY"] = ":" + number
    return xvfb


def fresh(accessible):
    """The object with what it says now, not what was cached."""
    accessible.clearCache()
    return accessible


def children(accessible):
    try:
        return [child for child in fresh(accessible) if child is not None]
    except Exception:  # a window closing under our feet
        return []


def descendants(accessible, find_bars=None):
    """Every object below ACCESSIBLE; a find bar's own controls are left out
    and the bar is added to FIND_BARS instead, when it is a list."""
    for child in children(accessible):
        if find_bars is not None and child.name == FIND_BAR and child.getRoleName() not in INTERACTIVE_ROLES:
            find_bars.append(child)
            continue
        yield child
        yield from descendants(child, find_bars)


def check_find_bar(bar):
    """A find bar holds each of FIND_BAR_CONTROLS once, each with its actions."""
    found = {}
    for item in descendants(bar):
        role = item.getRoleName()
        if role in INTERACTIVE_ROLES:
            key = (role, item.name)
            check(key in FIND_BAR_CONTROLS and key not in found,
                  f"the find bar has an unexpected control: {role} named '{item.name}'")
            found[key] = item
    for key, actions in FIND_BAR_CONTROLS.items():
        if check(key in found, f"the find bar has no {key[0]} named '{key[1]}'"):
            offered = action_names(found[key])
            for action in actions:
                check(action in offered, f"the find bar's '{key[1]}' has no {action} action")


def action_names(accessible):
    try:
        actions = accessible.queryAction()
    except NotImplementedError:
        return []
    return [actions.getName(i) for i in range(actions.nActions)]


def do_action(accessible, name):
    actions = accessible.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == name:
            return actions.doAction(i)
    raise LookupError(f"{accessible.name} has no action {name}")


def text_of(accessible):
    return fresh(accessible).queryText().getText(0, -1)


def application(pyatspi, name):
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app.name == name:
            return app
    return None


def showing_window(pyatspi, app, title):
    for window in children(app):
        if window.name == title and window.getState().contains(pyatspi.STATE_SHOWING):
            return window
    return None


def check_controls(pyatspi, window):
    """Every interactive control is one of CONTROLS, each one is there once,
    focusable and, where listed, described. Returns them by (role, name)."""
    found = {}
    find_bars = []
    for item in descendants(window, find_bars):
        role = item.getRoleName()
        if role in INTERACTIVE_ROLES:
            key = (role, item.name)
            print(f"  {role:12} | {item.name:22} | {', '.join(action_names(item)):16} | "
                  f"{item.description}")
            check(key in CONTROLS, f"unexpected control: {role} named '{item.name}'")
            check(key not in found, f"two controls: {role} named '{item.name}'")
            found[key] = item
    check(len(find_bars) == 2, f"{len(find_bars)} find bars, not one per text box")
    for bar in find_bars:
        check_find_bar(bar)
    for key, actions in CONTROLS.items():
        item = found.get(key)
        if not check(item is not None, f"no {key[0]} named '{key[1]}'"):
            continue
        check(item.getState().contains(pyatspi.STATE_FOCUSABLE), f"'{key[1]}' takes no focus")
        if key in DESCRIBED:
            check(item.description.strip(), f"'{key[1]}' has no description")
        if key[0] == "text":
            check(item.getState().contains(pyatspi.STATE_EDITABLE), f"'{key[1]}' is not editable")
    return found


def check_actions_offered(found):
    """Run once every command is enabled: a disabled one offers no action."""
    for key, actions in CONTROLS.items():
        if key in found:
            offered = action_names(fresh(found[key]))
            for action in actions:
                check(action in offered, f"'{key[1]}' has no {action} action (it has {offered})")


def menu_items(window):
    """Every menu item below the menu bar, by name."""
    items = {}
    for item in descendants(window):
        if item.getRoleName() in MENU_ITEM_ROLES:
            print(f"  {item.getRoleName():16} | {item.name:28} | {', '.join(action_names(item))}")
            check(item.name.strip() and "&" not in item.name,
                  f"a menu item is named '{item.name}'")
            check(action_names(item), f"the menu item '{item.name}' has no action")
            items[item.name] = item
    check(items, "no menu items")
    return items


def check_enlarge(pyatspi, app, link, expected):
    """The link opens the viewer on the text; its Exit item closes it."""
    do_action(link, PRESS)
    viewer = wait_for(lambda: showing_window(pyatspi, app, "Code"), 10, "the viewer")
    find_bars = []
    boxes = [item for item in descendants(viewer, find_bars) if item.getRoleName() == "text"]
    check(len(find_bars) == 1, f"the viewer has {len(find_bars)} find bars")
    for bar in find_bars:
        check_find_bar(bar)
    if check(len(boxes) == 1, f"the viewer has {len(boxes)} text boxes"):
        check(boxes[0].name.strip(), "the viewer's text box has no name")
        check(text_of(boxes[0]) == expected,
              f"'{link.name}' showed '{text_of(boxes[0])}', not '{expected}'")
        print(f"'{link.name}' opened the viewer on {len(expected)} characters of its box")
    exits = [item for item in descendants(viewer)
             if item.getRoleName() in MENU_ITEM_ROLES and item.name == "Exit"]
    if check(exits, "the viewer has no Exit item"):
        do_action(exits[0], action_names(exits[0])[0])
        wait_for(lambda: not showing_window(pyatspi, app, "Code"), 10, "closing the viewer")


def caption_names(window):
    return {item.name.rstrip(":") for item in descendants(window) if item.getRoleName() == "label"}


def check_actions(pyatspi, app, window, controls, items):
    source, output = controls[("text", "HTML Code")], controls[("text", "PHP Script")]
    source.queryEditableText().setTextContents(INPUT)
    check(text_of(source) == INPUT, "the HTML Code box did not take the text")
    do_action(controls[("push button", "Convert")], PRESS)
    php_line = 'echo "<p class=\\"a\\">x</p>";'
    check(wait_for(lambda: php_line in text_of(output) or None, 10, "the PHP script"),
          "Convert made no PHP script")
    print(f"Convert wrote {php_line}")
    check_actions_offered(controls)

    # Another mode: the script and the output box's name follow it.
    if check("HTML to ASP" in items, "no menu item 'HTML to ASP'"):
        do_action(items["HTML to ASP"], action_names(items["HTML to ASP"])[0])
        asp_line = 'Response.Write("<p class=""a"">x</p>")'
        wait_for(lambda: asp_line in text_of(output) or None, 10, "the ASP script")
        name = fresh(output).name
        print(f"HTML to ASP wrote {asp_line}; the output box is now named '{name}'")
        check(name != "PHP Script" and name in caption_names(window),
              f"in ASP mode the output box is named '{name}', not after its caption "
              f"(captions: {sorted(caption_names(window))})")

    check_enlarge(pyatspi, app, controls[("link", "Enlarge HTML Code")], INPUT)
    check_enlarge(pyatspi, app, controls[("link", "Enlarge Script")], text_of(output))


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: screen_reader_view.py PROGRAM MAIN_WINDOW_TITLE")
    xvfb = start_display()
    program = None
    try:
        try:
            import pyatspi
        except ImportError:
            print("skipped: pyatspi is missing (package python3-pyatspi)")
            return 77
        # A configuration folder of its own: the first start, in PHP mode.
        settings = tempfile.TemporaryDirectory()
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   LC_ALL="C.UTF-8", XDG_CONFIG_HOME=settings.name)
        program = subprocess.Popen([sys.argv[1]], env=env)
        app = wait_for(lambda: application(pyatspi, "Tagora Converter"), 60, "the program on AT-SPI")
        window = wait_for(lambda: showing_window(pyatspi, app, sys.argv[2]), 30, "the main window")
        print("Controls (role | name | actions | description):")
        controls = check_controls(pyatspi, window)
        print("Menu items (role | name | actions):")
        items = menu_items(window)
        if not problems:
            check_actions(pyatspi, app, window, controls, items)
    except (TimeoutError, LookupError) as error:
        problems.append(str(error))
    finally:
        if program:
            program.kill()
            program.wait()
        xvfb.kill()
        xvfb.wait()
    for problem in problems:
        print("FAIL:", problem, file=sys.stderr)
    print("FAIL" if problems else "PASS")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

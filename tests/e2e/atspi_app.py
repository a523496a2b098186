"""The running program as the accessibility bus (AT-SPI) shows it, for the journeys' readers."""
import time

import pyatspi


def find(name, accept=lambda app: app, seconds=15):
    """The first answer of accept(app) that is not None, for the application of that name, within
    the seconds given (a program registers a moment after its window maps); None after them."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                found = accept(app)
                if found is not None:
                    return found
        time.sleep(0.5)
    return None

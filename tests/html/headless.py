"""Headless Chromium for the page's tests and benchmark: Debian's chromium
and chromedriver, with nothing that reaches the network on its own."""

import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def browser(scratch, logs=False):
    """A new browser with a fresh profile under scratch; logs=True keeps the
    performance and console logs."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--user-data-dir=" + tempfile.mkdtemp(dir=scratch), "--window-size=1280,900"):
        options.add_argument(arg)
    if logs:
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)

"""Debian's Chromium, headless, through selenium: as this machine needs it
(no sandbox as root, nothing fetched from the network at start), in a fresh
profile each time."""
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

FLAGS = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync")


def browser(*more):
    options = webdriver.ChromeOptions()
    for a in FLAGS + more + ("--user-data-dir=" + tempfile.mkdtemp(prefix="mirvelta-chrome-"),):
        options.add_argument(a)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)

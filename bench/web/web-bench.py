#!/usr/bin/python3
"""The engine as WebAssembly in headless Chromium (and Node), against the
native tagora-convert; prints figures, checks no limit:
  - 1 MB of HTML to a PHP script and back, median of 5 (goal: 50 ms each);
  - the page ready after opening, median of 5 loads (goal: 200 ms);
  - the 32 MB race page (bench/race_corpus.py) to PHP through the wasm,
    median of 3, against tagora-convert's median of 3 (goal: at most 3x).
  bench/web/web-bench.py BUILD_DIR [WEB_BUILD_DIR]   (default build-web)
The wasm's times are those of window.tagora.convert and toHtml, from the
JavaScript string to the JavaScript string; tagora-convert's, from the file
to the file. MB = 10^6 bytes."""
import pathlib
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

HERE = pathlib.Path(__file__).resolve().parent
BUILD = pathlib.Path(sys.argv[1])
WEB = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else HERE.parent.parent / 'build-web')
CLI = BUILD / 'cli' / 'tagora-convert'


def chromium():
    options = Options()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


def open_page(driver):
    driver.get((WEB / 'tagora.html').resolve().as_uri())
    WebDriverWait(driver, 30).until(lambda d: d.execute_script('return window.tagoraReadyAt !== undefined'))
    return driver.execute_script('return window.tagoraReadyAt')


def timed_in_page(driver, rounds, body):
    """Median ms of the JavaScript body over rounds, run on window.text."""
    return statistics.median(driver.execute_script(f'''
        const times = [];
        for (let i = 0; i < {rounds}; ++i) {{
          const start = performance.now();
          {body}
          times.push(performance.now() - start);
        }}
        return times;'''))


def native_ms(page, out, rounds):
    times = []
    for _ in range(rounds):
        start = time.perf_counter()
        subprocess.run([str(CLI), '--to=php', '-o', str(out), str(page)], check=True)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def main():
    work = pathlib.Path(tempfile.mkdtemp(prefix='web-bench-'))
    race = work / 'race.html'
    subprocess.run([sys.executable, str(HERE.parent / 'race_corpus.py'), str(race), '32000000'], check=True)
    text = race.read_bytes().decode('utf-8')
    small = text[:text.rfind('\r\n', 0, 1000000) + 2]
    driver = chromium()
    try:
        ready = statistics.median(open_page(driver) for _ in range(5))
        driver.execute_script('window.text = arguments[0]', small)
        to_php = timed_in_page(driver, 5, "window.script = tagora.convert(window.text, {to: 'php'});")
        back = timed_in_page(driver, 5, "window.back = tagora.toHtml(window.script);")
        # PHP prints each line break as an LF.
        same = driver.execute_script(
            'return window.back === tagora.inputText(window.text).replaceAll("\\r\\n", "\\n")')
        print(f'page ready after opening:        {ready:7.1f} ms (median of 5; goal 200 ms)')
        print(f'1 MB of HTML to PHP:             {to_php:7.1f} ms (median of 5; goal 50 ms)')
        print(f'that PHP script back to HTML:    {back:7.1f} ms (median of 5; goal 50 ms){"" if same else " DIFFERS"}')
        driver.execute_script('window.text = arguments[0]; window.script = null; window.back = null', text)
        wasm = timed_in_page(driver, 3, "window.script = tagora.convert(window.text, {to: 'php'}); window.script = null;")
    finally:
        driver.quit()
    native = native_ms(race, work / 'race.php', 3)
    node = subprocess.run(['node', '-e', f'''
        const t = require({str(WEB / 'web' / 'package' / 'index.cjs')!r});
        const text = require('fs').readFileSync({str(race)!r}, 'utf8');
        const times = [];
        for (let i = 0; i < 3; ++i) {{ const s = process.hrtime.bigint(); t.convert(text, {{to: 'php'}}); times.push(Number(process.hrtime.bigint() - s) / 1e6); }}
        console.log(times.sort((a, b) => a - b)[1]);'''], capture_output=True, text=True, check=True)
    print(f'32 MB race page to PHP, tagora-convert: {native:7.1f} ms (median of 3)')
    print(f'32 MB race page to PHP, wasm in Chromium: {wasm:7.1f} ms = {wasm / native:.2f}x (goal 3x)')
    print(f'32 MB race page to PHP, wasm in Node:     {float(node.stdout):7.1f} ms = {float(node.stdout) / native:.2f}x')
    subprocess.run(['rm', '-rf', str(work)])


main()

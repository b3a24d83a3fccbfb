#!/usr/bin/python3
"""The engine as WebAssembly in headless Chromium (and Node), against the
native tagora-convert; prints figures, checks no limit:
  - 1 MB of HTML to a PHP script and back, median of 5 (goal: 50 ms each);
  - the page ready after opening, median of 5 loads (goal: 200 ms);
  - the 32 MB race page (bench/race_corpus.py) to PHP through the wasm
    against tagora-convert (goal: at most 3x), the copies to the page's
    engine worker and back included. The machine may be busy with
    other work, so the two run in pairs, one right after the other (which
    goes first alternates), and the figure is the median of the pairs'
    ratios; then the wasm's time split into its stages.
  bench/web/web-bench.py BUILD_DIR [WEB_BUILD_DIR] [--pairs N]
WEB_BUILD_DIR is build-web by default, N 11. The wasm's times are those of
window.tagora.convert and toHtml, from the JavaScript string to the
JavaScript string, through the page's engine worker (each text copied to
it and back); tagora-convert's, from the file to the file, the process's
start included. MB = 10^6 bytes."""
import argparse
import pathlib
import shutil
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
PHP = "{to: 'php'}"


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('build', type=pathlib.Path)
    parser.add_argument('web', type=pathlib.Path, nargs='?', default=HERE.parent.parent / 'build-web')
    parser.add_argument('--pairs', type=int, default=11)
    return parser.parse_args()


def chromium():
    options = Options()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.set_script_timeout(600)
    return driver


def open_page(driver, web):
    driver.get((web / 'tagora.html').resolve().as_uri())
    WebDriverWait(driver, 30).until(lambda d: d.execute_script('return window.tagoraReadyAt !== undefined'))
    return driver.execute_script('return window.tagoraReadyAt')


def in_page_ms(driver, body):
    """The milliseconds of the JavaScript body (which may await), run in the page."""
    return driver.execute_async_script(f'''
        const done = arguments[arguments.length - 1];
        const start = performance.now();
        (async () => {{ {body} }})().then(() => done(performance.now() - start), (e) => done(String(e)));''')


def median_in_page(driver, rounds, body):
    return statistics.median(in_page_ms(driver, body) for _ in range(rounds))


def native_ms(cli, page, out):
    start = time.perf_counter()
    subprocess.run([str(cli), '--to=php', '-o', str(out), str(page)], check=True)
    return (time.perf_counter() - start) * 1000


def small_page(driver, text):
    driver.execute_script('window.text = arguments[0]', text[:text.rfind('\r\n', 0, 1000000) + 2])
    to_php = median_in_page(driver, 5, f'window.script = await tagora.convert(window.text, {PHP});')
    back = median_in_page(driver, 5, 'window.back = await tagora.toHtml(window.script);')
    # PHP prints each line break as an LF.
    same = driver.execute_async_script(
        'tagora.inputText(window.text).then((text) => arguments[0](window.back === text.replaceAll("\\r\\n", "\\n")))')
    print(f'1 MB of HTML to PHP:           {to_php:7.1f} ms (median of 5; goal 50 ms)')
    print(f'that PHP script back to HTML:  {back:7.1f} ms (median of 5; goal 50 ms){"" if same else " DIFFERS"}')


def race_pairs(driver, cli, race, out, pairs):
    """(native ms, wasm ms) of each pair, after one of each to warm up."""
    wasm = f'await window.tagora.convert(window.text, {PHP});'
    native_ms(cli, race, out)
    in_page_ms(driver, wasm)
    times = []
    for pair in range(pairs):
        if pair % 2 == 0:
            native = native_ms(cli, race, out)
            times.append((native, in_page_ms(driver, wasm)))
        else:
            wasm_ms = in_page_ms(driver, wasm)
            times.append((native_ms(cli, race, out), wasm_ms))
    return times


def print_race(times, same):
    natives, wasms = [n for n, _ in times], [w for _, w in times]
    ratios = sorted(w / n for n, w in times)
    within = sum(r <= 3 for r in ratios)
    print(f'32 MB race page to PHP, {len(times)} pairs, the script {"the same bytes" if same else "DIFFERS"}:')
    print(f'  tagora-convert:     {statistics.median(natives):7.1f} ms median ({min(natives):.0f} to {max(natives):.0f})')
    print(f'  wasm in Chromium:   {statistics.median(wasms):7.1f} ms median ({min(wasms):.0f} to {max(wasms):.0f})')
    print(f'  ratio of the pairs: {statistics.median(ratios):7.2f}x median ({ratios[0]:.2f}x to {ratios[-1]:.2f}x; '
          f'{within} of {len(ratios)} within 3x; goal 3x)')
    return statistics.median(natives)


def print_stages(driver, native, rounds=5):
    """The wasm's time by stage, from an engine of its own that adds them up
    (a second worker made of the page's engine source, so only a guide to
    where the time goes)."""
    stages = driver.execute_async_script(f'''
        const done = arguments[arguments.length - 1];
        const timing = `self.onmessage = ({{ data: text }}) => {{
          createTagoraEngine({{ wasmBinary: Uint8Array.from(atob(tagoraWasm), (c) => c.charCodeAt(0)) }}).then((engine) => {{
            const times = {{}};
            const tagora = tagoraApi(engine, times);
            for (let i = 0; i < 2; ++i)
              tagora.convert(text, {PHP});  // to warm up: the engine is compiled anew
            const rounds = [];
            for (let i = 0; i < {rounds}; ++i) {{
              for (const stage in times)
                times[stage] = 0;
              const start = performance.now();
              tagora.convert(text, {PHP});
              rounds.push({{ ...times, total: performance.now() - start }});
            }}
            postMessage(rounds);
          }}, (error) => postMessage(String(error)));
        }};`;
        const source = document.getElementById('engine-source').textContent + '\\n' + timing;
        const worker = new Worker(URL.createObjectURL(new Blob([source], {{ type: 'text/javascript' }})));
        worker.onmessage = ({{ data }}) => {{
          if (!data.ready) {{  // not the page's own worker saying it has started
            worker.terminate();
            done(data);
          }}
        }};
        worker.postMessage(window.text);''')
    names = {'copy': 'copying the text in', 'engine': 'engine (UTF-8, rules, script)',
             'decode': 'decoding the script', 'total': 'whole conversion'}
    print(f'  the wasm by stage (median of {rounds} more, against tagora-convert\'s median):')
    for stage, name in names.items():
        ms = statistics.median(times[stage] for times in stages)
        print(f'    {name + ":":31} {ms:7.1f} ms = {ms / native:.2f}x')


def node_ms(web, race):
    package = (web / 'web' / 'package' / 'index.cjs').resolve()
    run = subprocess.run(['node', '-e', f'''
        const tagora = require({str(package)!r});
        const text = require('fs').readFileSync({str(race)!r}, 'utf8');
        const times = [];
        for (let i = 0; i < 5; ++i) {{
          const start = process.hrtime.bigint();
          tagora.convert(text, {PHP});
          times.push(Number(process.hrtime.bigint() - start) / 1e6);
        }}
        console.log(times.sort((a, b) => a - b)[2]);'''], capture_output=True, text=True, check=True)
    return float(run.stdout)


def main():
    args = arguments()
    cli = args.build / 'cli' / 'tagora-convert'
    work = pathlib.Path(tempfile.mkdtemp(prefix='web-bench-'))
    try:
        race, out = work / 'race.html', work / 'race.php'
        subprocess.run([sys.executable, str(HERE.parent / 'race_corpus.py'), str(race), '32000000'], check=True)
        text = race.read_bytes().decode('utf-8')
        driver = chromium()
        try:
            ready = statistics.median(open_page(driver, args.web) for _ in range(5))
            print(f'page ready after opening:      {ready:7.1f} ms (median of 5; goal 200 ms)')
            small_page(driver, text)
            driver.execute_script('window.text = arguments[0]; window.script = null; window.back = null', text)
            times = race_pairs(driver, cli, race, out, args.pairs)
            same = driver.execute_async_script(
                f'window.tagora.convert(window.text, {PHP}).then((script) => arguments[1](script === arguments[0]))',
                out.read_bytes().decode('utf-8'))
            native = print_race(times, same)
            print_stages(driver, native)
        finally:
            driver.quit()
        node = node_ms(args.web, race)
        print(f'  wasm in Node:       {node:7.1f} ms median of 5 = {node / native:.2f}x')
    finally:
        shutil.rmtree(work)


main()

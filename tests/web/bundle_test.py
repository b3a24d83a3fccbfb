#!/usr/bin/python3
"""The package's browser build, bundled by esbuild, webpack and Vite (the
browser export condition), each bundle loaded in headless Chromium from a
local server: its script of the page's text is tagora-convert's, and a
wrong option is a TagoraError.
  bundle_test.py WEB_BUILD_DIR TESTS_DIR TAGORA_CONVERT
"""
import functools
import http.server
import pathlib
import subprocess
import sys
import tempfile
import threading
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

WEB_BUILD, TESTS, CLI = (pathlib.Path(arg).resolve() for arg in sys.argv[1:4])
HTML = '<p title="a">$5 & {x}</p>\ncaf\u00E9 \U0001F600 %>'


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class BundleTest(unittest.TestCase):
    def test_bundles_convert_as_tagora_convert(self):
        with tempfile.TemporaryDirectory() as folder:
            project = pathlib.Path(folder)
            (project / 'package.json').write_text('{"name": "bundles", "version": "1.0.0", "private": true}\n')
            tarball = next(WEB_BUILD.glob('tagora-converter-*.tgz'))
            subprocess.run(['npm', 'install', '--offline', '--no-audit', '--no-fund', '--ignore-scripts',
                            '--cache', str(project / '.npm'), str(tarball)], cwd=project, check=True,
                           capture_output=True)
            for name in ('app.mjs', 'index.html', 'build.mjs'):
                (project / name).write_bytes((TESTS / 'bundles' / name).read_bytes())
            subprocess.run(['node', 'build.mjs', str(TESTS / 'tools' / 'node_modules')], cwd=project, check=True)
            expected = subprocess.run([str(CLI), '--to=php'], input=HTML.encode(), capture_output=True,
                                      check=True).stdout.decode()
            server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=folder))
            threading.Thread(target=server.serve_forever, daemon=True).start()
            driver = start_chromium()
            try:
                for bundler in ('esbuild', 'webpack', 'vite'):
                    driver.get(f'http://127.0.0.1:{server.server_port}/{bundler}/index.html')
                    WebDriverWait(driver, 20).until(lambda d: d.execute_script('return window.result !== undefined'))
                    result = driver.execute_script('return window.result')
                    self.assertEqual(result, {'script': expected, 'sameDefault': True, 'refused': 'BAD_OPTION'}, bundler)
                    errors = [entry for entry in driver.get_log('browser') if entry['level'] == 'SEVERE']
                    self.assertEqual(errors, [], bundler)
            finally:
                driver.quit()
                server.shutdown()


def start_chromium():
    options = Options()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'):
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1], verbosity=2)
